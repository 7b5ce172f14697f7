#include "ui/SchemiColori.h"
#include "ui/modGradient.h"

#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t rosso = ColoreRGB(255, 0, 0);
constexpr uint32_t verde = ColoreRGB(0, 255, 0);
constexpr uint32_t blu = ColoreRGB(0, 0, 255);
constexpr uint32_t giallo = ColoreRGB(255, 255, 0);

QImage dipinto(int w, int h, uint32_t tl, uint32_t tr, uint32_t bl, uint32_t br, bool smooth)
{
    QImage img(w + 20, h + 20, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    GradientFill(p, 10, 10, w, h, tl, tr, bl, br, smooth);
    p.end();
    return img.copy(10, 10, w, h);
}

QColor colore(const QImage &img, int x, int y) { return img.pixelColor(x, y); }

TEST(Gradient, scratchSides_areTwoToTheKMinusOneCappedAt255)
{
    EXPECT_EQ(LatoScratch(0), 0);
    EXPECT_EQ(LatoScratch(1), 1);
    EXPECT_EQ(LatoScratch(2), 3);
    EXPECT_EQ(LatoScratch(7), 7);
    EXPECT_EQ(LatoScratch(8), 15);
    EXPECT_EQ(LatoScratch(100), 127);
    EXPECT_EQ(LatoScratch(255), 255);
    EXPECT_EQ(LatoScratch(300), 255);
    EXPECT_EQ(DimensioniScratch(1, 300), QSize(1, 255));
    EXPECT_EQ(ImmagineGradiente(100, 1, rosso, verde, blu, giallo).size(), QSize(127, 1));
}

TEST(Gradient, aSmallerKeptScratch_stretchesToTheSameBlends)
{
    EXPECT_EQ(LatoScratch(500, 63), 63);
    EXPECT_EQ(LatoScratch(20, 63), 31);
    EXPECT_EQ(ImmagineGradiente(1280, 512, rosso, verde, blu, giallo, 63).size(), QSize(63, 63));

    // What the main window does: keep the scratch, stretch it smoothly on paint.
    auto stirata = [](int lato) {
        QImage out(1280, 512, QImage::Format_RGB32);
        QPainter p(&out);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(out.rect(), ImmagineGradiente(1280, 512, rosso, verde, blu, giallo, lato));
        return out;
    };
    const QImage piena = stirata(255), piccola = stirata(63);
    int scarto = 0;
    for (int y = 12; y < 500; y += 7)
        for (int x = 12; x < 1268; x += 11) {
            const QColor a = piena.pixelColor(x, y), b = piccola.pixelColor(x, y);
            scarto = std::max({scarto, std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                               std::abs(a.blue() - b.blue())});
        }
    // The outermost half scratch pixel is flat, so blends near the edges
    // start a few pixels later: a few levels at most, nothing to see.
    EXPECT_LE(scarto, 5);
}

TEST(Gradient, windowsColourValues_haveRedInTheLowByte)
{
    EXPECT_EQ(ColoreRGB(1, 2, 3), 0x030201u);
    EXPECT_EQ(ColoreQt(0x030201u), QColor(1, 2, 3));
}

TEST(Gradient, corners_carryTheirColoursExactly)
{
    for (bool smooth : {false, true}) {
        for (QSize s : {QSize(300, 40), QSize(100, 100), QSize(255, 255), QSize(7, 3)}) {
            const QImage img = dipinto(s.width(), s.height(), rosso, verde, blu, giallo, smooth);
            const int r = s.width() - 1, b = s.height() - 1;
            SCOPED_TRACE(QString("%1x%2 smooth %3").arg(s.width()).arg(s.height()).arg(smooth).toStdString());
            EXPECT_EQ(colore(img, 0, 0), QColor(255, 0, 0));
            EXPECT_EQ(colore(img, r, 0), QColor(0, 255, 0));
            EXPECT_EQ(colore(img, 0, b), QColor(0, 0, 255));
            EXPECT_EQ(colore(img, r, b), QColor(255, 255, 0));
        }
    }
}

TEST(Gradient, equalCorners_giveAFlatFill)
{
    const QColor c(12, 200, 99);
    const uint32_t v = ColoreRGB(12, 200, 99);
    const QImage img = dipinto(123, 57, v, v, v, v, true);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_EQ(colore(img, x, y), c) << x << "," << y;
}

TEST(Gradient, blend_isLinearAndMonotonic)
{
    // 255 pixels wide: one scratch pixel per target pixel, 254 steps of 255/254.
    const uint32_t nero = 0, bianco = ColoreRGB(255, 255, 255);
    for (bool smooth : {false, true}) {
        const QImage img = dipinto(255, 1, nero, bianco, nero, bianco, smooth);
        EXPECT_EQ(colore(img, 127, 0).red(), 128);
        for (int x = 1; x < 255; ++x) {
            const int salto = colore(img, x, 0).red() - colore(img, x - 1, 0).red();
            ASSERT_TRUE(salto == 1 || salto == 2) << x;
        }
    }
    // Stretched four times wider, the smooth fill has no visible steps.
    const QImage largo = dipinto(1000, 1, nero, bianco, nero, bianco, true);
    for (int x = 1; x < 1000; ++x)
        ASSERT_LE(std::abs(colore(largo, x, 0).red() - colore(largo, x - 1, 0).red()), 1) << x;
}

TEST(Gradient, onePixelTarget_takesTheBottomLeftColour)
{
    const QImage img = dipinto(1, 1, rosso, verde, blu, giallo, true);
    EXPECT_EQ(colore(img, 0, 0), QColor(0, 0, 255));
}

TEST(Gradient, emptyTarget_paintsNothing)
{
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    GradientFill(p, 2, 2, 0, 5, rosso, rosso, rosso, rosso, true);
    GradientFill(p, 2, 2, -4, 5, rosso, rosso, rosso, rosso, true);
    p.end();
    EXPECT_EQ(img.pixelColor(2, 2), QColor(Qt::magenta));
}

TEST(Gradient, painterHints_areRestored)
{
    QImage img(20, 20, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    GradientFill(p, 0, 0, 20, 20, rosso, verde, blu, giallo, true);
    EXPECT_FALSE(p.testRenderHint(QPainter::SmoothPixmapTransform));
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    GradientFill(p, 0, 0, 20, 20, rosso, verde, blu, giallo, false);
    EXPECT_TRUE(p.testRenderHint(QPainter::SmoothPixmapTransform));
}

TEST(Schemes, windowBackground_isPaintedInTwoHalvesMeetingAtTheMiddleColour)
{
    for (int n = 0; n < NUMERO_SCHEMI; ++n) {
        SCOPED_TRACE(n);
        const SchemaColori &s = Schema(n);
        QImage img(400, 300, QImage::Format_RGB32);
        QPainter p(&img);
        SfondoGradiente(p, img.rect(), n);
        p.end();
        EXPECT_EQ(img.pixelColor(0, 0), ColoreQt(s.altoSinistra));
        EXPECT_EQ(img.pixelColor(399, 0), ColoreQt(s.altoDestra));
        EXPECT_EQ(img.pixelColor(0, 299), ColoreQt(s.bassoSinistra));
        EXPECT_EQ(img.pixelColor(399, 299), ColoreQt(s.bassoDestra));
        EXPECT_EQ(img.pixelColor(200, 149), ColoreQt(s.centro));
        EXPECT_EQ(img.pixelColor(200, 150), ColoreQt(s.centro));
    }
}

TEST(Schemes, unknownScheme_fallsBackToTheFirst)
{
    EXPECT_EQ(&Schema(11), &Schema(0));
    EXPECT_EQ(&Schema(-1), &Schema(0));
    EXPECT_EQ(Schema(10).centro, 0u);
    EXPECT_EQ(Schema(9).centro, ColoreRGB(244, 244, 244));
}

TEST(Schemes, widgetBackground_followsTheScheme)
{
    QWidget w;
    w.resize(200, 100);
    auto *figlio = new QWidget(&w);
    figlio->setGeometry(150, 50, 50, 50);
    figlio->setAutoFillBackground(true);
    SfondoGradiente(&w, 3);
    QImage img = w.grab().toImage();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(149, 99), QColor(100, 0, 0));
    EXPECT_NE(img.pixelColor(199, 99), QColor(100, 0, 0));   // the child keeps its own fill

    SfondoGradiente(&w, 4);   // a new scheme, and a new size
    w.resize(300, 120);
    img = w.grab().toImage();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(105, 230, 0));
    EXPECT_EQ(img.pixelColor(0, 119), QColor(0, 64, 0));
    EXPECT_EQ(w.findChildren<QObject *>("tastavia_sfondo").size(), 1);
}

