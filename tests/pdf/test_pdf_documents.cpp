// Whole documents compared byte for byte with the expected files that
// data/make_expected.py lays out from the writer's rules.

#include "PdfTestSupport.h"

#include <QTimeZone>

#include <QBuffer>
#include <QLocale>
#include <gtest/gtest.h>

#include <clocale>

using pdftest::dataPath;
using pdftest::outDir;
using pdftest::readAll;

namespace {

void expectSameFile(const QString &written, const QString &expectedName)
{
    const QByteArray actual = readAll(written);
    const QByteArray expected = readAll(dataPath(expectedName));
    ASSERT_FALSE(expected.isEmpty()) << expectedName.toStdString();
    if (actual == expected)
        return;
    qsizetype i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    FAIL() << "first difference at byte " << i << "\nexpected: "
           << expected.mid(std::max<qsizetype>(0, i - 40), 80).toStdString() << "\nactual:   "
           << actual.mid(std::max<qsizetype>(0, i - 40), 80).toStdString();
}

void writeMinimal(clsPDFCreator &pdf, QString name)
{
    ASSERT_TRUE(pdf.InitPDFFile(name));
    ASSERT_TRUE(pdf.LoadFontStandard("Fn1", "Helvetica"));
    EXPECT_EQ(pdf.BeginPage(), 1);
    pdf.DrawText(100, 700, "Ciao", "Fn1", 12);
    pdf.EndPage();
    ASSERT_TRUE(pdf.ClosePDFFile());
}

} // namespace

// --- document layout

TEST(PdfDocument, minimalDocument_matchesExpectedFile)
{
    pdftest::Writer w;
    const QString name = outDir() + "minimal.pdf";
    writeMinimal(w.pdf, name);
    EXPECT_EQ(w.pdf.Pages(), 1);
    expectSameFile(name, "expected_minimal.pdf");
}

TEST(PdfDocument, creationDate_carriesTheOffsetOfTheMachinesTimeZone)
{
    const QDate d(2026, 7, 5);
    const QTime t(9, 0, 0);
    const struct {
        QDateTime quando;
        const char *atteso;
    } casi[] = {
        {QDateTime(d, t, Qt::UTC), "D:20260705090000+00'00'"},
        {QDateTime(d, t, Qt::OffsetFromUTC, 7200), "D:20260705090000+02'00'"},   // summer in Rome
        {QDateTime(d, t, Qt::OffsetFromUTC, -16200), "D:20260705090000-04'30'"},
        {QDateTime(d, t, QTimeZone("Europe/Rome")), "D:20260705090000+02'00'"},
    };
    for (const auto &c : casi)
        EXPECT_EQ(clsPDFCreator::DataPDF(c.quando), c.atteso);
}

TEST(PdfDocument, minimalDocument_objectOrderAndXrefOffsetsHold)
{
    pdftest::Writer w;
    const QString name = outDir() + "minimal_offsets.pdf";
    writeMinimal(w.pdf, name);
    const QByteArray file = readAll(name);

    // File order 1, 2, 5, 6, 7, 8, 4, 3.
    qsizetype last = -1;
    for (int n : {1, 2, 5, 6, 7, 8, 4, 3}) {
        const qsizetype at = file.indexOf("\r\n" + QByteArray::number(n) + " 0 obj\r\n");
        ASSERT_GT(at, last) << "object " << n;
        last = at;
    }
    EXPECT_TRUE(file.contains("/Size 9\r"));

    // Every xref entry is 20 bytes and points at its "n 0 obj" line.
    const qsizetype xref = file.lastIndexOf("xref\r\n");
    ASSERT_TRUE(file.contains("startxref\r" + QByteArray::number(xref) + "\r\n%%EOF\r\r\n"));
    EXPECT_TRUE(file.endsWith("%%EOF\r\r\n"));
    const qsizetype table = file.indexOf("0000000000 65535 f\r\n", xref);
    for (int n = 1; n <= 8; ++n) {
        const QByteArray entry = file.mid(table + 20 * n, 20);
        ASSERT_TRUE(entry.endsWith(" 00000 n\r\n")) << entry.toStdString();
        const qsizetype offset = entry.left(10).toLongLong();
        EXPECT_TRUE(file.mid(offset).startsWith(QByteArray::number(n) + " 0 obj\r\n")) << n;
    }
}

