#!/usr/bin/env python3
"""The shape of the build, read from the compile commands:
- logic libraries compile without Qt Widgets;
- a folder holds one subsystem: at most one logic library and one window
  library (a loadable module aside);
- a window (frm*) includes no window of another subsystem: only app/, which
  composes them, may; the shared windows of ui/ are for all.

verifica.py COMPILE_COMMANDS SOURCE_DIR
"""
import json
import re
import sys
from collections import defaultdict
from pathlib import Path

LOGICA = ["tastavia_platform_core", "tastavia_ini", "tastavia_practice", "tastavia_pdf",
          "tastavia_results", "tastavia_report", "tastavia_game", "tastavia_progress"]
CONDIVISE = {"ui", "platform", "app"}


def moduli(cartella):
    cm = cartella / "CMakeLists.txt"
    testo = cm.read_text(encoding="utf-8") if cm.exists() else ""
    return set(re.findall(r"add_library\(\s*(\w+)\s+MODULE", testo))


def main():
    comandi = json.loads(Path(sys.argv[1]).read_text())
    sorgenti = Path(sys.argv[2]).resolve()
    # Generated sources (moc) live in the build folder, which a Debian build
    # keeps inside the source tree (obj-<triplet>/).
    costruzione = Path(sys.argv[1]).resolve().parent
    errori = []
    con_widgets = defaultdict(bool)     # library -> compiled with Qt Widgets
    per_cartella = defaultdict(set)     # folder -> libraries with sources there
    libreria_di = {}                    # source stem "folder/name" -> library
    for c in comandi:
        comando = c.get("command") or " ".join(c.get("arguments", []))
        trovato = re.search(r"CMakeFiles/(tastavia\w*)\.dir/", comando)
        if not trovato:
            continue
        t = trovato.group(1)
        widgets = "QtWidgets" in comando
        con_widgets[t] |= widgets
        if t in LOGICA and widgets:
            errori.append(f"{t} compiles {c['file']} with Qt Widgets")
        file = Path(c["file"]).resolve()
        if file.is_relative_to(costruzione):
            continue
        try:
            rel = file.relative_to(sorgenti)
        except ValueError:
            continue
        if len(rel.parts) > 1 and rel.parts[0] not in ("tests", "bench", "fuzz", "build"):
            per_cartella[rel.parts[0]].add(t)
            libreria_di[str(rel.with_suffix(""))] = t
    for t in ("tastavia_platform_core", "tastavia_ini", "tastavia_practice"):
        if t not in con_widgets:
            errori.append(f"{t} has no sources in the build")

    for cartella, librerie in sorted(per_cartella.items()):
        librerie = librerie - moduli(sorgenti / cartella) - {"tastavia"}
        finestre = [t for t in librerie if con_widgets[t]]
        logica = [t for t in librerie if not con_widgets[t]]
        if len(finestre) > 1 or len(logica) > 1:
            errori.append(f"{cartella}/ holds the libraries of more than one subsystem: "
                          + ", ".join(sorted(librerie)))

    for stem, t in sorted(libreria_di.items()):
        cartella = stem.split("/")[0]
        if not con_widgets[t] or cartella in CONDIVISE:
            continue
        for est in (".cpp", ".h"):
            p = sorgenti / (stem + est)
            if not p.exists():
                continue
            for riga in p.read_text(encoding="utf-8").splitlines():
                inc = re.match(r'\s*#\s*include\s+"((\w+)/frm[^"]*)\.h"', riga)
                if not inc or inc.group(2) in CONDIVISE or inc.group(2) == cartella:
                    continue
                altra = libreria_di.get(inc.group(1))
                if altra and con_widgets[altra]:
                    errori.append(f"{stem}{est} includes the window {inc.group(1)}.h of {altra}")

    for e in errori:
        print(e)
    return 1 if errori else 0


if __name__ == "__main__":
    sys.exit(main())
