#!/usr/bin/env python3
"""The shape of the build: logic libraries compile without Qt Widgets, and the
main window's library includes no window of the results, the report, the game or the progress.

verifica.py COMPILE_COMMANDS SOURCE_DIR
"""
import json
import re
import sys
from pathlib import Path

LOGICA = ["tastavia_platform_core", "tastavia_ini", "tastavia_pratica", "tastavia_pdf",
          "tastavia_results", "tastavia_report", "tastavia_game", "tastavia_progress"]


def main():
    comandi = json.loads(Path(sys.argv[1]).read_text())
    sorgenti = Path(sys.argv[2])
    errori = []
    visti = set()
    for c in comandi:
        comando = c.get("command") or " ".join(c.get("arguments", []))
        for t in LOGICA:
            if f"CMakeFiles/{t}.dir/" in comando:
                visti.add(t)
                if "QtWidgets" in comando:
                    errori.append(f"{t} compiles {c['file']} with Qt Widgets")
    for t in ("tastavia_platform_core", "tastavia_ini", "tastavia_pratica"):
        if t not in visti:
            errori.append(f"{t} has no sources in the build")

    finestra = [p for p in (sorgenti / "app").iterdir()
                if p.name.startswith(("frmClavora", "LineaInput", "Pannelli"))]
    for p in finestra:
        for riga in p.read_text(encoding="utf-8").splitlines():
            if re.match(r'\s*#\s*include\s+"(results|report|game|progress/frm)', riga):
                errori.append(f"{p.name} includes {riga.strip()}")

    for e in errori:
        print(e)
    return 1 if errori else 0


if __name__ == "__main__":
    sys.exit(main())