TEST(PdfDocument, commaDecimalLocale_doesNotChangeTheBytes)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string cBefore = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");   // when installed
    pdftest::Writer w;
    const QString name = outDir() + "minimal_de.pdf";
    writeMinimal(w.pdf, name);
    std::setlocale(LC_ALL, cBefore.c_str());
    QLocale::setDefault(before);
    expectSameFile(name, "expected_minimal.pdf");
}

TEST(PdfDocument, textFontsRotationAndTextState_matchExpectedFile)
{
    pdftest::Writer w;
    clsPDFCreator &pdf = w.pdf;
    pdf.setScaleMode(3);
    pdf.setMargin(1);
    pdf.setOrientation(1);
    pdf.setTitle("Prova (1) \\ fine");
    QString name = outDir() + "text.pdf";
    ASSERT_TRUE(pdf.InitPDFFile(name));
    pdf.LoadFont("Fn1", "Arial", 0);
    pdf.LoadFont("Fn2", " sym Bol ", 1);
    pdf.LoadFont("Fn3", "Times New Roman", 2);
    pdf.LoadFontStandard("Fn4", "Helve tica", 0);
    pdf.BeginPage();
    pdf.DrawText(2.5, 24, "a(b)", "Fn1", 12);
    pdf.DrawText(10, 20, "Ruota", "Fn1", 10, 0, 90);
    pdf.DrawText(10.5, 18, QString::fromUtf8("Centro \u00e8"), "Fn3", 14, 2);
    pdf.DrawText(19, 16, "Destra", "Fn1", 11, 1);
    pdf.SetCharSpacing(1);
    pdf.SetWordSpacing(2);
    pdf.SetTextHorizontalScaling(90);
    pdf.SetTextRenderingMode(1);
    pdf.SetTextRenderingMode(5);
    pdf.DrawText(19, 14, "a b c", "Fn1", 10, 1);
    pdf.DrawText(10, 12, "abc", "Fn2", 12, 2);
    pdf.DrawText(10, 10, QString::fromUtf8("\u03a9\\"), "Fn4", 12, 2);
    pdf.SetTextRenderingMode(0);
    pdf.EndPage();
    pdf.BeginPage();
    pdf.DrawText(19, 14, "a b c", "Fn1", 10, 1);
    pdf.EndPage();
    ASSERT_TRUE(pdf.ClosePDFFile());
    expectSameFile(name, "expected_text.pdf");

    const QByteArray file = readAll(name);
    EXPECT_TRUE(file.contains("BT\r\n/Fn1 12 Tf\r\n70.866 680.315 Td\r\n(a\\(b\\)) Tj\r\nET\r\n"));
    EXPECT_TRUE(file.contains("/Fn1 10 Tf\r\n0 1 -1 0 283.465 566.929 Tm\r\n"));
    EXPECT_TRUE(file.contains("/Title (Prova \\(1\\) \\\\ fine)\r"));
    EXPECT_TRUE(file.contains("/Rotate 90\r/Kids"));
    EXPECT_TRUE(file.contains("/MediaBox [0 0 595.2 842]\r/CropBox [28.346 28.346 566.854 813.654]\r"));
}

