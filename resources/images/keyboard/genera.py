#!/usr/bin/env python3
"""Writes the key-map artwork: ten finger pictures (32 x 32) and the strip
(622 x 47) that explains the five finger colours. Run from this folder, then
../../render_png.sh to turn them into the PNGs the program loads."""

COLORI = {
    "mignolo": "#b9cfe0",
    "anulare": "#d6deb5",
    "medio": "#efccc5",
    "indice": "#a2ccb8",
    "pollice": "#e2ebeb",
}


def forte(colore):
    """The group's colour with more saturation: on a key of the same colour
    the marked finger must still stand out."""
    import colorsys
    r, g, b = (int(colore[i:i + 2], 16) / 255 for i in (1, 3, 5))
    h, s, v = colorsys.rgb_to_hsv(r, g, b)
    r, g, b = colorsys.hsv_to_rgb(h, max(s * 2.6, 0.4), v * 0.9)
    return "#%02x%02x%02x" % (round(r * 255), round(g * 255), round(b * 255))


NOMI = [("mignolo", "Mignolo"), ("anulare", "Anulare"), ("medio", "Medio"),
        ("indice", "Indice"), ("pollice", "Pollice")]

# A left hand seen from above, fingers up, thumb on the right (32 x 32 units).
DITA = {
    "mignolo": (5.8, 10.0, 3.6, 10.0),
    "anulare": (10.0, 5.6, 3.6, 14.0),
    "medio": (14.2, 3.6, 3.6, 16.0),
    "indice": (18.4, 5.8, 3.6, 14.0),
}
PALMO = (5.6, 15.0, 16.6, 14.6, 4.5)
POLLICE = "M20.5 26.5 L25.8 16.8 Q27.8 14.6 29.3 16.4 Q30.2 17.6 29.4 19.2 L24.6 28.0 Z"


def forme(colori, riempimento):
    out = []
    x, y, w, h, r = PALMO
    out.append(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{riempimento}"/>')
    for nome, (x, y, w, h) in DITA.items():
        out.append(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{w / 2}" '
                   f'fill="{colori.get(nome, riempimento)}"/>')
    out.append(f'<path d="{POLLICE}" fill="{colori.get("pollice", riempimento)}"/>')
    return out


def mano(colori, speculare=False):
    """One hand: a dark outline (the shapes drawn wider), then the fills."""
    contorno = []
    x, y, w, h, r = PALMO
    contorno.append(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}"/>')
    for (x, y, w, h) in DITA.values():
        contorno.append(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{w / 2}"/>')
    contorno.append(f'<path d="{POLLICE}"/>')
    g = ['<g fill="#3a3a3a" stroke="#3a3a3a" stroke-width="2" stroke-linejoin="round">']
    g += contorno + ['</g>', '<g>'] + forme({}, "#fffaf3") + ['</g>']
    # The marked fingers over the palm fill, with their own outline.
    for nome, colore in colori.items():
        if nome == "pollice":
            g.append(f'<path d="{POLLICE}" fill="{colore}" stroke="#3a3a3a" stroke-width="0.9"/>')
        else:
            x, y, w, h = DITA[nome]
            g.append(f'<rect x="{x}" y="{y}" width="{w}" height="{h - 2.5}" rx="{w / 2}" '
                     f'fill="{colore}" stroke="#3a3a3a" stroke-width="0.9"/>')
    corpo = "\n  ".join(g)
    if speculare:
        return f'<g transform="translate(32,0) scale(-1,1)">\n  {corpo}\n</g>'
    return f'<g>\n  {corpo}\n</g>'


def svg(w, h, corpo):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
            f'{corpo}\n</svg>\n')


# Pictures 0..9: left little, ring, middle, index; right index, middle, ring,
# little; left thumb; right thumb.
FIGURE = [("mignolo", False), ("anulare", False), ("medio", False), ("indice", False),
          ("indice", True), ("medio", True), ("anulare", True), ("mignolo", True),
          ("pollice", False), ("pollice", True)]

for n, (dito, destra) in enumerate(FIGURE):
    with open(f"dito{n}.svg", "w", encoding="utf-8") as f:
        f.write(svg(32, 32, mano({dito: forte(COLORI[dito])}, destra)))

# The strip: both hands coloured finger by finger, the legend between them.
tutte = dict(COLORI)
parti = [
    '<defs><linearGradient id="sfondo" x1="0" y1="0" x2="0" y2="1">'
    '<stop offset="0" stop-color="#fdfdfd"/><stop offset="1" stop-color="#e4e8ec"/>'
    '</linearGradient></defs>',
    '<rect x="0.5" y="0.5" width="621" height="46" rx="6" fill="url(#sfondo)" stroke="#8a949e"/>',
    f'<g transform="translate(8,3) scale(1.3)">{mano(tutte)}</g>',
    f'<g transform="translate(572.4,3) scale(1.3)">{mano(tutte, True)}</g>',
]
for i, (chiave, nome) in enumerate(NOMI):
    x = 74 + i * 98
    parti.append(f'<rect x="{x}" y="13.5" width="24" height="20" rx="3" fill="{COLORI[chiave]}" '
                 f'stroke="#3a3a3a" stroke-width="1"/>')
    parti.append(f'<text x="{x + 30}" y="28.5" font-family="Liberation Sans" font-size="14" '
                 f'fill="#202020">{nome}</text>')
with open("mappa-tasti.svg", "w", encoding="utf-8") as f:
    f.write(svg(622, 47, "\n".join(parti)))
