#!/usr/bin/env python3
"""The shipped language files against the program's code.

Every four-digit string literal in the program's code ("0031") is the id of
an interface text. Each file of data/Lang must give every such id a text,
plus "InfoAuthor" and "MailAuthor", and nothing else; it must be code page
1252, with section [Strings] once and every key once; a text the program
fills in ("%1") has the same places in every file.

verifica_lingue.py SOURCE_DIR
"""
import re
import sys
from pathlib import Path

CODICE = ["app", "practice", "mainwindow", "game", "keyboard", "platform", "progress", "report", "results", "settings", "ui"]
ID = re.compile(r'"(\d{4})"')
ALTRE_CHIAVI = {"infoauthor", "mailauthor"}
LUNGHEZZA_MASSIMA = 511


def senza_commenti(riga):
    # Drops a // comment that is not inside a string literal.
    fuori = True
    i = 0
    while i < len(riga):
        c = riga[i]
        if c == '\\' and not fuori:
            i += 2
            continue
        if c == '"':
            fuori = not fuori
        elif fuori and riga.startswith("//", i):
            return riga[:i]
        i += 1
    return riga


def id_letti(sorgenti):
    letti = {}
    for cartella in CODICE:
        for p in sorted((sorgenti / cartella).rglob("*")):
            if p.suffix not in (".cpp", ".h"):
                continue
            for n, riga in enumerate(p.read_text(encoding="utf-8").splitlines(), 1):
                for m in ID.finditer(senza_commenti(riga)):
                    letti.setdefault(m.group(1), f"{p.relative_to(sorgenti)}:{n}")
    return letti


def leggi_file(percorso, errori):
    """The keys of [Strings] (first section of that name), as the program reads them."""
    grezzo = percorso.read_bytes()
    nome = percorso.name
    if grezzo.startswith(b"\xef\xbb\xbf") or grezzo.startswith(b"\xff\xfe") or grezzo.startswith(b"\xfe\xff"):
        errori.append(f"{nome}: starts with a byte-order mark; language files are code page 1252")
    if any(b >= 0x80 for b in grezzo):
        try:
            grezzo.decode("utf-8")
            errori.append(f"{nome}: written in UTF-8; language files are code page 1252")
        except UnicodeDecodeError:
            pass
    try:
        testo = grezzo.decode("cp1252")
    except UnicodeDecodeError as e:
        errori.append(f"{nome}: byte {e.start} is not a code page 1252 character")
        testo = grezzo.decode("cp1252", errors="replace")
    chiavi = {}
    sezione = None
    sezioni_viste = []
    for n, riga in enumerate(re.split(r"[\r\n]+", testo), 1):
        riga = riga.strip(" \t\x0b\x0c\x1a")
        if riga.startswith("[") and "]" in riga:
            sezione = riga[1:riga.rindex("]")].strip().lower()
            if sezione == "strings" and "strings" in sezioni_viste:
                errori.append(f"{nome}: a second [Strings] section is never read")
            sezioni_viste.append(sezione)
            continue
        if sezione != "strings" or sezioni_viste.count("strings") > 1 or "=" not in riga:
            continue
        chiave, valore = riga.split("=", 1)
        chiave, valore = chiave.strip(), valore.strip()
        if len(valore) >= 2 and valore[0] == valore[-1] and valore[0] in "\"'":
            valore = valore[1:-1]
        if chiave.lower() in {k.lower() for k in chiavi}:
            errori.append(f"{nome}: key {chiave} appears twice; only the first is read")
            continue
        chiavi[chiave] = valore.split("\0", 1)[0].strip()
    if "strings" not in sezioni_viste:
        errori.append(f"{nome}: no [Strings] section")
    return chiavi


def main():
    sorgenti = Path(sys.argv[1])
    letti = id_letti(sorgenti)
    file_lingua = sorted((sorgenti / "data" / "Lang").glob("*.lng"))
    errori = []
    segnaposto = {}   # id -> {file: the %1 %2 ... its text holds}
    if not file_lingua:
        errori.append("data/Lang holds no language file")
    for f in file_lingua:
        chiavi = leggi_file(f, errori)
        for id_, dove in sorted(letti.items()):
            if id_ not in chiavi:
                errori.append(f"{f.name}: id {id_} is missing (read at {dove})")
            elif not chiavi[id_]:
                errori.append(f"{f.name}: id {id_} has an empty text (read at {dove})")
        for chiave, valore in chiavi.items():
            if re.fullmatch(r"\d{4}", chiave):
                if chiave not in letti:
                    errori.append(f"{f.name}: id {chiave} is never read by the program")
            elif chiave.lower() not in ALTRE_CHIAVI:
                errori.append(f"{f.name}: key {chiave} is neither an id nor InfoAuthor/MailAuthor")
            segnaposto.setdefault(chiave, {})[f.name] = sorted(set(re.findall(r"%\d", valore)))
            if len(valore) > LUNGHEZZA_MASSIMA:
                errori.append(f"{f.name}: {chiave} is longer than {LUNGHEZZA_MASSIMA} characters")
        for chiave in ("InfoAuthor", "MailAuthor"):
            if chiave.lower() not in {k.lower() for k in chiavi}:
                errori.append(f"{f.name}: {chiave} is missing")
        if not chiavi.get("InfoAuthor"):
            errori.append(f"{f.name}: InfoAuthor names no translator")
    # A text filled in by the program keeps every place it is filled in.
    for chiave, per_file in sorted(segnaposto.items()):
        if len({tuple(v) for v in per_file.values()}) > 1:
            errori.append(f"id {chiave}: the files disagree on its places " +
                          ", ".join(f"{n} {' '.join(v) or 'none'}" for n, v in sorted(per_file.items())))
    for e in errori:
        print(e)
    if not errori:
        print(f"{len(file_lingua)} language files, {len(letti)} ids: complete")
    return 1 if errori else 0


if __name__ == "__main__":
    sys.exit(main())