TEST(PdfDocument, graphicsPathsAndPainting_matchExpectedFile)
{
    pdftest::Writer w;
    clsPDFCreator &pdf = w.pdf;
    pdf.setPaperSize(2);
    QString name = outDir() + "graphics.pdf";
    ASSERT_TRUE(pdf.InitPDFFile(name));
    pdf.BeginPage();
    pdf.SetColorStroke(0);
    pdf.SetColorFill(-255);
    pdf.SetColorStroke(255);
    pdf.SetColorFill(236 + 255 * 256 + 213 * 65536);
    pdf.SetColorStroke(-128);
    pdf.SetLineWidth(1.5);
    pdf.SetDash(3, 2);
    pdf.SetDash(0, 0);
    pdf.SetLineCap(1);
    pdf.SetLineCap(3);
    pdf.SetLineJoin(2);
    pdf.SetLineJoin(-1);
    pdf.SetMiterLimit(0.5);
    pdf.SetMiterLimit(4);
    pdf.MoveTo(50, 50);
    pdf.LineTo(100, 50, 0);
    pdf.LineTo(100, 100, 1);
    pdf.MoveTo(150, 50);
    pdf.Curve(160, 80, 190, 80, 200, 50, 3);
    pdf.MoveTo(250, 50);
    pdf.LineTo(300, 50, 0);
    pdf.LineTo(275, 90, 2);
    pdf.Rectangle(50, 150, 80, 40, 4);
    pdf.Rectangle(150, 150, 60, 40, 5, 50);
    pdf.Rectangle(250, 150, 40, 40, 7);
    pdf.DrawCircle(100, 300, 40, 1);
    pdf.Arc(300, 300, 50, 0, 90, 1, false, 0, 30, 5);
    pdf.Arc(450, 300, 50, 0, 180, 0.5, false, 30, 45, 1);
    pdf.MoveTo(500, 500);
    pdf.LineTo(550, 550, 0);
    pdf.EndPage();
    ASSERT_TRUE(pdf.ClosePDFFile());
    expectSameFile(name, "expected_graphics.pdf");

    const QByteArray file = readAll(name);
    EXPECT_TRUE(file.contains("<<\r/ProcSet [/PDF /Text ]\r>>\r\n"));   // no fonts, images or forms
    EXPECT_TRUE(file.contains("0 G\r\n1 g\r\n1 0 0 RG\r\n0.925 1 0.835 rg\r\n0.502 G\r\n"));
    EXPECT_TRUE(file.contains("100 100 l\r\nS\r\n"));
    EXPECT_TRUE(file.contains("200 50 c\r\nh\r\nS\r\n"));
    // Radius 50 on a 60 x 40 box becomes 20.
    EXPECT_TRUE(file.contains("f\r\n170 150 m\r\n190 150 l\r\n201 150 210 159 210 170 c\r\n"));
    // An open path is dropped with "n" before a rectangle, and at the page end.
    EXPECT_TRUE(file.contains("275 90 l\r\nh\r\nn\r\n50 150 80 40 re\r\n"));
    EXPECT_TRUE(file.contains("550 550 l\r\nn\r\nendstream"));
    // The filled arc closes through its centre.
    EXPECT_TRUE(file.contains("300 350 l\r\n300 300 l\r\nB\r\n"));
}

TEST(PdfDocument, imagesOfEveryDepthRawAndAscii85_matchExpectedFile)
{
    pdftest::Writer w;
    clsPDFCreator &pdf = w.pdf;
    QString name = outDir() + "images.pdf";
    ASSERT_TRUE(pdf.InitPDFFile(name));
    EXPECT_TRUE(pdf.LoadImgFromBMPFile("I24", dataPath("img24.bmp"), 0));
    EXPECT_TRUE(pdf.LoadImgFromBMPFile("I8", dataPath("img8.bmp"), 1));
    EXPECT_TRUE(pdf.LoadImgFromBMPFile("I4", dataPath("img4.bmp"), 0));
    EXPECT_TRUE(pdf.LoadImgFromBMPFile("I1", dataPath("img1.bmp"), 0));
    pdf.setEncodeASCII85(true);
    EXPECT_TRUE(pdf.LoadImgFromBMPFile("A24", dataPath("img24.bmp"), 1));
    EXPECT_TRUE(pdf.LoadImgFromBMPFile("A8", dataPath("img8.bmp"), 0));
    EXPECT_TRUE(pdf.LoadImgFromBMPFile("A4", dataPath("img4.bmp"), 1));
    EXPECT_TRUE(pdf.LoadImgFromBMPFile("A1", dataPath("img1.bmp"), 0));
    EXPECT_TRUE(pdf.LoadImgFromArray("Z", QByteArray(4, '\0'), QByteArray(), 4, 1, 24, 1));
    pdf.BeginPage();
    const char *names[] = {"I24", "I8", "I4", "I1", "A24", "A8", "A4", "A1", "Z"};
    for (int i = 0; i < 9; ++i)
        pdf.DrawImg(names[i], 50 + 60 * i, 800, 40, 30.5);
    pdf.EndPage();
    ASSERT_TRUE(pdf.ClosePDFFile());
    expectSameFile(name, "expected_images.pdf");

    const QByteArray file = readAll(name);
    EXPECT_TRUE(file.contains("/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r/XObject <<\r/I24 "));
    EXPECT_TRUE(file.contains("stream\r\nz~>\rendstream"));
    EXPECT_TRUE(file.contains("q\r40  0 0 -30.5 50 800 cm\r/I24 Do\rQ\r\n"));
}

