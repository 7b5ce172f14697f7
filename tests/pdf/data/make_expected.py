#!/usr/bin/env python3
"""Builds the expected PDF files and the BMP fixtures of the writer tests.

It lays the documents out from the writer's rules on its own (object order,
CR-separated entries, CR LF line ends, byte offsets, number format), so a
test that compares the C++ output with these files checks both against the
same rules. Run it from this folder: python3 make_expected.py [widths.tsv]
"""
import math
import os
import sys
import struct
from decimal import Decimal, ROUND_HALF_EVEN

CR = b'\r'
DATE = b'20260105090000'   # the fake clock of the tests


def f32(x):
    return struct.unpack('f', struct.pack('f', x))[0]


def fmt(v):
    if isinstance(v, float) and not math.isfinite(v):
        return b'0'
    d = Decimal(v).quantize(Decimal('0.001'), rounding=ROUND_HALF_EVEN)
    s = format(d, 'f')
    if '.' in s:
        s = s.rstrip('0').rstrip('.')
    if s == '-0':
        s = '0'
    return s.encode()


def escape(b):
    return b.replace(b'\\', b'\\\\').replace(b'(', b'\\(').replace(b')', b'\\)')


def ansi(s):
    return s.encode('cp1252', errors='replace')


def a85(data):
    out = bytearray()
    i = 0
    while i + 4 <= len(data):
        v = int.from_bytes(data[i:i + 4], 'big')
        if v == 0:
            out += b'z'
        else:
            g = []
            for _ in range(5):
                g.append(33 + v % 85)
                v //= 85
            out += bytes(reversed(g))
        i += 4
    rest = len(data) - i
    if rest:
        v = int.from_bytes(data[i:] + b'\0' * (4 - rest), 'big')
        g = []
        for _ in range(5):
            g.append(33 + v % 85)
            v //= 85
        out += bytes(reversed(g))[:rest + 1]
    return bytes(out) + b'~>'


def load_widths():
    # the published widths list beside the repository (or given as argument)
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '../../../../shared/tools/pdf/widths.tsv')
    t = {}
    with open(path) as f:
        next(f)
        for line in f:
            s, c, w = line.rstrip('\n').split('\t')
            t.setdefault(s, {})[int(c)] = int(w)
    return t


WIDTHS = None
SUFFIX = [b'', b',Bold', b',Italic', b',BoldItalic']
ARIAL_DESC = [
    b"/Flags 32 /FontBBox [-250 -221 1190 1000] /MissingWidth 272 /StemV 80 /StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 /Ascent 905 /Descent -212 /Leading 150 /MaxWidth 992 /AvgWidth 441",
    b"/Flags 16416 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 /StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 /Ascent 905 /Descent -212 /Leading 150 /MaxWidth 933 /AvgWidth 479",
    b"/Flags 96 /FontBBox [-250 -212 1134 1000] /MissingWidth 259 /StemV 80 /StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 /Ascent 905 /Descent -212 /Leading 150 /MaxWidth 945 /AvgWidth 441",
    b"/Flags 16480 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 /StemH 153 /ItalicAngle -11 /CapHeight 905 /XHeight 453 /Ascent 905 /Descent -212 /Leading 150 /MaxWidth 933 /AvgWidth 479",
]
SYMBOL_DESC = [
    b"/Flags 6 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 109 /StemH 109 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 /Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 601",
    b"/Flags 16390 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 191 /StemH 191 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 /Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 600",
]


