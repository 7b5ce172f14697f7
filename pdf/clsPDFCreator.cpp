#include "pdf/clsPDFCreator.h"

#include "pdf/FontWidths.h"
#include "platform/Services.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr size_t kFlushAt = 64 * 1024;
constexpr double kPi = 3.141592;   // the writer's own approximation, kept for identical output
constexpr int kMaxArcPoints = 100000;

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

// A text string of the document information: printable ASCII as a literal
// string, anything else as UTF-16 with its byte-order mark (code page 1252
// is not what readers decode there: "€" showed as a bullet).
std::string infoString(const QString &text)
{
    bool ascii = true;
    for (QChar c : text)
        ascii &= c.unicode() >= 0x20 && c.unicode() < 0x7F;
    if (ascii)
        return "(" + clsPDFCreator::EscapeString(text.toLatin1()).toStdString() + ")";
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "<FEFF";
    for (QChar c : text)
        for (int shift : {12, 8, 4, 0})
            out += hex[(c.unicode() >> shift) & 15];
    return out + ">";
}

quint32 readU32(const uchar *p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (quint32(p[3]) << 24); }
quint16 readU16(const uchar *p) { return quint16(p[0] | (p[1] << 8)); }

uchar greyOf(int r, int g, int b)
{
    // The weights add up to 1.03: very light colours saturate at white.
    double v = std::nearbyint(0.33 * r + 0.59 * g + 0.11 * b);
    return uchar(v > 255 ? 255 : v);
}

} // namespace

clsPDFCreator::clsPDFCreator(const platform::Clock *clock, platform::RandomSource *random,
                             QString programFolder)
    : clock_(clock), random_(random), programFolder_(std::move(programFolder))
{
}

clsPDFCreator::~clsPDFCreator()
{
    // An unfinished document never replaces the target file.
    if (file_)
        file_->cancelWriting();
}

// ---------------------------------------------------------------- properties

void clsPDFCreator::setPaperSize(int32_t code)
{
    paperSize_ = code;
    switch (code) {
    case 0: paperWidth_ = 595.2f; paperHeight_ = 842.0f; break;
    case 1: paperWidth_ = 842.0f; paperHeight_ = 1190.5f; break;
    case 2: paperWidth_ = 612.0f; paperHeight_ = 792.0f; break;
    case 3: paperWidth_ = 612.0f; paperHeight_ = 864.0f; break;
    default: break;
    }
}

void clsPDFCreator::setPaperWidth(float w)
{
    paperWidth_ = ToPoints(w);
    paperSize_ = 255;
}

void clsPDFCreator::setPaperHeight(float h)
{
    paperHeight_ = ToPoints(h);
    paperSize_ = 255;
}

void clsPDFCreator::setMargin(float m) { margin_ = ToPoints(m); }

float clsPDFCreator::ToPoints(float v) const
{
    switch (scaleMode_) {
    case 0: return v;
    case 1: return v * 72.0f;
    case 2: return float(double(v * 72.0f) / 25.4);
    case 3: return float(double(v * 72.0f) / 2.54);
    default: return 0;
    }
}

float clsPDFCreator::FromPoints(float v) const
{
    switch (scaleMode_) {
    case 0: return v;
    case 1: return v / 72.0f;
    case 2: return float(double(v / 72.0f) * 25.4);
    case 3: return float(double(v / 72.0f) * 2.54);
    default: return 0;
    }
}

// ---------------------------------------------------------------- helpers

