// Fonts and text: the standard and Arial fonts, their widths, strings in code page 1252.
#include "pdf/clsPDFCreator.h"

#include "pdf/FontWidths.h"
#include "pdf/PdfInterno.h"

#include <cmath>
#include <cstring>

using pdfinterno::kPi;

namespace {

const char *const kStyleSuffix[4] = {"", ",Bold", ",Italic", ",BoldItalic"};

const char *const kArialDescriptor[4] = {
    "/Flags 32 /FontBBox [-250 -221 1190 1000] /MissingWidth 272 /StemV 80 "
    "/StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 /MaxWidth 992 /AvgWidth 441",
    "/Flags 16416 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 "
    "/StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 /MaxWidth 933 /AvgWidth 479",
    "/Flags 96 /FontBBox [-250 -212 1134 1000] /MissingWidth 259 /StemV 80 "
    "/StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 /MaxWidth 945 /AvgWidth 441",
    "/Flags 16480 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 "
    "/StemH 153 /ItalicAngle -11 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 /MaxWidth 933 /AvgWidth 479",
};
const int kArialMissing[4] = {272, 311, 259, 311};

const char *const kSymbolDescriptor[4] = {
    "/Flags 6 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 109 "
    "/StemH 109 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 "
    "/Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 601",
    "/Flags 16390 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 191 "
    "/StemH 191 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 "
    "/Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 600",
    "/Flags 70 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 109 "
    "/StemH 109 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 "
    "/Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 600",
    "/Flags 16454 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 191 "
    "/StemH 191 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 "
    "/Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 600",
};

int styleOf(int32_t options) { return options >= 0 && options <= 3 ? options : -1; }

// A base font as one of the 14 standard fonts, when it is one of their
// families (or a common name of one: Arial, Times New Roman, Courier New):
// the style of the name and the style code add up, so Times-Roman in bold is
// Times-Bold and Times-Bold in italic Times-BoldItalic. Empty for other fonts.
QByteArray standardFont(const QByteArray &base, int32_t options, bool &symbolic)
{
    static const struct {
        const char *prefix;
        const char *names[4];   // regular, bold, italic, bold italic
    } families[] = {
        {"timesnewroman", {"Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"}},
        {"times", {"Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"}},
        {"helvetica", {"Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique"}},
        {"arial", {"Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique"}},
        {"couriernew", {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique"}},
        {"courier", {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique"}},
    };
    const QByteArray lower = base.toLower();
    symbolic = lower == "symbol" || lower == "zapfdingbats";
    if (symbolic)
        return lower == "symbol" ? "Symbol" : "ZapfDingbats";
    for (const auto &f : families) {
        if (!lower.startsWith(f.prefix))
            continue;
        QByteArray rest = lower.mid(qsizetype(std::strlen(f.prefix)));
        bool bold = false, italic = false;
        for (const char *word : {"-", ",", "psmt", "ps", "mt", "roman", "regular", "bold", "italic", "oblique"}) {
            const bool found = rest.contains(word);
            rest.replace(word, "");
            bold |= found && std::strcmp(word, "bold") == 0;
            italic |= found && (std::strcmp(word, "italic") == 0 || std::strcmp(word, "oblique") == 0);
        }
        if (!rest.isEmpty())
            return QByteArray();   // another family that only starts the same
        const int style = styleOf(options);
        bold |= style == 1 || style == 3;
        italic |= style == 2 || style == 3;
        return f.names[(bold ? 1 : 0) + (italic ? 2 : 0)];
    }
    return QByteArray();
}

} // namespace

namespace pdfinterno {

// Code page 1252 bytes 0x80..0x9F; 0 marks the five unassigned ones, which
// round-trip as the C1 code points of the same value.
const char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char ansiByte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return char(cp);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == cp && cp != 0)
            return char(0x80 + i);
        if (kCp1252High[i] == 0 && cp == char32_t(0x80 + i))
            return char(cp);
    }
    return '?';
}

} // namespace pdfinterno

using pdfinterno::ansiByte;

QByteArray clsPDFCreator::toAnsi(const QString &s)
{
    QByteArray out(s.size(), Qt::Uninitialized);
    char *dst = out.data();
    const auto *src = reinterpret_cast<const char16_t *>(s.utf16());
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = src[i];
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(src[i + 1])) {
            *dst++ = '?';   // one character beyond the code page
            ++i;
        } else {
            *dst++ = ansiByte(u);
        }
    }
    out.truncate(dst - out.data());
    return out;
}

