// The document: its file or stream, objects, pages, cross-reference and form objects.
// Fonts and text, graphics and images are in PdfTesto, PdfGrafica and PdfImmagini.
#include "pdf/clsPDFCreator.h"

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
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kFlushAt = 64 * 1024;

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

QString clsPDFCreator::DataPDF(const QDateTime &quando)
{
    // The time as the machine's clock tells it, with that moment's offset
    // from UTC (summer time included).
    const int scarto = quando.offsetFromUtc();
    const int minuti = std::abs(scarto) / 60;
    return QStringLiteral("D:") + quando.toString(QStringLiteral("yyyyMMddhhmmss")) +
           (scarto < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1'%2'").arg(minuti / 60, 2, 10, QLatin1Char('0')).arg(minuti % 60, 2, 10, QLatin1Char('0'));
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
        "/Producer (Tastavia PDF writer)\r/CreationDate (");
    put(DataPDF(now).toStdString());
    WriteLine(")\r>>");
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
