// Number format, string escaping, units, code page and text measuring.

#include "PdfTestSupport.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// A writer on a memory buffer with one page open.
struct OpenPage {
    pdftest::Writer w;
    QBuffer buffer;
    explicit OpenPage(int scaleMode = 0)
    {
        w.pdf.setScaleMode(scaleMode);
        buffer.open(QIODevice::WriteOnly);
        w.pdf.InitPDFStream(&buffer);
    }
    QByteArray finish()
    {
        w.pdf.ClosePDFFile();
        return buffer.data();
    }
};

} // namespace

// --- number format

TEST(PdfNumbers, formatNumber_plainDecimalThreeDigitsTiesToEven)
{
    const struct { double v; const char *text; } cases[] = {
        {595.2, "595.2"}, {12, "12"}, {0.7, "0.7"}, {-3.14159, "-3.142"},
        {0.0625, "0.062"}, {0.1875, "0.188"}, {1.0625, "1.062"},     // exact binary ties
        {-0.0001, "0"}, {-0.0, "0"}, {0.0004, "0"}, {0.0006, "0.001"},
        {1e20, "100000000000000000000"}, {1e-9, "0"}, {-2.5, "-2.5"},
        {123456789.1234, "123456789.123"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(clsPDFCreator::FormatNumber(c.v, 3), c.text) << c.v;
    EXPECT_EQ(clsPDFCreator::FormatNumber(2.5, 0), "2");
    EXPECT_EQ(clsPDFCreator::FormatNumber(3.5, 0), "4");
}

TEST(PdfNumbers, formatNumber_agreesWithExactDecimalRounding)
{
    // Reference: the exact decimal value of the double, rounded half to even.
    auto reference = [](double v) {
        char buf[400];
        char *end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3).ptr;
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
        std::string s(buf, end);
        return s == "-0" ? std::string("0") : s;
    };
    uint64_t x = 88172645463325252ULL;
    for (int i = 0; i < 50000; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        const double scale = std::pow(10.0, double(x % 13) - 4);   // 1e-4 .. 1e8
        const double v = (double(x >> 11) / double(1ULL << 53) - 0.5) * scale;
        // Also values a hair away from a rounding half.
        const double nearHalf = (std::floor(v * 1000) + 0.5) / 1000;
        for (double t : {v, nearHalf, std::nextafter(nearHalf, 0.0), std::nextafter(nearHalf, 1e300)})
            ASSERT_EQ(clsPDFCreator::FormatNumber(t, 3), reference(t)) << t;
    }
}

TEST(PdfNumbers, formatNumber_nonFiniteIsZero)
{
    EXPECT_EQ(clsPDFCreator::FormatNumber(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(clsPDFCreator::FormatNumber(std::numeric_limits<double>::infinity()), "0");
    EXPECT_EQ(clsPDFCreator::FormatNumber(-std::numeric_limits<double>::infinity()), "0");
    EXPECT_EQ(clsPDFCreator::FormatNumber(std::numeric_limits<double>::max()).size(), 309u);
}

TEST(PdfNumbers, nonFiniteCoordinates_areWrittenAsZero)
{
    OpenPage p;
    p.w.pdf.BeginPage();
    p.w.pdf.MoveTo(std::nanf(""), INFINITY);
    p.w.pdf.LineTo(-INFINITY, 5, 1);
    const QByteArray file = p.finish();
    EXPECT_TRUE(file.contains("0 0 m\r\n0 5 l\r\nS\r\n"));
}

TEST(PdfNumbers, unitConversions_followScaleMode)
{
    pdftest::Writer w;
    clsPDFCreator &pdf = w.pdf;
    pdf.setScaleMode(2);
    EXPECT_EQ(clsPDFCreator::FormatNumber(pdf.ToPoints(210)), "595.276");
    EXPECT_NEAR(pdf.FromPoints(pdf.ToPoints(210)), 210, 1e-3);
    pdf.setScaleMode(1);
    EXPECT_EQ(pdf.ToPoints(1), 72);
    EXPECT_EQ(pdf.FromPoints(36), 0.5);
    pdf.setScaleMode(3);
    EXPECT_NEAR(pdf.ToPoints(2.54f), 72, 1e-4);
    EXPECT_NEAR(pdf.FromPoints(72), 2.54, 1e-5);
    pdf.setScaleMode(0);
    EXPECT_EQ(pdf.ToPoints(12.5), 12.5);
    pdf.setScaleMode(4);
    EXPECT_EQ(pdf.ToPoints(12.5), 0);
    EXPECT_EQ(pdf.FromPoints(12.5), 0);
}

// --- strings

TEST(PdfStrings, escapeString_backslashFirstThenParentheses)
{
    EXPECT_EQ(clsPDFCreator::EscapeString("a(b)"), "a\\(b\\)");
    EXPECT_EQ(clsPDFCreator::EscapeString("c:\\x"), "c:\\\\x");
    EXPECT_EQ(clsPDFCreator::EscapeString("\\("), "\\\\\\(");
    EXPECT_EQ(clsPDFCreator::EscapeString(")("), "\\)\\(");
}

TEST(PdfStrings, toAnsi_mapsCodePage1252AndReplacesTheRest)
{
    EXPECT_EQ(clsPDFCreator::toAnsi(QString::fromUtf8("\u20ac\u00e8\u0152\u2019")), QByteArray("\x80\xe8\x8c\x92"));
    EXPECT_EQ(clsPDFCreator::toAnsi(QString::fromUtf8("\u03a9x")), "?x");
    EXPECT_EQ(clsPDFCreator::toAnsi(QString::fromUtf8("\U0001F600")), "?");   // one character, one "?"
    EXPECT_EQ(clsPDFCreator::toAnsi(QString(QChar(0x81))), QByteArray("\x81"));
    EXPECT_EQ(clsPDFCreator::toAnsi(QString(QChar(0x80))), "?");
}

TEST(PdfStrings, ascii85_matchesTheFilterDefinition)
{
    EXPECT_EQ(clsPDFCreator::ASCII85Encode(QByteArray(4, '\0')), "z~>");
    EXPECT_EQ(clsPDFCreator::ASCII85Encode(QByteArray(1, '\0')), "!!~>");
    EXPECT_EQ(clsPDFCreator::ASCII85Encode("Man is"), "9jqo^Bla~>");
    EXPECT_EQ(clsPDFCreator::ASCII85Encode(QByteArray("\0\0\0\0\1", 5)), "z!<~>");
    EXPECT_EQ(clsPDFCreator::ASCII85Encode(QByteArray(4, '\xff')), "s8W-!~>");
    EXPECT_EQ(clsPDFCreator::ASCII85Encode(QByteArray()), "~>");
}

// --- fonts and measuring

TEST(PdfFonts, length_usesThePublishedWidthsOfEachFamily)
{
    OpenPage p;
    clsPDFCreator &pdf = p.w.pdf;
    pdf.LoadFont("R", "Arial", 0);
    pdf.LoadFont("B", "Arial", 1);
    pdf.LoadFont("S", "Symbol", 0);
    const struct { const char *font; const char *text; float width; } rows[] = {
        {"R", " ", 278}, {"R", "!", 278}, {"R", "\"", 355}, {"R", "%", 889}, {"R", "&", 667}, {"R", "'", 191},
        {"B", "!", 333}, {"B", "\"", 474}, {"B", "%", 889}, {"B", "&", 722}, {"B", "'", 238},
        {"S", "%", 833}, {"S", "$", 549}, {"S", " ", 250},
        {"R", "\t", 272},            // below the first code: the missing width
    };
    for (const auto &r : rows)
        EXPECT_EQ(pdf.Length(r.text, r.font, 1000), r.width) << r.font << " " << r.text;
}

TEST(PdfFonts, length_isZeroForUnknownAndStandardFonts)
{
    OpenPage p;
    clsPDFCreator &pdf = p.w.pdf;
    pdf.LoadFontStandard("T", "Helvetica");
    pdf.LoadFont("A", "Arial", 0);
    EXPECT_EQ(pdf.Length("abc", "T", 12), 0);
    EXPECT_EQ(pdf.Length("abc", "Nope", 12), 0);
    EXPECT_GT(pdf.Length("abc", "a", 12), 0);   // names match in any case
    pdf.BeginPage();
    pdf.DrawText(100, 100, "centred", "T", 12, 2);
    EXPECT_TRUE(p.finish().contains("/T 12 Tf\r\n100 100 Td\r\n"));
}

TEST(PdfFonts, length_followsSpacingAndScalingUntilTheNextPage)
{
    OpenPage p;
    clsPDFCreator &pdf = p.w.pdf;
    pdf.LoadFont("A", "Arial", 0);
    pdf.BeginPage();
    const float plain = pdf.Length("ab cd", "A", 10);
    pdf.SetCharSpacing(1);
    EXPECT_FLOAT_EQ(pdf.Length("ab cd", "A", 10), plain + 5);
    pdf.SetWordSpacing(3);
    EXPECT_FLOAT_EQ(pdf.Length("ab cd", "A", 10), plain + 8);
    pdf.SetTextHorizontalScaling(50);
    EXPECT_FLOAT_EQ(pdf.Length("ab cd", "A", 10), (plain + 8) / 2);
    pdf.SetTextRenderingMode(3);
    pdf.SetTextRenderingMode(-1);
    pdf.SetTextRenderingMode(2);
    pdf.EndPage();
    pdf.BeginPage();
    EXPECT_FLOAT_EQ(pdf.Length("ab cd", "A", 10), plain);
    const QByteArray file = p.finish();
    EXPECT_TRUE(file.contains("1 Tc\r\n3 Tw\r\n50 Tz\r\n2 Tr\r\n"));
}

TEST(PdfFonts, loadFont_namesPickTheFamily)
{
    OpenPage p;
    clsPDFCreator &pdf = p.w.pdf;
    pdf.LoadFont("F1", "Times New Roman", 0);
    pdf.LoadFont("F2", "SYMBOL", 2);
    pdf.LoadFont("F3", " s y m b o l ", 3);
    pdf.LoadFont("F4", "Arial", 9);            // unknown style: no suffix, no widths
    pdf.BeginPage();
    const QByteArray file = p.finish();
    EXPECT_TRUE(file.contains("/Name /F1\r/BaseFont /Arial\r/FirstChar 32\r"));
    EXPECT_TRUE(file.contains("/Name /F2\r/BaseFont /Symbol,Italic\r/FirstChar 30\r"));
    EXPECT_TRUE(file.contains("/Name /F3\r/BaseFont /Symbol,BoldItalic\r/FirstChar 30\r"));
    EXPECT_TRUE(file.contains("/Name /F4\r/BaseFont /Arial\r"));
    EXPECT_EQ(pdf.Length("abc", "F4", 12), 0);
    // Symbol keeps its own encoding; Arial is WinAnsi.
    EXPECT_EQ(file.count("/Encoding /WinAnsiEncoding"), 2);
    // Arial: 14 lines of 16 widths; Symbol: 14 lines and one of 2.
    EXPECT_TRUE(file.contains("/Widths [\r\n278 278 355 556 556 889 667 191 333 333 389 584 278 333 278 278 \r\n"));
    EXPECT_TRUE(file.contains("/Widths [\r\n0 0 250 333 713 500 549 833 778 439 333 333 500 549 250 549 \r\n"));
}

TEST(PdfFonts, sameNameTwice_measuresWithTheFirst)
{
    OpenPage p;
    clsPDFCreator &pdf = p.w.pdf;
    pdf.LoadFont("F", "Arial", 0);
    pdf.LoadFont("f", "Symbol", 0);
    EXPECT_EQ(pdf.Length("'", "F", 1000), 191);
}

TEST(PdfFonts, awkwardResourceNames_stayValidNames)
{
    OpenPage p;
    clsPDFCreator &pdf = p.w.pdf;
    pdf.LoadFontStandard("a b/(c)", "Helvetica");
    pdf.BeginPage();
    pdf.DrawText(1, 2, "x", "a b/(c)", 10);
    const QByteArray file = p.finish();
    EXPECT_TRUE(file.contains("/Name /a#20b#2F#28c#29 "));
    EXPECT_TRUE(file.contains("/a#20b#2F#28c#29 10 Tf"));
}
