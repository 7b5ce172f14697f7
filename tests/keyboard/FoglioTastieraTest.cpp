// The keyboard sheet printed as the printer service prints it, into a PDF file,
// then read back: text positions with pdftotext -bbox, the picture from a
// rendering of the page.

#include "keyboard/FoglioTastiera.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr double PuntiPerMm = 72.0 / 25.4;

// What the printer service does with a page, aimed at a PDF file.
bool StampaPdf(const QString &file, const tastiera::FoglioTastiera &foglio, QMarginsF &margini)
{
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(file);
    stampante.setPageSize(QPageSize(QPageSize::A4));
    stampante.setDocName("Tastavia");
    stampante.setPageOrientation(QPageLayout::Landscape);
    margini = stampante.pageLayout().margins(QPageLayout::Point);
    QPainter p;
    if (!p.begin(&stampante))
        return false;
    tastiera::DisegnaFoglioTastiera(p, p.viewport(), foglio);
    return p.end();
}

struct Parola {
    QString testo;
    QRectF r;   // points, from the page's top-left corner
};

std::vector<Parola> ParoleDi(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
    pdftotext.waitForFinished(30000);
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression parola(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<Parola> out;
    for (auto it = parola.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out.push_back({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return out;
}

QImage TastieraDiProva()
{
    QImage img(597, 215, QImage::Format_RGB32);
    img.fill(QColor(40, 40, 40));
    QPainter p(&img);
    p.fillRect(10, 10, 40, 30, QColor(200, 230, 200));
    return img;
}

TEST(FoglioTastiera, pdfSheet_hasThePictureAndTheTwoLinesWhereTheyBelong)
{
    for (const char *strumento : {"pdftotext", "pdftoppm"}) {
        if (QStandardPaths::findExecutable(strumento).isEmpty())
            GTEST_SKIP() << strumento << " missing (poppler-utils)";
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath("tastiera.pdf");
    QMarginsF margini;
    const tastiera::FoglioTastiera foglio{TastieraDiProva(), "Tastiera francese (0410)  ",
                                          QString(10, ' ') + "Tastavia"};
    ASSERT_TRUE(StampaPdf(pdf, foglio, margini));

    const std::vector<Parola> parole = ParoleDi(pdf);
    QStringList testi;
    for (const Parola &p : parole)
        testi << p.testo;
    ASSERT_EQ(testi, QStringList({"Tastiera", "francese", "(0410)", "Tastavia"}));

    // The title's cell starts at 16 mm, 195 mm from the printable area's corner.
    const QPointF origine(margini.left(), margini.top());
    const QRectF &titolo = parole[0].r;
    EXPECT_NEAR(titolo.left(), origine.x() + 16 * PuntiPerMm, 1.0);
    EXPECT_NEAR(titolo.top(), origine.y() + 195 * PuntiPerMm, 2.0);
    EXPECT_NEAR(parole[2].r.top(), titolo.top(), 0.5);   // one line
    // 10 pt bold, then the next line in 8 pt: smaller, just below, after ten blanks.
    const QRectF &firma = parole[3].r;
    EXPECT_NEAR(titolo.height(), 10 * 1.15, 2.0);
    EXPECT_LT(firma.height(), titolo.height());
    EXPECT_NEAR(firma.top() - titolo.top(), 10 * 1.15, 2.0);
    EXPECT_GT(firma.left(), titolo.left() + 10 * 1.5);
    EXPECT_LT(firma.left(), titolo.left() + 10 * 3.0);
    EXPECT_LT(firma.bottom(), 210 * PuntiPerMm);   // still on the page

    // The picture: rendered at 1 pixel a millimetre... a little more, 2 per mm.
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-r", QString::number(2 * 25.4), "-png", "-singlefile", pdf,
                                dir.filePath("pagina")});
    ASSERT_TRUE(pdftoppm.waitForFinished(30000));
    const QImage pagina(dir.filePath("pagina.png"));
    ASSERT_FALSE(pagina.isNull());
    EXPECT_GT(pagina.width(), pagina.height());
    // The dark picture's extent, above the text.
    QRect scura;
    for (int y = 0; y < pagina.height() * 180 / 210; ++y)
        for (int x = 0; x < pagina.width(); ++x)
            if (qGray(pagina.pixel(x, y)) < 100)
                scura |= QRect(x, y, 1, 1);
    const double mm = 2.0;   // pixels a millimetre
    const QPointF o(margini.left() / PuntiPerMm, margini.top() / PuntiPerMm);
    EXPECT_NEAR(scura.left() / mm, o.x() + 16, 1.0);
    EXPECT_NEAR(scura.top() / mm, o.y() + 25, 1.0);
    EXPECT_NEAR(scura.width() / mm, 260, 1.5);
    EXPECT_NEAR(scura.height() / mm, 94, 1.5);
}

TEST(FoglioTastiera, pageAt96Dpi_placesThePictureInMillimetres)
{
    // The page of the fake printer: A4 landscape at 96 dpi, the area the whole page.
    QImage pagina(1123, 794, QImage::Format_RGB32);
    pagina.fill(Qt::white);
    QPainter p(&pagina);
    tastiera::DisegnaFoglioTastiera(p, pagina.rect().adjusted(10, 20, 0, 0),
                                    {TastieraDiProva(), "Tastiera francese (0410)  ", "x"});
    p.end();
    const double mm = 96 / 25.4;
    const QRectF atteso(10 + 16 * mm, 20 + 25 * mm, 260 * mm, 94 * mm);
    EXPECT_EQ(pagina.pixelColor(atteso.topLeft().toPoint() + QPoint(1, 1)), QColor(40, 40, 40));
    EXPECT_EQ(pagina.pixelColor(atteso.bottomRight().toPoint() - QPoint(2, 2)), QColor(40, 40, 40));
    EXPECT_EQ(pagina.pixelColor(atteso.topLeft().toPoint() - QPoint(2, 2)), QColor(Qt::white));
    EXPECT_EQ(pagina.pixelColor(atteso.bottomRight().toPoint() + QPoint(2, 2)), QColor(Qt::white));
    // The title's ink begins at 195 mm.
    int primaRiga = -1;
    for (int y = int(atteso.bottom()) + 3; y < pagina.height() && primaRiga < 0; ++y)
        for (int x = 0; x < pagina.width(); ++x)
            if (qGray(pagina.pixel(x, y)) < 128) {
                primaRiga = y;
                break;
            }
    EXPECT_NEAR(primaRiga, 20 + 195 * mm, 5);
}

} // namespace
