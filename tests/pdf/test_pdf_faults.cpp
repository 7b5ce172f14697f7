// Faults found by using the writer as a new caller would: full disks, styled
// standard fonts, odd dash lengths, empty documents, drawing outside a page,
// titles beyond ASCII, FIFOs and lying bitmaps, huge coordinates. Every file
// written here also goes through the validators (check_written.sh).

#include "PdfTestSupport.h"
#include "tests/support/FileSystemPiccolo.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using pdftest::dataPath;
using pdftest::outDir;
using pdftest::readAll;

namespace {

// One page of `lines` text lines: about 45 bytes each.
bool writeDocument(clsPDFCreator &pdf, QString name, int lines)
{
    if (!pdf.InitPDFFile(name))
        return false;
    pdf.LoadFontStandard("F", "Helvetica");
    pdf.BeginPage();
    for (int i = 0; i < lines; ++i)
        pdf.DrawText(10, float(i % 800), "riga", "F", 10);
    pdf.EndPage();
    return pdf.ClosePDFFile();
}

QByteArray fontObjects(const QByteArray &file)
{
    QByteArray out;
    for (qsizetype at = file.indexOf("/Type /Font"); at >= 0; at = file.indexOf("/Type /Font", at + 1))
        out += file.mid(at, file.indexOf(">>", at) + 2 - at) + "\n";
    return out;
}

} // namespace

// --- the file on disk

namespace {

// Documents bigger than the room left, from less than one write buffer to
// several, must fail and leave the old report; one that fits is written.
int fullDiskChecks(const QString &folder)
{
    const QString name = folder + "/report.pdf";
    int step = 20;
    for (int lines : {250, 330, 1000, 3000}) {
        pdftest::Writer w;
        if (writeDocument(w.pdf, name, lines))
            return step + 1;   // told that it worked
        if (!w.pdf.hasError())
            return step + 2;
        if (readAll(name) != "old report")
            return step + 3;   // the old file was replaced
        if (QDir(folder).entryList(QDir::Files | QDir::Hidden).size() != 2)
            return step + 4;   // a temporary file was left behind
        step += 10;
    }
    pdftest::Writer w;
    if (!writeDocument(w.pdf, name, 20) || !readAll(name).startsWith("%PDF-1.3"))
        return 90;
    return 0;
}

int oldReportAndFiller(const QString &folder, bool fill)
{
    QFile old(folder + "/report.pdf");
    if (!old.open(QIODevice::WriteOnly) || old.write("old report") != 10)
        return 10;
    old.close();
    QFile filler(folder + "/riempitivo");   // the same files in both folders
    if (!fill && !filler.open(QIODevice::WriteOnly))
        return 11;
    if (fill && !filesystem_test::riempi(folder, 8192))
        return 12;
    return 0;
}

} // namespace

TEST(PdfFaults, fullFileSystem_failsTheCloseAndKeepsTheOldFile)
{
    const int r = filesystem_test::inFileSystemPiccolo(256 * 1024, [](const QString &folder) {
        const int ready = oldReportAndFiller(folder, true);
        return ready ? ready : fullDiskChecks(folder);
    });
    if (r == filesystem_test::kNessunFileSystem)
        GTEST_SKIP() << "no small file system can be mounted here (the file size limit test still runs)";
    EXPECT_EQ(r, 0);
}

TEST(PdfFaults, fileSizeLimit_failsTheCloseAndKeepsTheOldFile)
{
    const int r = filesystem_test::inFileLimitati(8192, [](const QString &folder) {
        const int ready = oldReportAndFiller(folder, false);
        return ready ? ready : fullDiskChecks(folder);
    });
    ASSERT_NE(r, filesystem_test::kNessunFileSystem);
    EXPECT_EQ(r, 0);
}

