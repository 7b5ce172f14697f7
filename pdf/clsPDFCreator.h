#pragma once
// PDF 1.3 writer that streams every call straight to the file: nothing of a
// page is kept in memory, stream lengths come from file positions.
//
//   clsPDFCreator pdf(services.clock, services.random, programFolder);
//   pdf.setScaleMode(3);                      // centimetres
//   QString name = tempFolder + "report.pdf";
//   if (!pdf.InitPDFFile(name)) { /* show "cannot create" */ }
//   pdf.LoadFont("Fn1", "Arial", 1);
//   pdf.BeginPage();
//   pdf.DrawText(10.5, 27, "Risultati", "Fn1", 14, 2);
//   pdf.SetColorStroke(0); pdf.MoveTo(2, 26); pdf.LineTo(19, 26, 1);
//   pdf.EndPage();
//   if (!pdf.ClosePDFFile()) { /* pdf.errorString() */ }
//
// The target file is replaced atomically when ClosePDFFile succeeds; after a
// write error (a full disk included), drawing outside a page or a document
// without pages, nothing replaces it and ClosePDFFile returns false.

#include <QByteArray>
#include <QHash>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QIODevice;
class QSaveFile;
namespace platform {
class Clock;
class RandomSource;
}

class clsPDFCreator {
public:
    // The clock dates the document and names unnamed files; the random source
    // gives the last digit of such names. Either may be null.
    clsPDFCreator(const platform::Clock *clock, platform::RandomSource *random,
                  QString programFolder = QString());
    ~clsPDFCreator();
    clsPDFCreator(const clsPDFCreator &) = delete;
    clsPDFCreator &operator=(const clsPDFCreator &) = delete;

    // Properties (write-only except Pages). ScaleMode before the lengths.
    void setScaleMode(int32_t mode) { scaleMode_ = mode; }
    void setPaperSize(int32_t code);
    void setPaperWidth(float w);
    void setPaperHeight(float h);
    void setMargin(float m);
    void setOrientation(int32_t o) { orientation_ = o; }
    void setTitle(const QString &title) { title_ = title; }
    void setEncodeASCII85(bool on) { encodeASCII85_ = on; }
    int16_t Pages() const { return pages_; }

    // Sticky error state: the first file error, refused call that would have
    // broken the document, drawing call outside a page or form, or a
    // document without pages.
    bool hasError() const { return !error_.isEmpty(); }
    QString errorString() const { return error_; }

    // Document lifecycle.
    bool InitPDFFile(QString &strFileName);
    bool InitPDFStream(QIODevice *device);   // an open device, not owned
    // A PDF date: "D:" then year to second and the offset from UTC, +HH'mm'.
    static QString DataPDF(const QDateTime &quando);
    int16_t BeginPage();
    void EndPage();
    bool ClosePDFFile();

    // Fonts and text.
    bool LoadFontStandard(const QString &Name, const QString &BaseFont, int32_t Options = 0);
    bool LoadFont(const QString &Name, const QString &BaseFont, int32_t Options = 0);
    void DrawText(float X, float Y, const QString &strTemp, const QString &FontName,
                  float Fontsize, int32_t Align = 0, float Rotate = 0);
    float Length(const QString &Phrase, const QString &FontName, float Fontsize) const;
    void SetCharSpacing(float W);
    void SetWordSpacing(float W);
    void SetTextHorizontalScaling(float W);
    void SetTextRenderingMode(int32_t W);

    // Graphics state.
    void SetColorStroke(int32_t rgb);
    void SetColorFill(int32_t rgb);
    void SetLineWidth(float W);
    void SetDash(float dash_on, float dash_off);
    void SetLineCap(int32_t W);
    void SetLineJoin(int32_t W);
    void SetMiterLimit(float W);

    // Paths. Options: 1 stroke, 2 close, 4 fill; 0 leaves the path open.
    void MoveTo(float X, float Y);
    void LineTo(float X, float Y, int32_t Options = 0);
    void Curve(float X1, float Y1, float X2, float Y2, float X3, float Y3, int32_t Options = 0);
    void Rectangle(float X, float Y, float xdim, float ydim, int32_t Options = 0, float Ray = 0);
    void DrawCircle(float X, float Y, float Ray, int32_t Options = 0);
    void Arc(float X, float Y, float Ray, float StartAngle, float EndAngle, float Ratio = 1,
             bool Pie = false, float Rotate = 0, float Quality = 1, int32_t Options = 0);
    void PaintPath(int32_t Options);

    // Images. ColorSpace 0 colour, anything else grey.
    bool LoadImgFromBMPFile(const QString &Name, const QString &FileName, int32_t ColorSpace = 0);
    bool LoadImgFromArray(const QString &Name, const QByteArray &ImgBuf, const QByteArray &ImgColor,
                          int32_t ImgWidth, int32_t ImgHeight, int32_t ImgBPP, int32_t ColorSpace = 0);
    void DrawImg(const QString &Name, float DestX, float DestY, float ImgWidth, float ImgHeight);