TEST(Schemes, titleBar_isWhiteOnTopAndGreyBelowTheMiddle)
{
    QImage img(100, 20, QImage::Format_RGB32);
    QPainter p(&img);
    SfondoBarra(p, img.rect());
    p.end();
    EXPECT_EQ(img.pixelColor(50, 0), QColor(255, 255, 255));
    EXPECT_EQ(img.pixelColor(50, 9), QColor(223, 223, 223));
    EXPECT_EQ(img.pixelColor(50, 19), QColor(223, 223, 223));
}

} // namespace

namespace {

// All eleven schemes side by side; written to $TASTAVIA_DOCS_OUT when set
// (that is how docs/ui-gradients.png is made).
TEST(Schemes, overviewSheet_showsEverySchemeInItsCell)
{
    const int cw = 200, ch = 150, colonne = 4;
    QImage foglio(colonne * (cw + 10) + 10, 3 * (ch + 30) + 10, QImage::Format_RGB32);
    foglio.fill(QColor(250, 250, 250));
    QPainter p(&foglio);
    p.setFont(QFont("Liberation Sans", 10, QFont::Bold));
    for (int n = 0; n < NUMERO_SCHEMI; ++n) {
        const QRect cella(10 + (n % colonne) * (cw + 10), 30 + (n / colonne) * (ch + 30), cw, ch);
        SfondoGradiente(p, cella, n);
        p.setPen(Qt::black);
        p.drawText(QRect(cella.x(), cella.y() - 22, cw, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QString("schemaColori = %1").arg(n));
    }
    p.end();
    for (int n = 0; n < NUMERO_SCHEMI; ++n) {
        const QPoint angolo(10 + (n % colonne) * (cw + 10), 30 + (n / colonne) * (ch + 30));
        EXPECT_EQ(foglio.pixelColor(angolo), ColoreQt(Schema(n).altoSinistra)) << n;
    }
    const QByteArray uscita = qgetenv("TASTAVIA_DOCS_OUT");
    if (!uscita.isEmpty()) {
        EXPECT_TRUE(foglio.save(QString::fromLocal8Bit(uscita) + "/ui-gradients.png"));
    }
}

} // namespace
