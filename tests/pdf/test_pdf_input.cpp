// BMP reading, images, form objects and every way a call can go wrong:
// the writer refuses or reports, and the document stays well formed.

#include "PdfTestSupport.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

using pdftest::dataPath;
using pdftest::outDir;
using pdftest::readAll;

namespace {

// A BMP with a 40-byte header; rows bottom-up, padded to 4 bytes here.
QByteArray makeBmp(int width, int height, int bits, const QByteArray &paletteBgr0, const QByteArray &rows,
                   quint32 compression = 0, quint32 coloursUsed = 0)
{
    auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char *>(&v), 4); };
    auto u16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char *>(&v), 2); };
    const quint32 offset = 54 + quint32(paletteBgr0.size());
    QByteArray b = "BM" + u32(offset + quint32(rows.size())) + u32(0) + u32(offset);
    b += u32(40) + u32(quint32(width)) + u32(quint32(height)) + u16(1) + u16(quint16(bits)) + u32(compression)
         + u32(quint32(rows.size())) + u32(2835) + u32(2835) + u32(coloursUsed) + u32(0);
    return b + paletteBgr0 + rows;
}

QByteArray twoColours() { return QByteArray("\0\0\0\0\xff\xff\xff\0", 8); }

struct MemoryDoc {
    pdftest::Writer w;
    QBuffer buffer;
    MemoryDoc()
    {
        buffer.open(QIODevice::WriteOnly);
        w.pdf.InitPDFStream(&buffer);
    }
    QByteArray finish()
    {
        EXPECT_TRUE(w.pdf.ClosePDFFile());
        return buffer.data();
    }
};

// A device that accepts a number of bytes and then fails, like a full disk.
class FullDisk : public QIODevice {
public:
    explicit FullDisk(qint64 room) : room_(room) { open(QIODevice::WriteOnly); }
protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override
    {
        if (len > room_) {
            setErrorString("No space left on device");
            return -1;
        }
        room_ -= len;
        return len;
    }
private:
    qint64 room_;
};

} // namespace

// --- BMP reader

TEST(PdfBmp, colourAndGrey_reorderAndStripPadding)
{
    // 2 x 1, 24 bits: blue, green, red per pixel, row padded to 8 bytes.
    const QByteArray row("\x01\x02\x03\xff\xff\xff\0\0", 8);
    const QByteArray bmp = makeBmp(2, 1, 24, QByteArray(), row);
    clsPDFCreator::BmpImage img;
    ASSERT_TRUE(clsPDFCreator::ReadBMPData(bmp, false, img));
    EXPECT_EQ(img.pixels, QByteArray("\x03\x02\x01\xff\xff\xff", 6));
    EXPECT_EQ(img.bpp, 24);
    ASSERT_TRUE(clsPDFCreator::ReadBMPData(bmp, true, img));
    // 0.33 x 3 + 0.59 x 2 + 0.11 x 1 = 2.28; white saturates at 255.
    EXPECT_EQ(img.pixels, QByteArray("\x02\xff", 2));
    EXPECT_EQ(img.bpp, 24);
}

TEST(PdfBmp, narrowOneBitRows_areFourBytesApart)
{
    // One pixel wide: each stored row still takes 4 bytes.
    const QByteArray rows("\x80\0\0\0\x00\0\0\0\x80\0\0\0", 12);
    clsPDFCreator::BmpImage img;
    ASSERT_TRUE(clsPDFCreator::ReadBMPData(makeBmp(1, 3, 1, twoColours(), rows), false, img));
    EXPECT_EQ(img.pixels, QByteArray("\x80\x00\x80", 3));
    EXPECT_EQ(img.palette, QByteArray("\0\0\0\xff\xff\xff", 6));
}

TEST(PdfBmp, shortPalette_isPaddedWithBlack)
{
    const QByteArray pal("\x10\x20\x30\0", 4);   // one entry of 16
    clsPDFCreator::BmpImage img;
    ASSERT_TRUE(clsPDFCreator::ReadBMPData(makeBmp(1, 1, 4, pal, QByteArray(4, '\0'), 0, 1), false, img));
    ASSERT_EQ(img.palette.size(), 48);
    EXPECT_EQ(img.palette.left(3), QByteArray("\x30\x20\x10", 3));
    EXPECT_EQ(img.palette.mid(3), QByteArray(45, '\0'));
}

