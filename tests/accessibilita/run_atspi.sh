#!/usr/bin/env bash
# Runs atspi_dump.py on a private Xvfb inside a private session bus, the
# program's accessibility on. Skipped (77) only when no session bus starts.
#   run_atspi.sh PROGRAM [COMMAND_NAME]
set -u
qui=$(dirname "$0")
command -v dbus-run-session >/dev/null || { echo "skipped: dbus-run-session missing"; exit 77; }
dbus-run-session -- true >/dev/null 2>&1 || { echo "skipped: no session bus can be started"; exit 77; }
# Debian's own Python: python3-pyatspi lives there, whatever python3 is first on PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
exec dbus-run-session -- env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0 \
  "$qui/../e2e/run_xvfb.sh" "$python" "$qui/atspi_dump.py" "$@"