class Writer:
    def __init__(self, scale=0):
        self.scale = scale
        self.pw, self.ph, self.margin = f32(595.2), 842.0, 0.0
        self.orientation = 0
        self.title = '(senza titolo)'
        self.a85 = False

    # units ------------------------------------------------------------
    def tp(self, v):
        v = f32(v)
        if self.scale == 0:
            return v
        if self.scale == 1:
            return f32(v * 72)
        if self.scale == 2:
            return f32(f32(v * 72) / 25.4)
        return f32(f32(v * 72) / 2.54)

    def fp(self, v):
        v = f32(v)
        if self.scale == 0:
            return v
        if self.scale == 1:
            return f32(v / 72)
        if self.scale == 2:
            return f32(f32(v / 72) * 25.4)
        return f32(f32(v / 72) * 2.54)

    # output -----------------------------------------------------------
    def line(self, b):
        self.out += b + b'\r\n'

    def new_object(self, n=0):
        if n == 0:
            n = self.max + 1
        self.max = max(self.max, n)
        self.xref[n] = len(self.out)
        self.line(b'%d 0 obj' % n)
        return n

    def init(self):
        self.out = bytearray()
        self.xref, self.max = {}, 0
        self.kids = b''
        self.fontres = self.imgres = self.formres = b''
        self.fonts = {}
        self.forms = []
        self.pages = 0
        self.stream = None
        self.path = False
        self.any_image = False
        self.cs, self.ws, self.hs = 0.0, 0.0, 100.0
        self.line(b'%PDF-1.3')
        self.new_object(1)
        self.line(b'<<' + CR + b'/Title (' + escape(ansi(self.title)) + b')' + CR
                  + b'/Author (Tastavia)' + CR + b'/Creator  (clsPDFCreator FREE Version)' + CR
                  + b'/Producer (Tastavia PDF writer)' + CR + b'/CreationDate (D:' + DATE
                  + b"+01'00')" + CR + b'>>')
        self.line(b'endobj')
        self.new_object(2)
        self.line(b'<<' + CR + b'/Type /Catalog' + CR + b'/Pages 3 0 R' + CR + b'/PageLayout /OneColumn'
                  + CR + b'/PageMode /UseNone' + CR + b'/Lang (it) ' + CR
                  + b'/ViewerPreferences << /HideToolbar false /DisplayDocTitle true /HideWindowUI false >>'
                  + CR + b'>>')
        self.line(b'endobj')
        self.max = 4

    def close_stream(self):
        if self.stream is None:
            return
        if self.path:
            self.line(b'n')
            self.path = False
        length = len(self.out) - self.start
        self.line(b'endstream')
        self.line(b'endobj')
        self.new_object(self.lenobj)
        self.line(b'%d' % length)
        self.line(b'endobj')
        self.stream = None

    def begin_page(self):
        self.close_stream()
        self.pages += 1
        p = self.new_object()
        self.line(b'<<' + CR + b'/Type /Page' + CR + b'/Parent 3 0 R' + CR + b'/Contents %d 0 R' % (p + 1)
                  + CR + b'>>')
        self.line(b'endobj')
        self.kids += b'%d 0 R ' % p
        self.new_object(p + 1)
        self.line(b'<< /Length %d 0 R >>' % (p + 2) + CR + b'stream')
        self.stream, self.lenobj, self.start, self.path = 'page', p + 2, len(self.out), False
        self.cs, self.ws, self.hs = 0.0, 0.0, 100.0
        for name, o in self.forms:
            odd = self.pages % 2 == 1
            if (o & 7) == 7 or (not odd and o & 2) or (odd and o & 4 and not (o & 8 and self.pages == 1)):
                self.line(b'/' + name + b' Do')

    def end_page(self):
        self.close_stream()

    def close(self):
        self.close_stream()
        self.new_object(4)
        s = b'<<' + CR
        if self.fontres:
            s += b'/Font <<' + CR + self.fontres + b'>>' + CR
        s += b'/ProcSet [/PDF /Text' + (b' /ImageB /ImageC /ImageI' if self.any_image else b'') + b' ]' + CR
        if self.any_image or self.forms:
            s += b'/XObject <<' + CR + self.imgres + CR + self.formres + b'>>' + CR
        self.line(s + b'>>')
        self.line(b'endobj')
        self.new_object(3)
        m = self.margin
        self.line(b'<<' + CR + b'/Type /Pages' + CR + b'/Count %d' % self.pages + CR
                  + b'/MediaBox [0 0 ' + fmt(self.pw) + b' ' + fmt(self.ph) + b']' + CR
                  + b'/CropBox [' + fmt(m) + b' ' + fmt(m) + b' ' + fmt(f32(self.pw - m)) + b' '
                  + fmt(f32(self.ph - m)) + b']' + CR + (b'/Rotate 90' if self.orientation == 1 else b'')
                  + CR + b'/Kids [' + self.kids + b' ]' + CR + b'/Resources 4 0 R' + CR + b'>>')
        self.line(b'endobj')
        x = len(self.out)
        self.line(b'xref')
        self.line(b'0 %d' % (self.max + 1))
        self.line(b'0000000000 65535 f')
        for n in range(1, self.max + 1):
            self.line(b'%010d 00000 n' % self.xref[n])
        self.line(b'trailer' + CR + b'<<' + CR + b'/Size %d' % (self.max + 1) + CR + b'/Info 1 0 R'
                  + CR + b'/Root 2 0 R' + CR + b'>>')
        self.line(b'startxref' + CR + b'%d' % x)
        self.line(b'%%EOF' + CR)
        return bytes(self.out)

    # fonts and text ---------------------------------------------------
    def load_font_standard(self, name, base, options=0):
        f = self.new_object()
        suffix = SUFFIX[options] if 0 <= options <= 3 else b''
        self.line(b'<< /Type /Font /Subtype /Type1 /Name /' + name + b' /BaseFont /'
                  + base.replace(b' ', b'') + suffix + b' /Encoding /WinAnsiEncoding >>')
        self.line(b'endobj')
        self.fontres += b'/' + name + b' %d 0 R ' % f + CR

    def load_font(self, name, base, options=0):
        symbol = base.replace(' ', '').upper() == 'SYMBOL'
        if symbol:
            fname, first, widths = b'Symbol' + SUFFIX[options], 30, WIDTHS['Symbol']
            desc, missing = SYMBOL_DESC[options & 1], 332
        else:
            fname, first = b'Arial' + SUFFIX[options], 32
            widths = WIDTHS['Arial' + SUFFIX[options].decode()]
            desc, missing = ARIAL_DESC[options], [272, 311, 259, 311][options]
        f = self.new_object()
        self.line(b'<< /Type /Font ' + CR + b'/Subtype /TrueType' + CR + b'/Name /' + name + CR
                  + b'/BaseFont /' + fname + CR + b'/FirstChar %d' % first + CR + b'/LastChar 255' + CR
                  + b'/FontDescriptor %d 0 R' % (f + 1) + CR
                  + (b'' if symbol else b'/Encoding /WinAnsiEncoding' + CR) + b'/Widths [')
        codes = list(range(first, 256))
        for i in range(0, len(codes), 16):
            self.line(b''.join(fmt(widths[c]) + b' ' for c in codes[i:i + 16]))
        self.line(b'] >>')
        self.line(b'endobj')
        self.fontres += b'/' + name + b' %d 0 R ' % f + CR
        self.fonts.setdefault(name.lower(), (first, widths, missing))
        self.new_object()
        self.line(b'<<' + CR + b'/Type /FontDescriptor' + CR + b'/FontName /' + fname + CR + desc + CR + b'>>')
        self.line(b'endobj')

    def length(self, text, font, size):
        if font.lower() not in self.fonts:
            return 0.0
        first, widths, missing = self.fonts[font.lower()]
        b = ansi(text)
        total = sum(widths[k] if first <= k <= 255 else missing for k in b)
        blanks = b.count(b' ')
        pts = (total * f32(size) / 1000 + blanks * self.ws + len(b) * self.cs) * self.hs / 100
        return self.fp(f32(pts))

    def draw_text(self, x, y, text, font, size, align=0, rotate=0.0):
        x = f32(x)
        if align == 1:
            x = f32(x - self.length(text, font, size))
        elif align == 2:
            x = f32(x - f32(self.length(text, font, size) / 2))
        self.line(b'BT')
        self.line(b'/' + font + b' ' + fmt(f32(size)) + b' Tf')
        if rotate:
            a = f32(rotate) * 3.141592 / 180
            c, s = math.cos(a), math.sin(a)
            self.line(b' '.join([fmt(c), fmt(s), fmt(-s), fmt(c), fmt(self.tp(x)), fmt(self.tp(y))]) + b' Tm')
        else:
            self.line(fmt(self.tp(x)) + b' ' + fmt(self.tp(y)) + b' Td')
        self.line(b'(' + escape(ansi(text)) + b') Tj')
        self.line(b'ET')

    def text_state(self, op, w):
        w = f32(w)
        if op == b'Tc':
            self.cs = w
        elif op == b'Tw':
            self.ws = w
        else:
            self.hs = w
        self.line(fmt(w) + b' ' + op)

    # graphics ---------------------------------------------------------
    def color(self, rgb, stroke):
        if rgb <= 0:
            self.line(fmt(-rgb / 255) + (b' G' if stroke else b' g'))
        else:
            r, g, b = rgb % 256, rgb // 256 % 256, rgb // 65536 % 256
            self.line(fmt(r / 255) + b' ' + fmt(g / 255) + b' ' + fmt(b / 255) + (b' RG' if stroke else b' rg'))

    def move_to(self, x, y):
        self.line(fmt(self.tp(x)) + b' ' + fmt(self.tp(y)) + b' m')
        self.path = True

    def line_to(self, x, y, o=0):
        self.line(fmt(self.tp(x)) + b' ' + fmt(self.tp(y)) + b' l')
        self.paint(o)

    def curve(self, *args):
        *pts, o = args
        self.line(b' '.join(fmt(self.tp(v)) for v in pts) + b' c')
        self.paint(o)

    def paint(self, o):
        if o & 7 == 7:
            self.line(b'b')
        elif o & 5 == 5:
            self.line(b'B')
        elif o & 4:
            self.line(b'f')
        elif o & 2:
            self.line(b'h')
            if not o & 1:
                return
            self.line(b'S')
        elif o & 1:
            self.line(b'S')
        else:
            return
        self.path = False

    def drop_path(self):
        if self.path:
            self.line(b'n')
            self.path = False

    def rectangle(self, x, y, w, h, o=0, ray=0.0):
        self.drop_path()
        if ray > 0:
            r = f32(ray)
            if r > w / 2:
                r = f32(w / 2)
            if r > h / 2:
                r = f32(h / 2)
            k = f32(r * 0.55)
            F = f32
            self.move_to(F(x + r), y)
            self.line_to(F(F(x + w) - r), y)
            self.curve(F(F(F(x + w) - r) + k), y, F(x + w), F(F(y + r) - k), F(x + w), F(y + r), 0)
            self.line_to(F(x + w), F(F(y + h) - r))
            self.curve(F(x + w), F(F(F(y + h) - r) + k), F(F(F(x + w) - r) + k), F(y + h), F(F(x + w) - r), F(y + h), 0)
            self.line_to(F(x + r), F(y + h))
            self.curve(F(F(x + r) - k), F(y + h), x, F(F(F(y + h) - r) + k), x, F(F(y + h) - r), 0)
            self.line_to(x, F(y + r))
            self.curve(x, F(F(y + r) - k), F(F(x + r) - k), y, F(x + r), y, 0)
        else:
            self.line(b' '.join(fmt(self.tp(v)) for v in (x, y, w, h)) + b' re')
            self.path = True
        self.paint(o)

    def circle(self, x, y, r, o):
        F = f32
        k = F(r * 0.55)
        self.move_to(x, F(y - r))
        self.curve(F(x + k), F(y - r), F(x + r), F(y - k), F(x + r), y, 0)
        self.curve(F(x + r), F(y + k), F(x + k), F(y + r), x, F(y + r), 0)
        self.curve(F(x - k), F(y + r), F(x - r), F(y + k), F(x - r), y, 0)
        self.curve(F(x - r), F(y - k), F(x - k), F(y - r), x, F(y - r), 0)
        self.paint(o)

    def arc(self, x, y, r, start, end, ratio, pie, rotate, quality, o):
        self.drop_path()
        self.move_to(x, y)
        pie = pie or bool(o & 4)
        d = 3.141592 / 180
        s, c = math.sin(-d * rotate), math.cos(-d * rotate)
        a = f32(start)
        while a <= end:
            u = r * math.cos(d * a)
            v = ratio * r * math.sin(d * a)
            px, py = f32(c * u + s * v), f32(-u * s + c * v)
            if not pie and a == start:
                self.move_to(f32(x + px), f32(y + py))
            self.line_to(f32(x + px), f32(y + py))
            a = f32(a + quality)
        if pie:
            self.line_to(x, y)
        self.paint(o)

    # images -----------------------------------------------------------
    def load_image(self, name, pixels, palette, w, h, bpp, grey):
        space = b'DeviceGray' if grey else b'DeviceRGB'
        n = self.new_object()
        self.line(b'<<' + CR + b'/Type /XObject' + CR + b'/Subtype /Image' + CR + b'/Name /' + name + CR
                  + b'/Width %d' % w + CR + b'/Height %d' % h + (CR + b'/Filter /ASCII85Decode' if self.a85 else b''))
        if bpp == 24:
            self.line(b'/BitsPerComponent 8' + CR + b'/ColorSpace /' + space + CR + b'/Length %d 0 R' % (n + 1))
        else:
            self.line(b'/BitsPerComponent %d' % bpp + CR + b'/ColorSpace [/Indexed /' + space
                      + b' %d %d 0 R]' % (2 ** bpp - 1, n + 2) + CR + b'/Length %d 0 R' % (n + 1))
        data = a85(pixels) if self.a85 else pixels
        self.line(b'>>' + CR + b'stream\r\n' + data + CR + b'endstream')
        self.line(b'endobj')
        self.imgres += b'/' + name + b' %d 0 R ' % n + CR
        self.any_image = True
        self.new_object()
        self.line(b'%d' % len(data))
        self.line(b'endobj')
        if bpp <= 8:
            text = a85(palette) if self.a85 else palette
            self.new_object()
            self.line(b'<<' + (b'/Filter /ASCII85Decode' + CR if self.a85 else b'') + b'/Length %d' % len(text)
                      + b' >>' + CR + b'stream\r\n' + text + CR + b'endstream')
            self.line(b'endobj')

    def draw_image(self, name, x, y, w, h):
        self.line(b'q' + CR + fmt(self.tp(w)) + b'  0 0 ' + fmt(-self.tp(h)) + b' ' + fmt(self.tp(x)) + b' '
                  + fmt(self.tp(y)) + b' cm' + CR + b'/' + name + b' Do' + CR + b'Q')

    # form objects -----------------------------------------------------
    def start_object(self, name, options):
        x = self.new_object()
        m = self.margin
        self.line(b'<<' + CR + b'/Type /XObject' + CR + b'/Subtype /Form' + CR + b'/FormType 1' + CR
                  + b'/Name /' + name + CR + b'/BBox [' + fmt(m) + b' ' + fmt(m) + b' ' + fmt(f32(self.pw - m))
                  + b' ' + fmt(f32(self.ph - m)) + b']' + CR + b'/Matrix [1 0 0 1 0 0]' + CR
                  + b'/Resources 4 0 R' + CR + b'/Length %d 0 R >>' % (x + 1) + CR + b'stream')
        self.stream, self.lenobj, self.start, self.path = 'form', x + 1, len(self.out), False
        self.forms.append((name, options))
        self.formres += b'/' + name + b' %d 0 R ' % x + CR