TEST(PdfBmp, brokenOrLyingFiles_areRefused)
{
    const QByteArray good = makeBmp(2, 2, 24, QByteArray(), QByteArray(16, '\x7f'));
    auto patched = [&](int at, quint32 value) {
        QByteArray b = good;
        std::memcpy(b.data() + at, &value, 4);
        return b;
    };
    clsPDFCreator::BmpImage img;
    ASSERT_TRUE(clsPDFCreator::ReadBMPData(good, false, img));
    const QByteArray bad[] = {
        QByteArray(),
        "BM",
        "XY" + good.mid(2),                    // signature
        good.left(good.size() - 1),            // last row cut short
        patched(10, 1000),                     // pixel data beyond the end
        patched(10, 0xFFFFFFF0u),
        patched(14, 12),                       // OS/2 header
        patched(14, 0x7FFFFFFF),
        patched(18, 0x40000000),               // width far beyond the data
        patched(22, 0xFFFFFFFE),               // top-down (negative height)
        patched(18, 0),
        patched(28, 16),                       // unsupported depth
        patched(28, 32),
        patched(30, 1),                        // RLE compression
        makeBmp(2, 2, 8, QByteArray(100, '\0'), QByteArray(8, '\0')),   // palette cut short
    };
    for (const QByteArray &b : bad)
        EXPECT_FALSE(clsPDFCreator::ReadBMPData(b, false, img)) << b.size();
}

TEST(PdfBmp, missingOrOversizedFile_isRefused)
{
    QTemporaryDir dir;
    clsPDFCreator::BmpImage img;
    EXPECT_FALSE(clsPDFCreator::ReadBMP(dir.path() + "/none.bmp", false, img));
    QFile big(dir.path() + "/big.bmp");
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(makeBmp(1, 1, 24, QByteArray(), QByteArray(4, '\0')));
    big.resize(clsPDFCreator::kMaxBmpBytes + 1);   // sparse, quick
    big.close();
    EXPECT_FALSE(clsPDFCreator::ReadBMP(big.fileName(), false, img));
    EXPECT_TRUE(clsPDFCreator::ReadBMP(dataPath("img8.bmp"), false, img));
}

// --- images

TEST(PdfImages, notABmp_returnsFalseAndWritesNothing)
{
    MemoryDoc d;
    EXPECT_FALSE(d.w.pdf.LoadImgFromBMPFile("I", dataPath("make_expected.py")));
    EXPECT_FALSE(d.w.pdf.LoadImgFromBMPFile("I", dataPath("missing.bmp")));
    d.w.pdf.BeginPage();
    const QByteArray file = d.finish();
    EXPECT_FALSE(file.contains("/XObject"));
    EXPECT_TRUE(file.contains("/ProcSet [/PDF /Text ]"));
}

TEST(PdfImages, inconsistentArrays_areRefused)
{
    MemoryDoc d;
    clsPDFCreator &pdf = d.w.pdf;
    EXPECT_FALSE(pdf.LoadImgFromArray("A", QByteArray(5, 'x'), QByteArray(), 2, 1, 24, 0));   // needs 6
    EXPECT_FALSE(pdf.LoadImgFromArray("A", QByteArray(6, 'x'), QByteArray(), 2, 1, 16, 0));
    EXPECT_FALSE(pdf.LoadImgFromArray("A", QByteArray(), QByteArray(), 0, 0, 24, 0));
    EXPECT_TRUE(pdf.LoadImgFromArray("A", QByteArray(2, 'x'), QByteArray(), 2, 1, 24, 1));   // grey: 1 per pixel
    EXPECT_TRUE(pdf.LoadImgFromArray("P", QByteArray(1, '\x01'), QByteArray(3, 'c'), 1, 1, 1, 0));
    pdf.BeginPage();
    const QByteArray file = d.finish();
    // The two-entry palette was padded from one entry to two.
    EXPECT_TRUE(file.contains("/Length 6 >>\rstream\r\nccc\0\0\0\rendstream"));
}

// --- form objects