TEST(PdfFaults, documentWithoutPages_isAFailureAndWritesNoFile)
{
    QTemporaryDir dir;
    QString name = dir.filePath("empty.pdf");
    pdftest::Writer w;
    ASSERT_TRUE(w.pdf.InitPDFFile(name));
    w.pdf.LoadFontStandard("F", "Helvetica");
    EXPECT_FALSE(w.pdf.ClosePDFFile());
    EXPECT_TRUE(w.pdf.hasError());
    EXPECT_FALSE(w.pdf.errorString().isEmpty());
    EXPECT_FALSE(QFile::exists(name));
}

TEST(PdfFaults, drawingBeforeAPageOrAfterItsEnd_isReportedAtClose)
{
    const auto draws = std::vector<std::function<void(clsPDFCreator &)>>{
        [](clsPDFCreator &p) { p.DrawText(1, 1, "lost", "F", 10); },
        [](clsPDFCreator &p) { p.SetColorStroke(255); },
        [](clsPDFCreator &p) { p.SetDash(3, 2); },
        [](clsPDFCreator &p) { p.MoveTo(1, 1); },
        [](clsPDFCreator &p) { p.Rectangle(1, 1, 2, 2, 1); },
        [](clsPDFCreator &p) { p.DrawImg("I", 1, 1, 1, 1); },
        [](clsPDFCreator &p) { p.DrawObject("O"); },
        [](clsPDFCreator &p) { p.SetCharSpacing(1); },
    };
    for (size_t i = 0; i < draws.size(); ++i) {
        for (bool afterEnd : {false, true}) {
            pdftest::Writer w;
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            ASSERT_TRUE(w.pdf.InitPDFStream(&buffer));
            w.pdf.LoadFontStandard("F", "Helvetica");
            if (afterEnd) {
                w.pdf.BeginPage();
                w.pdf.EndPage();
            }
            draws[i](w.pdf);
            if (!afterEnd) {
                w.pdf.BeginPage();
                w.pdf.EndPage();
            }
            EXPECT_FALSE(w.pdf.ClosePDFFile()) << "call " << i << (afterEnd ? " after the page" : " before it");
            EXPECT_FALSE(w.pdf.errorString().isEmpty());
        }
    }
}

// --- fonts

TEST(PdfFaults, styledStandardFonts_takeTheStandardNames)
{
    pdftest::Writer w;
    clsPDFCreator &pdf = w.pdf;
    QString name = outDir() + "standard_styles.pdf";
    ASSERT_TRUE(pdf.InitPDFFile(name));
    const struct { const char *base; int style; const char *expected; } fonts[] = {
        {"Times-Roman", 0, "Times-Roman"}, {"Times-Roman", 1, "Times-Bold"},
        {"Times-Roman", 2, "Times-Italic"}, {"Times-Roman", 3, "Times-BoldItalic"},
        {"Helvetica", 1, "Helvetica-Bold"}, {"Helvetica", 2, "Helvetica-Oblique"},
        {"Helvetica", 3, "Helvetica-BoldOblique"}, {"Courier", 0, "Courier"},
        {"Courier", 1, "Courier-Bold"}, {"Courier", 2, "Courier-Oblique"},
        {"Courier", 3, "Courier-BoldOblique"},
        {"Times", 1, "Times-Bold"}, {"Times New Roman", 2, "Times-Italic"}, {"Arial", 3, "Helvetica-BoldOblique"},
        {"Courier New", 0, "Courier"}, {"helvetica", 9, "Helvetica"}, {"Times-Bold", 2, "Times-BoldItalic"},
        {"Helvetica-Oblique", 1, "Helvetica-BoldOblique"}, {"Symbol", 1, "Symbol"}, {"Zapf Dingbats", 3, "ZapfDingbats"},
    };
    int n = 0;
    for (const auto &f : fonts)
        ASSERT_TRUE(pdf.LoadFontStandard(QString("S%1").arg(n++), f.base, f.style)) << f.base;
    pdf.BeginPage();
    for (int i = 0; i < n; ++i)
        pdf.DrawText(50, 800 - 30 * i, "Prova 123", QString("S%1").arg(i), 12);
    pdf.EndPage();
    ASSERT_TRUE(pdf.ClosePDFFile());
    const QByteArray file = readAll(name);
    n = 0;
    for (const auto &f : fonts) {
        const QByteArray entry = "/Name /S" + QByteArray::number(n++) + " /BaseFont /" + f.expected + " ";
        EXPECT_TRUE(file.contains(entry)) << f.base << " " << f.style << "\n" << fontObjects(file).toStdString();
    }
    EXPECT_FALSE(file.contains(",Bold"));
    EXPECT_FALSE(file.contains(",Italic"));
}