# ---------------------------------------------------------------- documents

def minimal():
    w = Writer()
    w.init()
    w.load_font_standard(b'Fn1', b'Helvetica')
    w.begin_page()
    w.draw_text(100, 700, 'Ciao', b'Fn1', 12)
    w.end_page()
    return w.close()


def text():
    w = Writer(scale=3)
    w.margin = w.tp(1)
    w.orientation = 1
    w.title = 'Prova (1) \\ fine'
    w.init()
    w.load_font(b'Fn1', 'Arial', 0)
    w.load_font(b'Fn2', ' sym Bol ', 1)
    w.load_font(b'Fn3', 'Times New Roman', 2)
    w.load_font_standard(b'Fn4', b'Helve tica', 0)
    w.begin_page()
    w.draw_text(2.5, 24, 'a(b)', b'Fn1', 12)
    w.draw_text(10, 20, 'Ruota', b'Fn1', 10, 0, 90)
    w.draw_text(10.5, 18, 'Centro \u00e8', b'Fn3', 14, 2)
    w.draw_text(19, 16, 'Destra', b'Fn1', 11, 1)
    w.text_state(b'Tc', 1)
    w.text_state(b'Tw', 2)
    w.text_state(b'Tz', 90)
    w.line(b'1 Tr')
    w.draw_text(19, 14, 'a b c', b'Fn1', 10, 1)
    w.draw_text(10, 12, 'abc', b'Fn2', 12, 2)
    w.draw_text(10, 10, '\u03a9\\', b'Fn4', 12, 2)
    w.line(b'0 Tr')
    w.end_page()
    w.begin_page()
    w.draw_text(19, 14, 'a b c', b'Fn1', 10, 1)
    w.end_page()
    return w.close()