TEST(PdfForms, pageSelection_followsTheOptionBits)
{
    MemoryDoc d;
    clsPDFCreator &pdf = d.w.pdf;
    const struct { const char *name; int options; const char *pages; } forms[] = {
        {"Every", 7, "12345678"}, {"Even", 2, "2468"}, {"Odd", 4, "1357"},
        {"OddNotFirst", 12, "357"}, {"Bit1", 1, ""},
    };
    for (const auto &f : forms) {
        ASSERT_TRUE(pdf.StartObject(f.name, f.options));
        pdf.EndObject();
    }
    for (int p = 1; p <= 8; ++p)
        pdf.BeginPage();
    const QByteArray file = d.finish();
    for (const auto &f : forms) {
        QByteArray seen;
        qsizetype at = 0;
        for (int p = 1; p <= 8; ++p) {
            at = file.indexOf("stream\r\n", file.indexOf("/Type /Page\r", at));
            const qsizetype end = file.indexOf("endstream", at);
            if (file.mid(at, end - at).contains("/" + QByteArray(f.name) + " Do"))
                seen += char('0' + p);
        }
        EXPECT_EQ(seen, f.pages) << f.name;
    }
}

// --- misuse and failures

TEST(PdfFailures, uncreatableFile_returnsFalse)
{
    pdftest::Writer w;
    QString name = "/etc/passwd/inside.pdf";
    EXPECT_FALSE(w.pdf.InitPDFFile(name));
    QString missing = outDir() + "no/such/folder/x.pdf";
    EXPECT_FALSE(w.pdf.InitPDFFile(missing));
    EXPECT_EQ(w.pdf.BeginPage(), 0);
    EXPECT_FALSE(w.pdf.ClosePDFFile());
}

TEST(PdfFailures, writeError_isReportedAndNothingClaimsSuccess)
{
    pdftest::Writer w;
    FullDisk disk(3000);
    ASSERT_TRUE(w.pdf.InitPDFStream(&disk));
    w.pdf.LoadFont("A", "Arial", 0);
    w.pdf.BeginPage();
    for (int i = 0; i < 200; ++i)
        w.pdf.DrawText(10, i, "line", "A", 10);
    w.pdf.EndPage();
    EXPECT_FALSE(w.pdf.ClosePDFFile());
    EXPECT_TRUE(w.pdf.hasError());
    EXPECT_TRUE(w.pdf.errorString().contains("No space left"));
}

TEST(PdfFailures, failedOrAbandonedDocument_leavesTheOldFileAlone)
{
    QTemporaryDir dir;
    QString name = dir.path() + "/report.pdf";
    {
        QFile old(name);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old report");
    }
    {
        pdftest::Writer w;
        ASSERT_TRUE(w.pdf.InitPDFFile(name));
        w.pdf.BeginPage();
        EXPECT_EQ(readAll(name), "old report");
    }   // destroyed without ClosePDFFile
    EXPECT_EQ(readAll(name), "old report");
    pdftest::Writer w;
    ASSERT_TRUE(w.pdf.InitPDFFile(name));
    w.pdf.BeginPage();
    ASSERT_TRUE(w.pdf.ClosePDFFile());
    EXPECT_TRUE(readAll(name).startsWith("%PDF-1.3\r\n"));
    EXPECT_FALSE(w.pdf.ClosePDFFile());   // only once
}

TEST(PdfFailures, drawingOutsideAStream_isDroppedAndReported)
{
    MemoryDoc d;
    clsPDFCreator &pdf = d.w.pdf;
    pdf.LoadFontStandard("F", "Helvetica");
    pdf.EndPage();     // ending nothing is harmless
    pdf.EndObject();
    EXPECT_FALSE(pdf.hasError());
    pdf.DrawText(1, 1, "lost", "F", 10);
    pdf.SetColorStroke(255);
    pdf.Rectangle(1, 1, 2, 2, 1);
    pdf.DrawImg("I", 1, 1, 1, 1);
    EXPECT_TRUE(pdf.hasError());
    pdf.BeginPage();
    EXPECT_FALSE(pdf.ClosePDFFile());
    const QByteArray file = d.buffer.data();
    EXPECT_FALSE(file.contains("lost"));
    EXPECT_FALSE(file.contains(" RG"));
    EXPECT_FALSE(file.contains("endstream"));
}