TEST(PdfFaults, standardSymbolAndDingbats_keepTheirBuiltInEncoding)
{
    pdftest::Writer w;
    clsPDFCreator &pdf = w.pdf;
    QString name = outDir() + "standard_symbol.pdf";
    ASSERT_TRUE(pdf.InitPDFFile(name));
    pdf.LoadFontStandard("Sy", "Symbol");
    pdf.LoadFontStandard("Za", "ZapfDingbats");
    pdf.LoadFontStandard("He", "Helvetica");
    pdf.BeginPage();
    pdf.DrawText(50, 700, "abgd", "Sy", 14);
    pdf.DrawText(50, 650, "3456", "Za", 14);
    pdf.DrawText(50, 600, "abgd", "He", 14);
    pdf.EndPage();
    ASSERT_TRUE(pdf.ClosePDFFile());
    const QByteArray fonts = fontObjects(readAll(name));
    EXPECT_TRUE(fonts.contains("/BaseFont /Symbol >"));
    EXPECT_TRUE(fonts.contains("/BaseFont /ZapfDingbats >"));
    EXPECT_TRUE(fonts.contains("/BaseFont /Helvetica /Encoding /WinAnsiEncoding >"));
    EXPECT_EQ(fonts.count("/Encoding"), 1);
}

// --- graphics

TEST(PdfFaults, setDash_neverWritesNegativeOrAllZeroLengths)
{
    pdftest::Writer w;
    clsPDFCreator &pdf = w.pdf;
    QString name = outDir() + "dash_lengths.pdf";
    ASSERT_TRUE(pdf.InitPDFFile(name));
    pdf.BeginPage();
    const struct { float on, off; const char *written; } cases[] = {
        {3, 2, "[3 2] 0 d"},
        {-3, 2, "[0 2] 0 d"},
        {3, -1, "[3 0] 0 d"},
        {-3, -2, "[ ] 0 d"},
        {0.0001f, 0.0002f, "[ ] 0 d"},      // both round to 0
        {std::nanf(""), 2, "[0 2] 0 d"},
        {0, 0, "[ ] 0 d"},
    };
    for (const auto &c : cases) {
        pdf.SetDash(c.on, c.off);
        pdf.MoveTo(10, 10);
        pdf.LineTo(200, 10, 1);
    }
    pdf.EndPage();
    ASSERT_TRUE(pdf.ClosePDFFile());
    const QByteArray content = pdftest::pageContent(readAll(name));
    qsizetype at = 0;
    for (const auto &c : cases) {
        at = content.indexOf(" d\r\n", at);
        ASSERT_GE(at, 0);
        const qsizetype start = content.lastIndexOf('\n', at) + 1;
        EXPECT_EQ(content.mid(start, at + 2 - start), c.written) << c.on << " " << c.off;
        ++at;
    }
}

TEST(PdfFaults, hugeCoordinates_areClampedToWhatReadersAccept)
{
    pdftest::Writer w;
    clsPDFCreator &pdf = w.pdf;
    QString name = outDir() + "huge_coordinates.pdf";
    ASSERT_TRUE(pdf.InitPDFFile(name));
    pdf.LoadFontStandard("F", "Helvetica");
    pdf.BeginPage();
    pdf.MoveTo(1e19f, -1e20f);
    pdf.LineTo(3e38f, 40000, 1);
    pdf.Rectangle(-1e30f, 5, 1e25f, 32767.5f, 1);
    pdf.DrawText(1e19f, 100, "lontano", "F", 1e20f);
    pdf.SetLineWidth(1e19f);
    pdf.EndPage();
    ASSERT_TRUE(pdf.ClosePDFFile());
    const QByteArray content = pdftest::pageContent(readAll(name));
    EXPECT_TRUE(content.contains("32767 -32767 m\r\n32767 32767 l\r\n"));
    EXPECT_TRUE(content.contains("-32767 5 32767 32767 re\r\n"));
    EXPECT_TRUE(content.contains("/F 32767 Tf\r\n32767 100 Td\r\n"));
    EXPECT_FALSE(content.contains("00000"));
}