def graphics():
    w = Writer()
    w.pw, w.ph = 612.0, 792.0
    w.init()
    w.begin_page()
    w.color(0, True)
    w.color(-255, False)
    w.color(255, True)
    w.color(236 + 255 * 256 + 213 * 65536, False)
    w.color(-128, True)
    w.line(b'1.5 w')
    w.line(b'[3 2] 0 d')
    w.line(b'[ ] 0 d')
    w.line(b'1 J')
    w.line(b'2 j')
    w.line(b'4 M')
    w.move_to(50, 50)
    w.line_to(100, 50, 0)
    w.line_to(100, 100, 1)
    w.move_to(150, 50)
    w.curve(160, 80, 190, 80, 200, 50, 3)
    w.move_to(250, 50)
    w.line_to(300, 50, 0)
    w.line_to(275, 90, 2)
    w.rectangle(50, 150, 80, 40, 4)
    w.rectangle(150, 150, 60, 40, 5, 50)
    w.rectangle(250, 150, 40, 40, 7)
    w.circle(100, 300, 40, 1)
    w.arc(300, 300, 50, 0, 90, 1, False, 0, 30, 5)
    w.arc(450, 300, 50, 0, 180, 0.5, False, 30, 45, 1)
    w.move_to(500, 500)
    w.line_to(550, 550, 0)
    w.end_page()
    return w.close()