size_t clsPDFCreator::formatNumberTo(char *buf, double v, int digits)
{
    if (!std::isfinite(v)) {
        buf[0] = '0';
        return 1;
    }
    digits = std::clamp(digits, 0, 15);
    char *end;
    if (digits == 3 && std::fabs(v) < 1e9) {
        // Fast path: v x 1000 is off by less than 2e-4 here, so unless it lies
        // right next to a half its rounding is the rounding of v itself.
        const double r = v * 1000;
        const double fl = std::floor(r);
        const double frac = r - fl;
        if (std::fabs(frac - 0.5) > 1e-3) {
            long long n = static_cast<long long>(frac < 0.5 ? fl : fl + 1);
            char *p = buf;
            if (n < 0) {
                *p++ = '-';
                n = -n;
            }
            const long long whole = n / 1000;
            int fraction = int(n % 1000);
            p = std::to_chars(p, p + 24, whole).ptr;
            if (fraction) {
                *p++ = '.';
                *p++ = char('0' + fraction / 100);
                fraction %= 100;
                if (fraction) {
                    *p++ = char('0' + fraction / 10);
                    if (fraction % 10)
                        *p++ = char('0' + fraction % 10);
                }
            }
            if (p - buf == 2 && buf[0] == '-' && buf[1] == '0')
                return (buf[0] = '0', 1);
            return size_t(p - buf);
        }
    }
    // The exact decimal value of v, rounded half to even.
    end = std::to_chars(buf, buf + kNumberBuffer, v, std::chars_format::fixed, digits).ptr;
    if (digits > 0) {
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
    }
    if (end - buf == 2 && buf[0] == '-' && buf[1] == '0')
        return (buf[0] = '0', 1);
    return size_t(end - buf);
}

std::string clsPDFCreator::FormatNumber(double v, int digits)
{
    char buf[kNumberBuffer];
    return std::string(buf, formatNumberTo(buf, v, digits));
}

void clsPDFCreator::putNum(double v)
{
    // Huge values would be written as integers beyond what readers take.
    if (std::isfinite(v))
        v = std::clamp(v, -kMaxNumber, kMaxNumber);
    char buf[kNumberBuffer];
    buf_.append(buf, formatNumberTo(buf, v, 3));
}

QByteArray clsPDFCreator::EscapeString(const QByteArray &s)
{
    QByteArray out;
    out.reserve(s.size() + 8);
    for (char c : s) {
        if (c == '\\' || c == '(' || c == ')')
            out += '\\';
        out += c;
    }
    return out;
}

QByteArray clsPDFCreator::ASCII85Encode(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    QByteArray out;
    out.reserve(n / 4 * 5 + 8);
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        quint32 v = (quint32(p[i]) << 24) | (p[i + 1] << 16) | (p[i + 2] << 8) | p[i + 3];
        if (v == 0) {
            out += 'z';
            continue;
        }
        char group[5];
        for (int k = 4; k >= 0; --k) {
            group[k] = char('!' + v % 85);
            v /= 85;
        }
        out.append(group, 5);
    }
    const qsizetype rest = n - i;
    if (rest > 0) {
        quint32 v = 0;
        for (int k = 0; k < 4; ++k)
            v = (v << 8) | (k < rest ? p[i + k] : 0);
        char group[5];
        for (int k = 4; k >= 0; --k) {
            group[k] = char('!' + v % 85);
            v /= 85;
        }
        out.append(group, rest + 1);
    }
    out += "~>";
    return out;
}

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

// ---------------------------------------------------------------- output

void clsPDFCreator::fail(const QString &why)
{
    if (error_.isEmpty())
        error_ = why;
}

void clsPDFCreator::flush()
{
    if (buf_.empty())
        return;
    if (out_ && error_.isEmpty()) {
        const qint64 n = out_->write(buf_.data(), qint64(buf_.size()));
        if (n != qint64(buf_.size()))
            fail(QStringLiteral("Scrittura non riuscita: %1").arg(out_->errorString()));
    }
    written_ += qint64(buf_.size());
    buf_.clear();
}

void clsPDFCreator::endLine()
{
    buf_ += "\r\n";
    if (buf_.size() >= kFlushAt)
        flush();
}

void clsPDFCreator::WriteLine(std::string_view text)
{
    put(text);
    endLine();
}