// --- document information

TEST(PdfFaults, titleBeyondAscii_isWrittenAsUtf16WithItsMark)
{
    pdftest::Writer w;
    clsPDFCreator &pdf = w.pdf;
    const QString title = QString::fromUtf8("Risultati € – più (1)");
    pdf.setTitle(title);
    QString name = outDir() + "title_euro.pdf";
    ASSERT_TRUE(pdf.InitPDFFile(name));
    pdf.BeginPage();
    pdf.EndPage();
    ASSERT_TRUE(pdf.ClosePDFFile());
    const QByteArray file = readAll(name);
    const qsizetype at = file.indexOf("/Title <");
    ASSERT_GE(at, 0);
    const QByteArray hex = file.mid(at + 8, file.indexOf('>', at) - at - 8);
    const QByteArray bytes = QByteArray::fromHex(hex);
    ASSERT_TRUE(bytes.startsWith("\xFE\xFF"));
    QString decoded;
    for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
        decoded += QChar(char16_t((uchar(bytes[i]) << 8) | uchar(bytes[i + 1])));
    EXPECT_EQ(decoded, title);

    // Plain ASCII stays a literal string, escaped as before.
    pdftest::Writer plain;
    plain.pdf.setTitle("Prova (1)");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(plain.pdf.InitPDFStream(&buffer));
    EXPECT_TRUE(buffer.data().contains("/Title (Prova \\(1\\))\r"));
}

// --- bitmaps

TEST(PdfFaults, fifoInsteadOfABitmap_isRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("image.bmp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    pdftest::Writer w;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(w.pdf.InitPDFStream(&buffer));
    auto loading = std::async(std::launch::async, [&] { return w.pdf.LoadImgFromBMPFile("I", fifo); });
    const bool finished = loading.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!finished) {
        // Let the blocked open go: a writer that closes at once gives it an end of file.
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY);
        ::close(fd);
    }
    EXPECT_TRUE(finished) << "reading a FIFO blocked";
    EXPECT_FALSE(loading.get());
    clsPDFCreator::BmpImage img;
    EXPECT_FALSE(clsPDFCreator::ReadBMP("/dev/zero", false, img));
    EXPECT_FALSE(clsPDFCreator::ReadBMP(dir.path(), false, img));
}

TEST(PdfFaults, bmpPixelOffsetInsideTheHeaders_isRefused)
{
    const QByteArray good = readAll(dataPath("img8.bmp"));
    ASSERT_GT(good.size(), 54 + 1024);
    clsPDFCreator::BmpImage img;
    ASSERT_TRUE(clsPDFCreator::ReadBMPData(good, false, img));
    quint32 offset = 0;
    std::memcpy(&offset, good.constData() + 10, 4);
    for (quint32 bad : {0u, 14u, 53u, 54u, offset - 1}) {
        QByteArray b = good;
        std::memcpy(b.data() + 10, &bad, 4);
        EXPECT_FALSE(clsPDFCreator::ReadBMPData(b, false, img)) << "offset " << bad;
    }
    const QByteArray colour = readAll(dataPath("img24.bmp"));
    for (quint32 bad : {0u, 14u, 53u}) {
        QByteArray b = colour;
        std::memcpy(b.data() + 10, &bad, 4);
        EXPECT_FALSE(clsPDFCreator::ReadBMPData(b, false, img)) << "offset " << bad;
    }
}