// ---------------------------------------------------------------- fonts and text

bool clsPDFCreator::LoadFontStandard(const QString &Name, const QString &BaseFont, int32_t Options)
{
    if (!canLoad())
        return false;
    QByteArray base = toAnsi(BaseFont);
    base.replace(" ", "");
    bool symbolic = false;
    QByteArray standard = standardFont(base, Options, symbolic);
    if (standard.isEmpty()) {
        // Not a standard family: the name as given, the style as a suffix.
        const int style = styleOf(Options);
        standard = base + (style >= 0 ? kStyleSuffix[style] : "");
    }
    const int f = NewObject(0);
    put("<< /Type /Font /Subtype /Type1 /Name /");
    putName(toAnsi(Name));
    put(" /BaseFont /");
    putName(standard);
    // Symbol and ZapfDingbats keep their built-in encoding: under WinAnsi
    // their codes name Latin glyphs they lack, and nothing is drawn.
    WriteLine(symbolic ? " >>" : " /Encoding /WinAnsiEncoding >>");
    CloseObject();
    addResource(fontResources_, toAnsi(Name), f);
    return true;
}

// Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a chain of
// std::string concatenations here.
void clsPDFCreator::addResource(std::string &resources, const QByteArray &name, int object)
{
    resources += '/';
    resources += pdfName(name);
    resources += ' ';
    resources += std::to_string(object);
    resources += " 0 R \r";
}

void clsPDFCreator::fillArial(FontMetrics &m, int32_t options) const
{
    static const int16_t *const tables[4] = {pdfwidths::kArialRegular, pdfwidths::kArialBold,
                                             pdfwidths::kArialItalic, pdfwidths::kArialBoldItalic};
    const int style = styleOf(options);
    m.name = QByteArray("Arial") + (style >= 0 ? kStyleSuffix[style] : "");
    m.first = 32;
    m.last = 255;
    // An unknown style has no widths and no descriptor of its own: regular's
    // descriptor keeps the font dictionary valid.
    m.descriptor = kArialDescriptor[style >= 0 ? style : 0];
    m.missingWidth = kArialMissing[style >= 0 ? style : 0];
    if (style >= 0)
        for (int c = 32; c <= 255; ++c)
            m.widths[c] = tables[style][c - 32];
}

void clsPDFCreator::fillSymbol(FontMetrics &m, int32_t options) const
{
    const int style = styleOf(options);
    m.name = QByteArray("Symbol") + (style >= 0 ? kStyleSuffix[style] : "");
    m.first = 30;
    m.last = 255;
    m.descriptor = kSymbolDescriptor[style >= 0 ? style : 0];
    m.missingWidth = 332;
    if (style >= 0)
        for (int c = 30; c <= 255; ++c)
            m.widths[c] = pdfwidths::kSymbol[c - 30];
}

bool clsPDFCreator::LoadFont(const QString &Name, const QString &BaseFont, int32_t Options)
{
    if (!canLoad())
        return false;
    if (fonts_.size() >= size_t(INT16_MAX))
        return false;
    FontMetrics m;
    QString base = BaseFont;
    base.remove(QLatin1Char(' '));
    const bool symbol = base.toUpper() == QLatin1String("SYMBOL");
    if (symbol)
        fillSymbol(m, Options);
    else
        fillArial(m, Options);

    const int f = NewObject(0);
    put("<< /Type /Font \r/Subtype /TrueType\r/Name /");
    putName(toAnsi(Name));
    put("\r/BaseFont /");
    put(m.name.toStdString());
    put("\r/FirstChar ");
    putInt(m.first);
    put("\r/LastChar ");
    putInt(m.last);
    put("\r/FontDescriptor ");
    putInt(f + 1);
    // Symbol keeps its built-in encoding: WinAnsi would map its codes to Latin glyphs.
    put(symbol ? " 0 R\r/Widths [" : " 0 R\r/Encoding /WinAnsiEncoding\r/Widths [");
    endLine();
    int inLine = 0;
    for (int c = m.first; c <= m.last; ++c) {
        putNum(m.widths[c]);
        put(" ");
        if (++inLine == 16 || c == m.last) {
            endLine();
            inLine = 0;
        }
    }
    WriteLine("] >>");
    CloseObject();

    const int index = int(fonts_.size()) + 1;
    fonts_.push_back(m);
    const QByteArray key = toAnsi(Name).toLower();
    if (!fontIndex_.contains(key))
        fontIndex_.insert(key, index);   // the first font of a name wins
    addResource(fontResources_, toAnsi(Name), f);

    NewObject(0);
    put("<<\r/Type /FontDescriptor\r/FontName /");
    put(m.name.toStdString());
    put("\r");
    put(m.descriptor);
    WriteLine("\r>>");
    CloseObject();
    return true;
}