std::string clsPDFCreator::pdfName(const QByteArray &name)
{
    // Delimiters and blanks in a resource name would break the syntax: #xx them.
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(size_t(name.size()));
    for (char c : name) {
        const auto u = uchar(c);
        if (u <= 32 || u >= 127 || std::strchr("()<>[]{}/%#", c)) {
            out += '#';
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

int clsPDFCreator::NewObject(int n)
{
    if (n == 0)
        n = maxObject_ + 1;
    maxObject_ = std::max(maxObject_, n);
    if (xrefOffsets_.size() < size_t(maxObject_))
        xrefOffsets_.resize(size_t(maxObject_), -1);
    xrefOffsets_[size_t(n - 1)] = position();
    putInt(n);
    WriteLine(" 0 obj");
    return n;
}

void clsPDFCreator::resetDocument()
{
    buf_.clear();
    written_ = 0;
    error_.clear();
    xrefOffsets_.clear();
    maxObject_ = 0;
    kidsList_.clear();
    fontResources_.clear();
    imageResources_.clear();
    formResources_.clear();
    anyImage_ = false;
    pages_ = 0;
    fonts_.clear();
    fontIndex_.clear();
    formObjects_.clear();
    stream_ = Stream::None;
    openForm_.clear();
    pathOpen_ = false;
    charSpacing_ = 0;
    wordSpacing_ = 0;
    horizontalScaling_ = 100;
}

// ---------------------------------------------------------------- document

bool clsPDFCreator::InitPDFFile(QString &strFileName)
{
    if (out_)
        ClosePDFFile();
    if (strFileName.isEmpty()) {
        const QDateTime now = clock_ ? clock_->now() : QDateTime(QDate(2000, 1, 1), QTime(0, 0));
        const int digit = random_ ? std::clamp(int(random_->next() * 10), 0, 9) : 0;
        const qint64 number = (now.toString(QStringLiteral("dhhmmss")) + QString::number(digit)).toLongLong();
        QString folder = programFolder_;
        if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        strFileName = folder + QLatin1Char('~') + QString::number(number, 16).toUpper() + QStringLiteral(".pdf");
    }
    auto file = std::make_unique<QSaveFile>(strFileName);
    if (!file->open(QIODevice::WriteOnly))
        return false;
    file_ = std::move(file);
    if (!InitPDFStream(file_.get())) {
        file_->cancelWriting();
        file_.reset();
        return false;
    }
    return true;
}

bool clsPDFCreator::InitPDFStream(QIODevice *device)
{
    if (out_)
        ClosePDFFile();
    if (!device || !device->isWritable())
        return false;
    resetDocument();
    out_ = device;

    const QDateTime now = clock_ ? clock_->now() : QDateTime(QDate(2000, 1, 1), QTime(0, 0));
    WriteLine("%PDF-1.3");
    NewObject(1);
    put("<<\r/Title ");
    put(infoString(title_));
    put("\r/Author (Tastavia)\r/Creator  (clsPDFCreator FREE Version)\r"
        "/Producer (Tastavia PDF writer)\r/CreationDate (D:");
    put(now.toString(QStringLiteral("yyyyMMddhhmmss")).toStdString());
    WriteLine("+01'00')\r>>");
    CloseObject();
    NewObject(2);
    WriteLine("<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r"
              "/Lang (it) \r/ViewerPreferences << /HideToolbar false /DisplayDocTitle true "
              "/HideWindowUI false >>\r>>");
    CloseObject();
    maxObject_ = 4;
    xrefOffsets_.resize(4, -1);
    flush();
    if (hasError()) {
        out_ = nullptr;
        return false;
    }
    return true;
}

bool clsPDFCreator::canDraw()
{
    if (out_ && stream_ == Stream::None)
        fail(QStringLiteral("Disegno fuori da una pagina"));
    return out_ && stream_ != Stream::None;
}

bool clsPDFCreator::canLoad()
{
    if (!out_)
        return false;
    // An object written inside a content stream would corrupt it: refused.
    return stream_ == Stream::None;
}

void clsPDFCreator::openStream(Stream kind, int lengthObject)
{
    stream_ = kind;
    streamLengthObject_ = lengthObject;
    streamStart_ = position();
    pathOpen_ = false;
}

void clsPDFCreator::closeStream()
{
    if (stream_ == Stream::None)
        return;
    dropPath();   // a dangling path would make the content invalid
    const qint64 length = position() - streamStart_;
    WriteLine("endstream");
    CloseObject();
    NewObject(streamLengthObject_);
    putInt(length);
    endLine();
    CloseObject();
    stream_ = Stream::None;
    openForm_.clear();
}

int16_t clsPDFCreator::BeginPage()
{
    if (!out_)
        return pages_;
    closeStream();
    if (pages_ == INT16_MAX) {
        fail(QStringLiteral("Troppe pagine"));
        return pages_;
    }
    ++pages_;
    const int p = NewObject(0);
    put("<<\r/Type /Page\r/Parent 3 0 R\r/Contents ");
    putInt(p + 1);
    WriteLine(" 0 R\r>>");
    CloseObject();
    kidsList_ += std::to_string(p) + " 0 R ";
    NewObject(p + 1);
    put("<< /Length ");
    putInt(p + 2);
    WriteLine(" 0 R >>\rstream");
    openStream(Stream::Page, p + 2);
    charSpacing_ = 0;
    wordSpacing_ = 0;
    horizontalScaling_ = 100;
    DrawPageObjects();
    return pages_;
}

void clsPDFCreator::EndPage()
{
    if (out_ && stream_ == Stream::Page)
        closeStream();
}

bool clsPDFCreator::ClosePDFFile()
{
    if (!out_)
        return false;
    closeStream();
    // No reader opens a document without pages; the callers always draw one,
    // so none means something went wrong before.
    if (pages_ == 0)
        fail(QStringLiteral("Il documento non ha pagine"));

    NewObject(4);
    put("<<\r");
    if (!fontResources_.empty()) {
        put("/Font <<\r");
        put(fontResources_);
        put(">>\r");
    }
    put("/ProcSet [/PDF /Text");
    if (anyImage_)
        put(" /ImageB /ImageC /ImageI");
    put(" ]\r");
    if (anyImage_ || !formObjects_.empty()) {
        put("/XObject <<\r");
        put(imageResources_);
        put("\r");
        put(formResources_);
        put(">>\r");
    }
    WriteLine(">>");
    CloseObject();

    NewObject(3);
    put("<<\r/Type /Pages\r/Count ");
    putInt(pages_);
    put("\r/MediaBox [0 0 ");
    putNum(paperWidth_);
    put(" ");
    putNum(paperHeight_);
    put("]\r/CropBox [");
    putNum(margin_);
    put(" ");
    putNum(margin_);
    put(" ");
    putNum(paperWidth_ - margin_);
    put(" ");
    putNum(paperHeight_ - margin_);
    put("]\r");
    if (orientation_ == 1)
        put("/Rotate 90");
    put("\r/Kids [");
    put(kidsList_);
    WriteLine(" ]\r/Resources 4 0 R\r>>");
    CloseObject();

    const qint64 xref = position();
    WriteLine("xref");
    put("0 ");
    putInt(maxObject_ + 1);
    endLine();
    WriteLine("0000000000 65535 f");
    char entry[32];
    for (qint64 off : xrefOffsets_) {
        if (off < 0 || off > 9999999999LL) {
            fail(QStringLiteral("Tabella dei riferimenti non valida"));
            off = 0;
        }
        std::snprintf(entry, sizeof entry, "%010lld 00000 n", static_cast<long long>(off));
        WriteLine(entry);
    }
    put("trailer\r<<\r/Size ");
    putInt(maxObject_ + 1);
    WriteLine("\r/Info 1 0 R\r/Root 2 0 R\r>>");
    put("startxref\r");
    putInt(xref);
    endLine();
    WriteLine("%%EOF\r");
    flush();

    bool ok = !hasError();
    if (file_) {
        // Qt 6.4's commit() renames even when the last flush of its buffer
        // fails (a full disk): flush and sync first, and give up while the
        // old file is still there.
        if (ok && (!file_->flush() || (::fsync(file_->handle()) != 0 && errno != EINVAL))) {
            fail(QStringLiteral("Scrittura non riuscita: %1").arg(file_->errorString()));
            ok = false;
        }
        if (ok) {
            ok = file_->commit();
            if (!ok)
                fail(QStringLiteral("Scrittura non riuscita: %1").arg(file_->errorString()));
        } else {
            file_->cancelWriting();
        }
        file_.reset();
    }
    out_ = nullptr;
    return ok;
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

// ---------------------------------------------------------------- graphics state

void clsPDFCreator::setColor(int32_t rgb, bool stroke)
{
    if (!canDraw())
        return;
    if (rgb <= 0) {
        // Values below -255 are clamped to white rather than leaving 0..1.
        putNum(rgb < -255 ? 1.0 : -double(rgb) / 255);
        WriteLine(stroke ? " G" : " g");
        return;
    }
    putNum((rgb & 0xFF) / 255.0); put(" ");
    putNum(((rgb >> 8) & 0xFF) / 255.0); put(" ");
    putNum(((rgb >> 16) & 0xFF) / 255.0);
    WriteLine(stroke ? " RG" : " rg");
}

void clsPDFCreator::SetColorStroke(int32_t rgb) { setColor(rgb, true); }
void clsPDFCreator::SetColorFill(int32_t rgb) { setColor(rgb, false); }

void clsPDFCreator::SetLineWidth(float W)
{
    if (!canDraw())
        return;
    const float w = ToPoints(W);
    putNum(w > 0 ? w : 0);   // a negative width is not valid PDF
    WriteLine(" w");
}

void clsPDFCreator::SetDash(float dash_on, float dash_off)
{
    if (!canDraw())
        return;
    // Negative lengths are not valid and an all-zero pattern stops
    // ghostscript: they become 0, and a pattern that writes as all zeros is solid.
    auto length = [this](float v) {
        const double p = ToPoints(v);
        return std::isfinite(p) && p > 0 ? p : 0.0;
    };
    const double on = length(dash_on), off = length(dash_off);
    if (FormatNumber(on) != "0" || FormatNumber(off) != "0") {
        put("[");
        putNum(on);
        put(" ");
        putNum(off);
        WriteLine("] 0 d");
    } else {
        WriteLine("[ ] 0 d");
    }
}

void clsPDFCreator::SetLineCap(int32_t W)
{
    if (!canDraw() || W < 0 || W > 2)
        return;
    putInt(W);
    WriteLine(" J");
}

void clsPDFCreator::SetLineJoin(int32_t W)
{
    if (!canDraw() || W < 0 || W > 2)
        return;
    putInt(W);
    WriteLine(" j");
}

void clsPDFCreator::SetMiterLimit(float W)
{
    if (!canDraw() || !(W >= 1))
        return;
    putNum(W);
    WriteLine(" M");
}

// ---------------------------------------------------------------- paths

void clsPDFCreator::dropPath()
{
    if (pathOpen_) {
        WriteLine("n");
        pathOpen_ = false;
    }
}

void clsPDFCreator::MoveTo(float X, float Y)
{
    if (!canDraw())
        return;
    putNum(ToPoints(X)); put(" ");
    putNum(ToPoints(Y));
    WriteLine(" m");
    pathStarted();
}

void clsPDFCreator::LineTo(float X, float Y, int32_t Options)
{
    if (!canDraw())
        return;
    putNum(ToPoints(X)); put(" ");
    putNum(ToPoints(Y));
    WriteLine(" l");
    PaintPath(Options);
}

void clsPDFCreator::Curve(float X1, float Y1, float X2, float Y2, float X3, float Y3, int32_t Options)
{
    if (!canDraw())
        return;
    for (float v : {X1, Y1, X2, Y2, X3}) {
        putNum(ToPoints(v));
        put(" ");
    }
    putNum(ToPoints(Y3));
    WriteLine(" c");
    PaintPath(Options);
}

void clsPDFCreator::PaintPath(int32_t Options)
{
    if (!canDraw())
        return;
    if ((Options & 7) == 7) {
        WriteLine("b");
    } else if ((Options & 5) == 5) {
        WriteLine("B");
    } else if (Options & 4) {
        WriteLine("f");
    } else if (Options & 2) {
        WriteLine("h");
        if (!(Options & 1))
            return;
        WriteLine("S");
    } else if (Options & 1) {
        WriteLine("S");
    } else {
        return;
    }
    pathOpen_ = false;
}

void clsPDFCreator::Rectangle(float X, float Y, float xdim, float ydim, int32_t Options, float Ray)
{
    if (!canDraw())
        return;
    dropPath();
    if (Ray > 0) {
        float R = Ray;
        if (R > xdim / 2)
            R = xdim / 2;
        if (R > ydim / 2)
            R = ydim / 2;
        const float k = float(double(R) * 0.55);
        const float W = xdim, H = ydim;
        MoveTo(X + R, Y);
        LineTo(X + W - R, Y, 0);
        Curve(X + W - R + k, Y, X + W, Y + R - k, X + W, Y + R, 0);
        LineTo(X + W, Y + H - R, 0);
        Curve(X + W, Y + H - R + k, X + W - R + k, Y + H, X + W - R, Y + H, 0);
        LineTo(X + R, Y + H, 0);
        Curve(X + R - k, Y + H, X, Y + H - R + k, X, Y + H - R, 0);
        LineTo(X, Y + R, 0);
        Curve(X, Y + R - k, X + R - k, Y, X + R, Y, 0);
    } else {
        putNum(ToPoints(X)); put(" ");
        putNum(ToPoints(Y)); put(" ");
        putNum(ToPoints(xdim)); put(" ");
        putNum(ToPoints(ydim));
        WriteLine(" re");
        pathStarted();
    }
    PaintPath(Options);
}

void clsPDFCreator::DrawCircle(float X, float Y, float Ray, int32_t Options)
{
    if (!canDraw())
        return;
    const float R = Ray;
    const float k = float(double(R) * 0.55);
    MoveTo(X, Y - R);
    Curve(X + k, Y - R, X + R, Y - k, X + R, Y, 0);
    Curve(X + R, Y + k, X + k, Y + R, X, Y + R, 0);
    Curve(X - k, Y + R, X - R, Y + k, X - R, Y, 0);
    Curve(X - R, Y - k, X - k, Y - R, X, Y - R, 0);
    PaintPath(Options);
}

void clsPDFCreator::Arc(float X, float Y, float Ray, float StartAngle, float EndAngle, float Ratio,
                        bool Pie, float Rotate, float Quality, int32_t Options)
{
    if (!canDraw())
        return;
    // A step that never reaches the end (or would take forever) draws nothing.
    if (!std::isfinite(StartAngle) || !std::isfinite(EndAngle) || !std::isfinite(Quality)
        || !(Quality > 0))
        return;
    if (EndAngle > StartAngle && double(EndAngle - StartAngle) / Quality > kMaxArcPoints)
        return;
    dropPath();
    MoveTo(X, Y);
    if (Options & 4)
        Pie = true;
    const double d = kPi / 180;
    const double s = std::sin(-d * Rotate), c = std::cos(-d * Rotate);
    for (float a = StartAngle; a <= EndAngle; a += Quality) {
        const double u = double(Ray) * std::cos(d * a);
        const double v = double(Ratio) * Ray * std::sin(d * a);
        const float px = float(c * u + s * v);
        const float py = float(-u * s + c * v);
        if (!Pie && a == StartAngle)
            MoveTo(X + px, Y + py);
        LineTo(X + px, Y + py, 0);
        if (a + Quality == a)
            break;   // the single-precision counter can no longer advance
    }
    if (Pie)
        LineTo(X, Y, 0);
    PaintPath(Options);
}

// ---------------------------------------------------------------- images

bool clsPDFCreator::ReadBMP(const QString &fileName, bool grey, BmpImage &out)
{
    out = BmpImage();
    // Regular files only: opening a FIFO would wait for a writer for ever,
    // and a device may never end.
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    QFile f;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxBmpBytes
        || !f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    const QByteArray data = f.read(kMaxBmpBytes + 1);
    if (data.size() > kMaxBmpBytes)
        return false;
    return ReadBMPData(data, grey, out);
}

bool clsPDFCreator::ReadBMPData(const QByteArray &data, bool grey, BmpImage &out)
{
    out = BmpImage();
    const qint64 size = data.size();
    if (size < 54 || data[0] != 'B' || data[1] != 'M')
        return false;
    const auto *p = reinterpret_cast<const uchar *>(data.constData());
    const quint32 dataOffset = readU32(p + 10);
    const quint32 headerSize = readU32(p + 14);
    const qint32 width = qint32(readU32(p + 18));
    const qint32 height = qint32(readU32(p + 22));
    const quint16 bits = readU16(p + 28);
    const quint32 compression = readU32(p + 30);
    const quint32 coloursUsed = readU32(p + 46);
    // Only uncompressed bottom-up files with a Windows header are supported.
    if (headerSize < 40 || headerSize > size - 14 || compression != 0)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return false;
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535)
        return false;

    if (bits <= 8) {
        const qint64 entries = qint64(1) << bits;
        const qint64 stored = (coloursUsed > 0 && coloursUsed < quint32(entries)) ? coloursUsed : entries;
        const qint64 paletteAt = 14 + qint64(headerSize);
        if (paletteAt + stored * 4 > size)
            return false;
        out.palette.fill('\0', entries * (grey ? 1 : 3));
        auto *dst = reinterpret_cast<uchar *>(out.palette.data());
        for (qint64 i = 0; i < stored; ++i) {
            const uchar *e = p + paletteAt + i * 4;
            if (grey) {
                dst[i] = greyOf(e[2], e[1], e[0]);
            } else {
                dst[i * 3] = e[2];
                dst[i * 3 + 1] = e[1];
                dst[i * 3 + 2] = e[0];
            }
        }
    }

    // The pixels start after the headers and the palette; an offset inside
    // them (0 in broken files) would read the headers as pixels.
    qint64 headersEnd = 14 + qint64(headerSize);
    if (bits <= 8)
        headersEnd += 4 * ((coloursUsed > 0 && coloursUsed < (1u << bits)) ? qint64(coloursUsed) : (qint64(1) << bits));
    if (qint64(dataOffset) < headersEnd)
        return false;

    const qint64 rowSize = (qint64(bits) * width + 31) / 32 * 4;
    const qint64 rowBytes = (qint64(bits) * width + 7) / 8;
    if (qint64(dataOffset) > size || rowSize * height > size - qint64(dataOffset))
        return false;
    const uchar *src = p + dataOffset;
    if (bits <= 8) {
        out.pixels.resize(rowBytes * height);
        auto *dst = out.pixels.data();
        for (qint64 y = 0; y < height; ++y)
            std::memcpy(dst + y * rowBytes, src + y * rowSize, size_t(rowBytes));
    } else {
        out.pixels.resize(qint64(width) * height * (grey ? 1 : 3));
        auto *dst = reinterpret_cast<uchar *>(out.pixels.data());
        for (qint64 y = 0; y < height; ++y) {
            const uchar *row = src + y * rowSize;
            for (qint64 x = 0; x < width; ++x) {
                const uchar b = row[x * 3], g = row[x * 3 + 1], r = row[x * 3 + 2];
                if (grey) {
                    *dst++ = greyOf(r, g, b);
                } else {
                    *dst++ = r;
                    *dst++ = g;
                    *dst++ = b;
                }
            }
        }
    }
    out.width = width;
    out.height = height;
    out.bpp = bits;
    return true;
}

bool clsPDFCreator::LoadImgFromBMPFile(const QString &Name, const QString &FileName, int32_t ColorSpace)
{
    if (!canLoad())
        return false;
    BmpImage img;
    if (!ReadBMP(FileName, ColorSpace != 0, img))
        return false;
    return LoadImgFromArray(Name, img.pixels, img.palette, img.width, img.height, img.bpp, ColorSpace);
}

void clsPDFCreator::writeStreamObject(const QByteArray &dict, const QByteArray &data)
{
    buf_.append(dict.constData(), size_t(dict.size()));
    // "stream" must be followed by CR LF or LF, never a lone CR.
    put(">>\rstream\r\n");
    flush();
    if (out_ && error_.isEmpty() && out_->write(data) != data.size())
        fail(QStringLiteral("Scrittura non riuscita: %1").arg(out_->errorString()));
    written_ += data.size();
    WriteLine("\rendstream");
    CloseObject();
}

bool clsPDFCreator::LoadImgFromArray(const QString &Name, const QByteArray &ImgBuf,
                                     const QByteArray &ImgColor, int32_t ImgWidth, int32_t ImgHeight,
                                     int32_t ImgBPP, int32_t ColorSpace)
{
    if (!canLoad())
        return false;
    if (ImgBPP != 1 && ImgBPP != 4 && ImgBPP != 8 && ImgBPP != 24)
        return false;
    if (ImgWidth <= 0 || ImgHeight <= 0)
        return false;
    const bool grey = ColorSpace != 0;
    const qint64 rowBytes = ImgBPP == 24 ? qint64(ImgWidth) * (grey ? 1 : 3)
                                         : (qint64(ImgBPP) * ImgWidth + 7) / 8;
    // Sample data of another size would not decode.
    if (rowBytes * ImgHeight != ImgBuf.size())
        return false;

    const QByteArray space = grey ? "DeviceGray" : "DeviceRGB";
    QByteArray palette;
    if (ImgBPP <= 8) {
        palette = ImgColor.left((qint64(1) << ImgBPP) * (grey ? 1 : 3));
        palette.append(QByteArray((qint64(1) << ImgBPP) * (grey ? 1 : 3) - palette.size(), '\0'));
    }

    const int n = NewObject(0);
    put("<<\r/Type /XObject\r/Subtype /Image\r/Name /");
    putName(toAnsi(Name));
    put("\r/Width " + std::to_string(ImgWidth) + "\r/Height " + std::to_string(ImgHeight));
    if (encodeASCII85_)
        put("\r/Filter /ASCII85Decode");
    endLine();
    if (ImgBPP == 24) {
        put("/BitsPerComponent 8\r/ColorSpace /" + space.toStdString());
    } else {
        put("/BitsPerComponent " + std::to_string(ImgBPP) + "\r/ColorSpace [/Indexed /"
            + space.toStdString() + " " + std::to_string((1 << ImgBPP) - 1) + " "
            + std::to_string(n + 2) + " 0 R]");
    }
    put("\r/Length " + std::to_string(n + 1) + " 0 R");
    endLine();

    const QByteArray data = encodeASCII85_ ? ASCII85Encode(ImgBuf) : ImgBuf;
    writeStreamObject(QByteArray(), data);

    addResource(imageResources_, toAnsi(Name), n);
    anyImage_ = true;

    // The length counts the whole encoded text, end marker included.
    NewObject(0);
    putInt(data.size());
    endLine();
    CloseObject();

    if (ImgBPP <= 8) {
        const QByteArray text = encodeASCII85_ ? ASCII85Encode(palette) : palette;
        NewObject(0);
        QByteArray dict = "<<";
        if (encodeASCII85_)
            dict += "/Filter /ASCII85Decode\r";
        dict += "/Length " + QByteArray::number(text.size()) + " ";
        writeStreamObject(dict, text);
    }
    return true;
}

void clsPDFCreator::DrawImg(const QString &Name, float DestX, float DestY, float ImgWidth, float ImgHeight)
{
    if (!canDraw())
        return;
    put("q\r");
    putNum(ToPoints(ImgWidth));
    put("  0 0 ");
    putNum(-double(ToPoints(ImgHeight)));
    put(" ");
    putNum(ToPoints(DestX));
    put(" ");
    putNum(ToPoints(DestY));
    put(" cm\r/");
    putName(toAnsi(Name));
    WriteLine(" Do\rQ");
}

// ---------------------------------------------------------------- form objects

bool clsPDFCreator::StartObject(const QString &Name, int32_t Options)
{
    if (!canLoad())
        return false;
    if (formObjects_.size() >= size_t(INT16_MAX))
        return false;
    const QByteArray name = toAnsi(Name);
    const int x = NewObject(0);
    put("<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /");
    putName(name);
    put("\r/BBox [");
    putNum(margin_); put(" ");
    putNum(margin_); put(" ");
    putNum(paperWidth_ - margin_); put(" ");
    putNum(paperHeight_ - margin_);
    // The form names its resources: text and images inside it need them.
    put("]\r/Matrix [1 0 0 1 0 0]\r/Resources 4 0 R\r/Length ");
    putInt(x + 1);
    WriteLine(" 0 R >>\rstream");
    openStream(Stream::Form, x + 1);
    openForm_ = name;
    formObjects_.push_back({name, Options});

    addResource(formResources_, name, x);
    return true;
}

void clsPDFCreator::EndObject()
{
    if (out_ && stream_ == Stream::Form)
        closeStream();
}

void clsPDFCreator::DrawObject(const QString &Name)
{
    if (!canDraw())
        return;
    const QByteArray name = toAnsi(Name);
    if (stream_ == Stream::Form && name == openForm_)
        return;   // a form drawing itself would recurse in every viewer
    put("/");
    putName(name);
    WriteLine(" Do");
}

void clsPDFCreator::DrawPageObjects()
{
    if (!canDraw() || stream_ != Stream::Page)
        return;
    const int p = pages_;
    for (const FormObject &f : formObjects_) {
        const int o = f.options;
        const bool odd = p % 2 == 1;
        if ((o & 7) == 7 || (!odd && (o & 2)) || (odd && (o & 4) && !((o & 8) && p == 1)))
            DrawObject(QString::fromLatin1(f.name));
    }
}