    // Form objects. Options: 7 every page, 2 even pages, 4 odd pages, 8 not page 1.
    bool StartObject(const QString &Name, int32_t Options = 0);
    void EndObject();
    void DrawObject(const QString &Name);
    void DrawPageObjects();

    // Unit conversions in the current ScaleMode.
    float ToPoints(float v) const;
    float FromPoints(float v) const;

    // Pure helpers.
    static std::string FormatNumber(double v, int digits = 3);
    static QByteArray EscapeString(const QByteArray &s);
    static QByteArray ASCII85Encode(const QByteArray &bytes);
    static QByteArray toAnsi(const QString &s);   // code page 1252, "?" for the rest

    struct BmpImage {
        QByteArray pixels;    // rows bottom-up, padding removed
        QByteArray palette;   // 3 bytes (RGB) or 1 (grey) per entry, 2^bpp entries
        int32_t width = 0;
        int32_t height = 0;
        int32_t bpp = 0;      // 1, 4, 8 or 24 (24 stays 24 in grey mode)
    };
    static constexpr qint64 kMaxBmpBytes = 64 * 1024 * 1024;
    static bool ReadBMP(const QString &fileName, bool grey, BmpImage &out);
    static bool ReadBMPData(const QByteArray &data, bool grey, BmpImage &out);

private:
    enum class Stream { None, Page, Form };
    struct FontMetrics {
        QByteArray name;
        int first = 0;
        int last = 0;
        const char *descriptor = "";
        int widths[256] = {};
        int missingWidth = 0;
    };
    struct FormObject {
        QByteArray name;
        int32_t options = 0;
    };

    int NewObject(int n);
    void CloseObject() { WriteLine("endobj"); }
    void WriteLine(std::string_view text);
    void put(std::string_view s) { buf_.append(s); }
    static constexpr size_t kNumberBuffer = 400;   // the largest double has 309 digits
    static size_t formatNumberTo(char *buf, double v, int digits);
    // Numbers beyond what PDF 1.3 readers hold (16.16 fixed point) are clamped to it.
    static constexpr double kMaxNumber = 32767;
    void putNum(double v);
    void putInt(long long v) { buf_ += std::to_string(v); }
    static std::string pdfName(const QByteArray &name);
    void putName(const QByteArray &name) { buf_ += pdfName(name); }
    void endLine();
    void flush();
    void fail(const QString &why);
    qint64 position() const { return written_ + qint64(buf_.size()); }
    // Drawing needs an open page or form; a call outside one is dropped and
    // recorded, so ClosePDFFile reports the document as incomplete.
    bool canDraw();
    bool canLoad();
    void openStream(Stream kind, int lengthObject);
    void closeStream();
    void resetDocument();
    void pathStarted() { pathOpen_ = true; }
    void dropPath();
    void writeStreamObject(const QByteArray &dict, const QByteArray &data);
    void fillArial(FontMetrics &m, int32_t options) const;
    static void addResource(std::string &resources, const QByteArray &name, int object);
    void fillSymbol(FontMetrics &m, int32_t options) const;
    void setColor(int32_t rgb, bool stroke);

    // Outside world.
    const platform::Clock *clock_;
    platform::RandomSource *random_;
    QString programFolder_;

    // Properties.
    int32_t scaleMode_ = 0;
    int32_t paperSize_ = 0;
    float paperWidth_ = 595.2f;
    float paperHeight_ = 842.0f;
    float margin_ = 0;
    int32_t orientation_ = 0;
    QString title_ = QStringLiteral("(senza titolo)");
    bool encodeASCII85_ = false;

    // Output.
    std::unique_ptr<QSaveFile> file_;
    QIODevice *out_ = nullptr;
    std::string buf_;
    qint64 written_ = 0;
    QString error_;

    // Document state.
    std::vector<qint64> xrefOffsets_;   // index n-1 for object n
    int maxObject_ = 0;
    std::string kidsList_;
    std::string fontResources_, imageResources_, formResources_;
    bool anyImage_ = false;
    int16_t pages_ = 0;
    std::vector<FontMetrics> fonts_;
    QHash<QByteArray, int> fontIndex_;  // lower-case resource name -> metrics index
    std::vector<FormObject> formObjects_;
    Stream stream_ = Stream::None;
    QByteArray openForm_;
    int streamLengthObject_ = 0;
    qint64 streamStart_ = 0;
    bool pathOpen_ = false;
    double charSpacing_ = 0;
    double wordSpacing_ = 0;
    double horizontalScaling_ = 100;
};
