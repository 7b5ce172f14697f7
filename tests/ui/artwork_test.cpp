#include <QColor>
#include "tests/support/Sorgenti.h"
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QString cartella = cartellaSorgenti() + QStringLiteral("/resources/images/practice/");

QImage carica(const QString &nome)
{
    QImage img(cartella + nome);
    return img.convertToFormat(QImage::Format_ARGB32);
}

// Average of the opaque pixels' brightness, to compare the bands' mood.
double luce(const QImage &img)
{
    double somma = 0, peso = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            somma += c.alphaF() * c.valueF();
            peso += c.alphaF();
        }
    return peso > 0 ? somma / peso : 0;
}

TEST(Artwork, scoreIcons_areTenTransparentSquares)
{
    for (int id = 420; id <= 429; ++id) {
        const QImage img = carica(QString("icon%1.png").arg(id));
        ASSERT_FALSE(img.isNull()) << id;
        EXPECT_EQ(img.size(), QSize(32, 32)) << id;
        EXPECT_EQ(qAlpha(img.pixel(0, 31)), 0) << id;            // a corner is see-through
        EXPECT_EQ(qAlpha(img.pixel(16, 20)), 255) << id;         // the middle is solid
    }
}

TEST(Artwork, bestExpertIcon_outshinesTheWorst)
{
    EXPECT_GT(luce(carica("icon429.png")), luce(carica("icon425.png")) + 0.2);
}

TEST(Artwork, gaugeStripsAndMarkers_loadWithTheirSizes)
{
    const QColor attese[3] = {Qt::green, Qt::yellow, Qt::red};
    for (int i = 0; i < 3; ++i) {
        const QImage img = carica(QString("bmp%1.png").arg(301 + i));
        ASSERT_EQ(img.size(), QSize(300, 16));
        const QColor c = img.pixelColor(150, 8);
        // The level's hue: green, yellow, red.
        EXPECT_NEAR(c.hslHue(), attese[i].hslHue(), 20) << 301 + i;
    }
    EXPECT_FALSE(carica("premi.png").isNull());
    const QImage errore = carica("keyerror.png");
    EXPECT_EQ(errore.size(), QSize(24, 24));
    EXPECT_GT(errore.pixelColor(12, 12).red(), 180);   // the cross meets in the middle
}

} // namespace

namespace {

// The practice pictures on one sheet, written to $TASTAVIA_DOCS_OUT when set
// (docs/ui-practice-art.png).
TEST(Artwork, previewSheet_holdsEveryPicture)
{
    QImage foglio(420, 190, QImage::Format_RGB32);
    foglio.fill(QColor(236, 240, 244));
    QPainter p(&foglio);
    p.setFont(QFont("Liberation Sans", 9));
    p.drawText(10, 18, "icon420 … icon424 (beginner)");
    p.drawText(10, 78, "icon425 … icon429 (expert)");
    for (int i = 0; i < 5; ++i) {
        p.drawImage(10 + i * 44, 26, carica(QString("icon%1.png").arg(420 + i)));
        p.drawImage(10 + i * 44, 86, carica(QString("icon%1.png").arg(425 + i)));
    }
    p.drawText(250, 18, "premi.png, keyerror.png");
    p.drawImage(250, 26, carica("premi.png"));
    p.drawImage(330, 40, carica("keyerror.png"));
    p.drawText(10, 138, "bmp301, bmp302, bmp303");
    for (int i = 0; i < 3; ++i)
        p.drawImage(10 + i * 135, 148, carica(QString("bmp%1.png").arg(301 + i)), 0, 0, 125, 16);
    p.end();
    EXPECT_NE(foglio.pixelColor(26, 42), QColor(236, 240, 244));
    const QByteArray uscita = qgetenv("TASTAVIA_DOCS_OUT");
    if (!uscita.isEmpty()) {
        EXPECT_TRUE(foglio.save(QString::fromLocal8Bit(uscita) + "/ui-practice-art.png"));
    }
}

} // namespace