def bmp(width, height, bits, rows, palette=None, colours_used=0):
    """rows: list of bytes objects, bottom row first, unpadded."""
    row_size = (bits * width + 31) // 32 * 4
    pal = b''
    if palette is not None:
        pal = b''.join(bytes([b, g, r, 0]) for r, g, b in palette)
    offset = 14 + 40 + len(pal)
    pixels = b''.join(r + b'\0' * (row_size - len(r)) for r in rows)
    header = b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixels), 2835, 2835, colours_used, 0)
    return header + info + pal + pixels


def grey(r, g, b):
    return min(255, round(0.33 * r + 0.59 * g + 0.11 * b))


def images():
    # 24 bits, 3 x 2: stored B G R
    px24 = [[(255, 0, 0), (0, 255, 0), (0, 0, 255)], [(255, 255, 255), (10, 20, 30), (200, 100, 50)]]
    rows24 = [b''.join(bytes([b, g, r]) for r, g, b in row) for row in px24]
    open('img24.bmp', 'wb').write(bmp(3, 2, 24, rows24))
    pal8 = [(i, 255 - i, (i * 7) % 256) for i in range(256)]
    rows8 = [bytes([0, 100, 255]), bytes([7, 8, 9])]
    open('img8.bmp', 'wb').write(bmp(3, 2, 8, rows8, pal8))
    pal4 = [(255, 0, 0), (0, 128, 0), (250, 250, 250)]        # only 3 of 16 stored
    rows4 = [bytes([0x01, 0x20, 0x10]), bytes([0x22, 0x11, 0x00])]
    open('img4.bmp', 'wb').write(bmp(5, 2, 4, rows4, pal4, colours_used=3))
    pal1 = [(0, 0, 0), (255, 255, 255)]
    rows1 = [bytes([0xA5, 0x80]), bytes([0xFF, 0xC0]), bytes([0x00, 0x40])]
    open('img1.bmp', 'wb').write(bmp(10, 3, 1, rows1, pal1))

    def rgb24(g):
        if g:
            return bytes(grey(*p) for row in px24 for p in row)
        return b''.join(bytes(p) for row in px24 for p in row)

    def palette(pal, bits, g):
        full = list(pal) + [(0, 0, 0)] * (2 ** bits - len(pal))
        if g:
            return bytes(grey(*p) for p in full)
        return b''.join(bytes(p) for p in full)

    w = Writer()
    w.init()
    w.load_image(b'I24', rgb24(False), b'', 3, 2, 24, False)
    w.load_image(b'I8', b''.join(rows8), palette(pal8, 8, True), 3, 2, 8, True)
    w.load_image(b'I4', b''.join(rows4), palette(pal4, 4, False), 5, 2, 4, False)
    w.load_image(b'I1', b''.join(rows1), palette(pal1, 1, False), 10, 3, 1, False)
    w.a85 = True
    w.load_image(b'A24', rgb24(True), b'', 3, 2, 24, True)
    w.load_image(b'A8', b''.join(rows8), palette(pal8, 8, False), 3, 2, 8, False)
    w.load_image(b'A4', b''.join(rows4), palette(pal4, 4, True), 5, 2, 4, True)
    w.load_image(b'A1', b''.join(rows1), palette(pal1, 1, False), 10, 3, 1, False)
    w.load_image(b'Z', b'\0\0\0\0', b'', 4, 1, 24, True)
    w.begin_page()
    for i, name in enumerate([b'I24', b'I8', b'I4', b'I1', b'A24', b'A8', b'A4', b'A1', b'Z']):
        w.draw_image(name, 50 + 60 * i, 800, 40, 30.5)
    w.end_page()
    return w.close()


def forms():
    w = Writer(scale=2)
    w.pw, w.ph = w.tp(210), w.tp(297)
    w.margin = w.tp(10)
    w.init()
    w.load_font_standard(b'Fn1', b'Helvetica')
    w.start_object(b'Ev', 2)
    w.color(255, True)
    w.move_to(20, 20)
    w.line_to(190, 20, 1)
    w.close_stream()
    w.start_object(b'Od', 12)
    w.draw_text(20, 280, 'dispari', b'Fn1', 9)
    w.close_stream()
    w.start_object(b'All', 7)
    w.rectangle(10, 10, 190, 277, 1)
    w.close_stream()
    for p in range(1, 5):
        w.begin_page()
        if p == 2:
            w.line(b'/Od Do')
        w.draw_text(100, 150, 'Pagina %d' % p, b'Fn1', 12)
        w.end_page()
    return w.close()


if __name__ == '__main__':
    WIDTHS = load_widths()
    for name, make in [('minimal', minimal), ('text', text), ('graphics', graphics),
                       ('images', images), ('forms', forms)]:
        with open('expected_%s.pdf' % name, 'wb') as f:
            f.write(make())