TEST(PdfFailures, loadingInsideAPage_isRefusedAndThePageStaysIntact)
{
    QString name = outDir() + "load_inside_page.pdf";
    pdftest::Writer w;
    clsPDFCreator &pdf = w.pdf;
    ASSERT_TRUE(pdf.InitPDFFile(name));
    pdf.BeginPage();
    EXPECT_FALSE(pdf.LoadFont("A", "Arial", 0));
    EXPECT_FALSE(pdf.LoadFontStandard("B", "Helvetica"));
    EXPECT_FALSE(pdf.LoadImgFromBMPFile("I", dataPath("img24.bmp")));
    EXPECT_FALSE(pdf.StartObject("O", 7));
    pdf.EndPage();
    EXPECT_TRUE(pdf.LoadFontStandard("B", "Helvetica"));
    pdf.BeginPage();
    pdf.DrawText(100, 100, "dopo", "B", 12);
    // Closing with a page open ends it first.
    ASSERT_TRUE(pdf.ClosePDFFile());
    const QByteArray file = readAll(name);
    EXPECT_EQ(file.count(" 0 obj\r\n"), 11);   // 1 2, page 5-7, font 8, page 9-11, 4 3
    EXPECT_TRUE(file.contains("/Count 2\r"));
}

TEST(PdfFailures, secondInit_finishesTheFirstDocumentAndStartsAfresh)
{
    pdftest::Writer w;
    QString first = outDir() + "reuse_first.pdf";
    QString second = outDir() + "reuse_second.pdf";
    ASSERT_TRUE(w.pdf.InitPDFFile(first));
    w.pdf.LoadFontStandard("F", "Helvetica");
    w.pdf.BeginPage();
    ASSERT_TRUE(w.pdf.InitPDFFile(second));
    EXPECT_EQ(w.pdf.Pages(), 0);
    w.pdf.BeginPage();
    ASSERT_TRUE(w.pdf.ClosePDFFile());
    EXPECT_TRUE(readAll(first).contains("/Count 1\r"));
    const QByteArray file = readAll(second);
    EXPECT_TRUE(file.contains("\r\n5 0 obj\r\n<<\r/Type /Page\r"));
    EXPECT_FALSE(file.contains("/Font"));
}

TEST(PdfFailures, degenerateArcs_drawNothing)
{
    MemoryDoc d;
    clsPDFCreator &pdf = d.w.pdf;
    pdf.BeginPage();
    pdf.Arc(100, 100, 50, 0, 90, 1, false, 0, 0, 1);
    pdf.Arc(100, 100, 50, 0, 90, 1, false, 0, -5, 1);
    pdf.Arc(100, 100, 50, 0, 1e9f, 1, false, 0, 1, 1);
    pdf.Arc(100, 100, 50, 0, 90, 1, false, 0, std::nanf(""), 1);
    pdf.EndPage();
    const QByteArray file = d.finish();
    EXPECT_TRUE(pdftest::pageContent(file).isEmpty());
}

TEST(PdfFailures, tooManyPages_failsTheDocument)
{
    MemoryDoc d;
    clsPDFCreator &pdf = d.w.pdf;
    for (int i = 0; i < 32767; ++i)
        pdf.BeginPage();
    EXPECT_EQ(pdf.Pages(), 32767);
    EXPECT_FALSE(pdf.hasError());
    EXPECT_EQ(pdf.BeginPage(), 32767);
    EXPECT_TRUE(pdf.hasError());
    EXPECT_FALSE(pdf.ClosePDFFile());
}

TEST(PdfGraphics, coloursOutsideTheGreyRange_stayInsideZeroToOne)
{
    MemoryDoc d;
    clsPDFCreator &pdf = d.w.pdf;
    pdf.BeginPage();
    pdf.SetColorFill(-1000);
    pdf.SetColorStroke(0x7FFFFFFF);
    pdf.SetLineWidth(-2);
    const QByteArray file = d.finish();
    EXPECT_TRUE(file.contains("1 g\r\n1 1 1 RG\r\n0 w\r\n"));
}