TEST(PdfDocument, formObjectsOnOddEvenAndEveryPage_matchExpectedFile)
{
    pdftest::Writer w;
    clsPDFCreator &pdf = w.pdf;
    pdf.setScaleMode(2);
    pdf.setPaperWidth(210);
    pdf.setPaperHeight(297);
    pdf.setMargin(10);
    QString name = outDir() + "forms.pdf";
    ASSERT_TRUE(pdf.InitPDFFile(name));
    pdf.LoadFontStandard("Fn1", "Helvetica");
    ASSERT_TRUE(pdf.StartObject("Ev", 2));
    pdf.SetColorStroke(255);
    pdf.MoveTo(20, 20);
    pdf.LineTo(190, 20, 1);
    pdf.EndObject();
    ASSERT_TRUE(pdf.StartObject("Od", 12));
    pdf.DrawText(20, 280, "dispari", "Fn1", 9);
    pdf.EndObject();
    ASSERT_TRUE(pdf.StartObject("All", 7));
    pdf.Rectangle(10, 10, 190, 277, 1);
    pdf.DrawObject("All");   // would recurse: ignored
    pdf.EndObject();
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(pdf.BeginPage(), p);
        if (p == 2)
            pdf.DrawObject("Od");
        pdf.DrawText(100, 150, QString("Pagina %1").arg(p), "Fn1", 12);
        pdf.EndPage();
    }
    ASSERT_TRUE(pdf.ClosePDFFile());
    expectSameFile(name, "expected_forms.pdf");

    const QByteArray file = readAll(name);
    EXPECT_TRUE(file.contains("/MediaBox [0 0 595.276 841.89]"));
    EXPECT_TRUE(file.contains("/ProcSet [/PDF /Text ]\r/XObject <<\r\r/Ev "));
}

// --- properties and file names

TEST(PdfDocument, emptyFileName_makesTildeNameInProgramFolder)
{
    fake::Services fakes;
    fakes.random.queued = {0.35};
    clsPDFCreator pdf(&fakes.clock, &fakes.random, outDir());
    QString name;
    ASSERT_TRUE(pdf.InitPDFFile(name));
    pdf.BeginPage();
    ASSERT_TRUE(pdf.ClosePDFFile());
    // Day 5, 09:00:00, digit 3: 50900003 in hexadecimal.
    EXPECT_EQ(name, outDir() + "~308AC23.pdf");
    EXPECT_TRUE(QFile::exists(name));
    QFile::remove(name);
}

TEST(PdfDocument, paperSizesAndUnits_reachThePageTree)
{
    struct Case { int scale; int paper; float w, h; QByteArray media; };
    const Case cases[] = {
        {0, 1, 0, 0, "[0 0 842 1190.5]"},
        {0, 3, 0, 0, "[0 0 612 864]"},
        {0, 9, 0, 0, "[0 0 595.2 842]"},     // unknown code keeps the size
        {1, 0, 8.5f, 11, "[0 0 612 792]"},
        {2, 0, 210, 297, "[0 0 595.276 841.89]"},
        {7, 0, 210, 297, "[0 0 0 0]"},       // unknown unit converts to 0
    };
    for (const Case &c : cases) {
        pdftest::Writer w;
        w.pdf.setScaleMode(c.scale);
        w.pdf.setPaperSize(c.paper);
        if (c.w > 0) {
            w.pdf.setPaperWidth(c.w);
            w.pdf.setPaperHeight(c.h);
        }
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(w.pdf.InitPDFStream(&buffer));
        w.pdf.BeginPage();
        w.pdf.EndPage();
        ASSERT_TRUE(w.pdf.ClosePDFFile());
        EXPECT_TRUE(buffer.data().contains("/MediaBox " + c.media)) << c.media.toStdString();
        EXPECT_FALSE(buffer.data().contains("/Rotate"));
    }
}