float clsPDFCreator::Length(const QString &Phrase, const QString &FontName, float Fontsize) const
{
    const auto it = fontIndex_.constFind(toAnsi(FontName).toLower());
    if (it == fontIndex_.constEnd())
        return 0;
    const FontMetrics &m = fonts_[size_t(it.value() - 1)];
    double sum = 0;
    int blanks = 0;
    const QByteArray text = toAnsi(Phrase);
    for (char ch : text) {
        const int k = uchar(ch);
        sum += (k >= m.first && k <= m.last) ? m.widths[k] : m.missingWidth;
        if (k == 32)
            ++blanks;
    }
    const double points = (sum * double(Fontsize) / 1000 + blanks * wordSpacing_
                           + double(text.size()) * charSpacing_) * horizontalScaling_ / 100;
    return FromPoints(float(points));
}

void clsPDFCreator::DrawText(float X, float Y, const QString &strTemp, const QString &FontName,
                             float Fontsize, int32_t Align, float Rotate)
{
    if (!canDraw())
        return;
    if (Align == 1)
        X -= Length(strTemp, FontName, Fontsize);
    else if (Align == 2)
        X -= Length(strTemp, FontName, Fontsize) / 2;
    WriteLine("BT");
    put("/");
    putName(toAnsi(FontName));
    put(" ");
    putNum(Fontsize);
    WriteLine(" Tf");
    if (Rotate != 0) {
        const double a = double(Rotate) * kPi / 180;
        const double c = std::cos(a), s = std::sin(a);
        putNum(c); put(" ");
        putNum(s); put(" ");
        putNum(-s); put(" ");
        putNum(c); put(" ");
        putNum(ToPoints(X)); put(" ");
        putNum(ToPoints(Y));
        WriteLine(" Tm");
    } else {
        putNum(ToPoints(X)); put(" ");
        putNum(ToPoints(Y));
        WriteLine(" Td");
    }
    put("(");
    const auto *src = reinterpret_cast<const char16_t *>(strTemp.utf16());
    const qsizetype n = strTemp.size();
    const size_t at = buf_.size();
    buf_.resize(at + 2 * size_t(n));   // room for every byte escaped
    char *dst = buf_.data() + at;
    for (qsizetype i = 0; i < n; ++i) {
        char c;
        if (src[i] < 0x80) {
            c = char(src[i]);
        } else if (QChar::isHighSurrogate(src[i]) && i + 1 < n && QChar::isLowSurrogate(src[i + 1])) {
            c = '?';
            ++i;
        } else {
            c = ansiByte(src[i]);
        }
        if (c == '\\' || c == '(' || c == ')')
            *dst++ = '\\';
        *dst++ = c;
    }
    buf_.resize(size_t(dst - buf_.data()));
    WriteLine(") Tj");
    WriteLine("ET");
}

void clsPDFCreator::SetCharSpacing(float W)
{
    if (!canDraw())
        return;
    charSpacing_ = std::isfinite(W) ? W : 0;
    putNum(W);
    WriteLine(" Tc");
}

void clsPDFCreator::SetWordSpacing(float W)
{
    if (!canDraw())
        return;
    wordSpacing_ = std::isfinite(W) ? W : 0;
    putNum(W);
    WriteLine(" Tw");
}

void clsPDFCreator::SetTextHorizontalScaling(float W)
{
    if (!canDraw())
        return;
    horizontalScaling_ = std::isfinite(W) ? W : 0;
    putNum(W);
    WriteLine(" Tz");
}

void clsPDFCreator::SetTextRenderingMode(int32_t W)
{
    if (!canDraw() || W < 0 || W > 2)
        return;
    putInt(W);
    WriteLine(" Tr");
}
