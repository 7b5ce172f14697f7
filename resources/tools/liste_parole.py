#!/usr/bin/env python3
"""Makes data/Parole/francais.txt, the French words of the practice aimed at
weak keys: words that Debian's French dictionary (hunspell-fr, Dicollecte,
MPL-2.0) accepts, ordered by how often they occur in the French texts at hand
(the practice material of data/, then the French message catalogues of the
installed Debian packages, read with msgunfmt). Only the counts are used: every
word shipped is a word of the dictionary.

    resources/tools/liste_parole.py [how many, default 6000]
"""
import collections
import glob
import re
import subprocess
import sys
from pathlib import Path

RADICE = Path(__file__).resolve().parents[2]
PAROLA = re.compile(r"[a-zàâçéèêëîïôöùûüÿœæ]+")
# Words of other languages that the dictionary also takes, frequent in
# message catalogues.
ESCLUSE = {"the", "to", "of", "is", "in", "for", "or", "be", "no", "on", "it", "and", "not", "with",
           "as", "at", "by", "an", "are", "this", "from", "can", "use", "set", "log", "web", "bit",
           "bits", "zip", "hl", "id", "ok", "pid", "uid", "gid", "git", "tar", "url", "bash"}


def testi_materiale():
    for p in list((RADICE / "data").rglob("*.ftd")) + list((RADICE / "data").rglob("*.txt")):
        if "Parole" in p.parts:
            continue
        b = p.read_bytes()
        try:
            yield b.decode("utf-8-sig")
        except UnicodeDecodeError:
            yield b.decode("cp1252")


def testi_cataloghi():
    for mo in sorted(glob.glob("/usr/share/locale/fr/LC_MESSAGES/*.mo")):
        r = subprocess.run(["msgunfmt", mo], capture_output=True, text=True, errors="ignore")
        yield "\n".join(l for l in r.stdout.splitlines() if not l.startswith("msgid"))


def conta(testi):
    c = collections.Counter()
    for t in testi:
        c.update(w for w in PAROLA.findall(t.lower()) if len(w) >= 2 and w not in ESCLUSE)
    return c


def main():
    quante = int(sys.argv[1]) if len(sys.argv) > 1 else 6000
    materiale, cataloghi = conta(testi_materiale()), conta(testi_cataloghi())
    # The material's own words first, then the catalogues' by frequency.
    ordine = [w for w, _ in materiale.most_common()]
    ordine += [w for w, _ in cataloghi.most_common() if w not in materiale]
    r = subprocess.run(["hunspell", "-d", "fr_FR", "-G"], input="\n".join(ordine),
                       capture_output=True, text=True)
    giuste = set(r.stdout.split())
    # Words English takes too (technical loan words in the catalogues) only
    # when the material itself has them; abbreviations without a vowel never.
    r = subprocess.run(["hunspell", "-d", "en_US", "-G"], input="\n".join(ordine),
                       capture_output=True, text=True)
    inglesi = set(r.stdout.split()) - set(materiale)
    vocale = re.compile(r"[aeiouyàâéèêëîïôöùûüÿœæ]")
    parole = [w for w in ordine if w in giuste and w not in inglesi and vocale.search(w)][:quante]
    if len(parole) < 5000:
        sys.exit(f"only {len(parole)} words")
    uscita = RADICE / "data" / "Parole" / "francais.txt"
    uscita.parent.mkdir(exist_ok=True)
    uscita.write_text("# Mots français fréquents (dictionnaire hunspell-fr de Debian, Dicollecte, MPL-2.0).\n"
                      "# Fait par resources/tools/liste_parole.py ; un mot par ligne, les plus fréquents d'abord.\n"
                      + "\n".join(parole) + "\n", encoding="utf-8")
    print(f"{len(parole)} words -> {uscita}")


if __name__ == "__main__":
    main()
