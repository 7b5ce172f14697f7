#include "ui/frmTransparency.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// --- Outline tables

TEST(PopupOutline, entry_readsLeftYAndRightFromNineDigits)
{
    const Campata c = DecodificaCampata(49036092);   // written out: 049036092
    EXPECT_EQ(c.sinistra, 49);
    EXPECT_EQ(c.y, 36);
    EXPECT_EQ(c.destra, 92);
    const Campata d = DecodificaCampata(123456789);
    EXPECT_EQ(d.sinistra, 123);
    EXPECT_EQ(d.y, 456);
    EXPECT_EQ(d.destra, 789);
    const Campata e = DecodificaCampata(92);   // 000000092
    EXPECT_EQ(e.sinistra, 0);
    EXPECT_EQ(e.y, 0);
    EXPECT_EQ(e.destra, 92);
}

TEST(PopupOutline, entry_addsTwoOnePixelRows)
{
    const QRegion r = RegioneDaCampate({49036092});
    EXPECT_EQ(r, QRegion(QRect(QPoint(49, 36), QPoint(91, 37))));
    EXPECT_TRUE(r.contains(QPoint(49, 36)));
    EXPECT_TRUE(r.contains(QPoint(91, 37)));
    EXPECT_FALSE(r.contains(QPoint(92, 36)));   // the right edge is excluded
    EXPECT_FALSE(r.contains(QPoint(49, 38)));
    EXPECT_FALSE(r.contains(QPoint(49, 35)));
}

TEST(PopupOutline, entriesThatAreNoSpan_addNothing)
{
    EXPECT_TRUE(RegioneDaCampate({50036050, 60036040, 1'000'000'000u}).isEmpty());
    // Overlapping entries are united.
    EXPECT_EQ(RegioneDaCampate({10000020, 15001030}),
              QRegion(10, 0, 10, 1) + QRegion(10, 1, 20, 1) + QRegion(15, 2, 15, 1));
}

TEST(PopupOutline, run_repeatsItsIncrement)
{
    const SerieCampate serie[] = {{49036092, 1'002'003, 3}, {7'100'200, 0, 1}, {1, 1, 0}};
    EXPECT_EQ(EspandiSerie(serie, 3),
              (std::vector<uint32_t>{49036092, 50038095, 51040098, 7100200}));
}

TEST(PopupOutline, bothTables_fillTheirWindowFromEdgeToEdge)
{
    for (bool grande : {false, true}) {
        SCOPED_TRACE(grande ? "large" : "small");
        const QSize lato = DimensioneTwips(grande) / TwipsPerPixel;
        EXPECT_EQ(lato, grande ? QSize(519, 293) : QSize(363, 205));
        const std::vector<uint32_t> &voci = CampateSagoma(grande);
        ASSERT_FALSE(voci.empty());
        for (uint32_t v : voci) {
            const Campata c = DecodificaCampata(v);
            EXPECT_LT(c.sinistra, c.destra) << v;
            EXPECT_LE(c.destra, lato.width()) << v;
            EXPECT_LT(c.y, lato.height()) << v;
        }
        const QRegion r = RegioneDaCampate(voci) & QRegion(QRect(QPoint(0, 0), lato));
        EXPECT_EQ(r.boundingRect(), QRect(QPoint(0, 0), lato));
        // One piece: every row has its span, and each overlaps the next row's.
        QRect prima;
        for (int y = 0; y < lato.height(); ++y) {
            const QRect riga = (r & QRegion(0, y, lato.width(), 1)).boundingRect();
            ASSERT_FALSE(riga.isEmpty()) << "row " << y;
            if (y > 0) {
                EXPECT_TRUE(riga.left() < prima.right() && prima.left() < riga.right()) << y;
            }
            prima = riga;
        }
        // A balloon: the tail at the top-left is narrower than the body.
        EXPECT_LT((r & QRegion(0, 0, lato.width(), 1)).boundingRect().width(), lato.width() / 10);
        EXPECT_TRUE(r.contains(QPoint(lato.width() / 2, lato.height() / 2)));
    }
}

TEST(PopupOutline, smoothPath_followsTheRegionWithinAPixel)
{
    for (bool grande : {false, true}) {
        SCOPED_TRACE(grande ? "large" : "small");
        const std::vector<uint32_t> &voci = CampateSagoma(grande);
        const QRegion r = RegioneDaCampate(voci);
        const QPainterPath t = TracciatoDaCampate(voci);
        const QRegion largo = r + r.translated(1, 0) + r.translated(-1, 0) + r.translated(0, 1) +
                              r.translated(0, -1);
        const QRegion stretto = r & r.translated(1, 0) & r.translated(-1, 0) & r.translated(0, 1) &
                                r.translated(0, -1);
        int fuori = 0, mancanti = 0;
        const QRect box = r.boundingRect().adjusted(-3, -3, 3, 3);
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const bool dentro = t.contains(QPointF(x + 0.5, y + 0.5));
                fuori += dentro && !largo.contains(QPoint(x, y));
                mancanti += !dentro && stretto.contains(QPoint(x, y));
            }
        EXPECT_EQ(fuori, 0);
        EXPECT_EQ(mancanti, 0);
        // Where the tail meets the body the top edge stays straight.
        const int corpo = grande ? 62 : 44;
        const int mezzo = (grande ? 519 : 363) / 2;
        EXPECT_TRUE(t.contains(QPointF(mezzo, corpo + 0.5)));
        EXPECT_FALSE(t.contains(QPointF(mezzo, corpo - 0.5)));
    }
    EXPECT_TRUE(TracciatoDaCampate({}).isEmpty());
}

// --- The slide

TEST(PopupSlide, screenAnExactMultipleOf300TwipsBelow_stopsOnTheTarget)
{
    const int obiettivo = 400 * TwipsPerPixel;
    const std::vector<int> passi = PosizioniScorrimento(obiettivo + 300 * 18, obiettivo);
    ASSERT_EQ(passi.size(), 19u);
    EXPECT_EQ(passi.front(), obiettivo + 300 * 18);
    EXPECT_EQ(passi.back(), obiettivo);
    for (size_t i = 1; i < passi.size(); ++i)
        EXPECT_EQ(passi[i - 1] - passi[i], 300);
}

TEST(PopupSlide, otherDistances_stopAtTheLastStepNotAboveTheTarget)
{
    const std::vector<int> passi = PosizioniScorrimento(11520, 6000);   // 768 px, 400 px
    EXPECT_EQ(passi.back(), 6000 + (11520 - 6000) % 300);
    EXPECT_GE(passi.back(), 6000);
    EXPECT_LT(passi.back() - 300, 6000);
    // A screen that ends above the target: the window goes straight there.
    EXPECT_EQ(PosizioniScorrimento(3000, 6000), std::vector<int>{6000});
}

// --- The window

class PopupWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        principale.resize(1024, 768);
        principale.show();
    }
    std::unique_ptr<frmTransparency> crea(bool grande = false)
    {
        auto w = std::make_unique<frmTransparency>(&principale, grande, [this](int ms) {
            pause.push_back(ms);
            alpha.push_back(popup->alpha());
            if (durantePausa)
                durantePausa();
        });
        w->setSuVisibile([this](bool v) { visibile = v; });
        w->setTesto("Prova");
        return w;
    }
    // The pop-up's own pixels, transparent where it paints nothing.
    static QImage Immagine(QWidget &w)
    {
        QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        w.render(&img, {}, {}, QWidget::DrawChildren);
        return img;
    }
    QWidget principale;
    std::vector<int> pause;
    std::vector<int> alpha;
    std::function<void()> durantePausa;
    bool visibile = false;
    std::unique_ptr<frmTransparency> popup;
};

TEST_F(PopupWindow, opening_slidesUpIn10msStepsAndRestsOnTheTarget)
{
    popup = crea();
    popup->Apri(QPoint(100, 240), 600);   // 360 pixels: 18 steps of 20 pixels
    EXPECT_TRUE(visibile);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->pos(), QPoint(100, 240));
    EXPECT_EQ(pause, std::vector<int>(19, 10));
    EXPECT_EQ(popup->size(), QSize(363, 205));
    EXPECT_EQ(popup->sagoma(), RegioneDaCampate(CampateSagoma(false)) & QRegion(popup->rect()));
    // Inside the main window, above its other controls; never the keyboard's or the mouse's.
    EXPECT_EQ(popup->parentWidget(), &principale);
    EXPECT_FALSE(popup->isWindow());
    EXPECT_EQ(principale.childAt(popup->geometry().center()), nullptr);
    EXPECT_EQ(popup->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(popup->testAttribute(Qt::WA_TransparentForMouseEvents));

    // Opening it again while it shows does nothing.
    pause.clear();
    popup->Apri(QPoint(0, 0), 600);
    EXPECT_TRUE(pause.empty());
    EXPECT_EQ(popup->pos(), QPoint(100, 240));
}

TEST_F(PopupWindow, painting_fillsTheOutlineWithTheGradientAndLeavesTheRestClear)
{
    for (bool grande : {false, true}) {
        SCOPED_TRACE(grande ? "large" : "small");
        popup = crea(grande);
        popup->setTesto({});
        popup->Apri(QPoint(0, 100), 700);
        const QImage img = Immagine(*popup);
        const QRegion dentro = popup->sagoma();
        // Two pixels from the outline either way: wholly in or wholly out.
        const QRegion lontanoDentro = dentro & dentro.translated(2, 0) & dentro.translated(-2, 0) &
                                      dentro.translated(0, 2) & dentro.translated(0, -2);
        QRegion vicino;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                vicino += dentro.translated(dx, dy);
        int sbagliati = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const int a = qAlpha(img.pixel(x, y));
                if ((lontanoDentro.contains(QPoint(x, y)) && a != 255) ||
                    (!vicino.contains(QPoint(x, y)) && a != 0))
                    ++sbagliati;
            }
        EXPECT_EQ(sbagliati, 0);
        // Smooth edges: the slanted side of the tail has partly covered pixels.
        int parziali = 0;
        for (int y = 2; y < 40; ++y)
            for (int x = 0; x < 120; ++x)
                parziali += qAlpha(img.pixel(x, y)) > 0 && qAlpha(img.pixel(x, y)) < 255;
        EXPECT_GT(parziali, 20);
        // The gradient from its top colour down to its bottom one.
        const QColor alto = img.pixelColor(img.width() / 2, 70);
        const QColor basso = img.pixelColor(img.width() / 2, img.height() - 6);
        EXPECT_GT(alto.green(), basso.green() + 20);
        EXPECT_GT(alto.blue(), basso.blue() + 40);
        EXPECT_GE(alto.red(), 250);
        popup.reset();
    }
}

TEST_F(PopupWindow, closing_fadesFrom250To50ThenHides)
{
    popup = crea(true);
    popup->Apri(QPoint(0, 500), 600);
    EXPECT_EQ(popup->size(), QSize(519, 293));
    pause.clear();
    alpha.clear();
    QImage durante;
    durantePausa = [&] {
        if (pause.size() == 26)   // alpha 125
            durante = Immagine(*popup);
    };
    popup->Chiudi();
    EXPECT_EQ(pause, std::vector<int>(41, 10));
    EXPECT_EQ(alpha.front(), 250);
    EXPECT_EQ(alpha.back(), 50);
    EXPECT_NEAR(qAlpha(durante.pixel(260, 200)), 125, 2);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(visibile);
    EXPECT_EQ(popup->alpha(), 255);   // whole again for the next opening
}

TEST_F(PopupWindow, closedWhileTheMainWindowIsHidden_goesWithoutAFade)
{
    popup = crea();
    popup->Apri(QPoint(0, 500), 600);
    principale.hide();
    pause.clear();
    popup->Chiudi();
    EXPECT_FALSE(popup->isVisibleTo(&principale));
    EXPECT_FALSE(visibile);
    EXPECT_TRUE(pause.empty());
}

TEST_F(PopupWindow, closedDuringTheSlide_fadesThenStaysHidden)
{
    popup = crea();
    durantePausa = [this] {
        if (pause.size() == 3)
            popup->Chiudi();
    };
    popup->Apri(QPoint(0, 0), 600);
    EXPECT_EQ(pause.size(), 3u + 41u);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(popup->aperto());
    EXPECT_FALSE(visibile);
}

// The lowest row of the hint's ink in the window's picture.
int FondoTesto(frmTransparency &w)
{
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::white);
    w.render(&img, {}, {}, QWidget::DrawChildren);
    int fondo = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 90)
                fondo = y;
    return fondo;
}

TEST_F(PopupWindow, cutByTheScreensEdge_keepsItsHintInTheVisiblePart)
{
    popup = crea();
    popup->setTesto("Appoggia le dita sulla riga centrale: i mignoli su Q e M, gli indici su F "
                    "e J. Poi premi Entrée.");
    popup->Apri(QPoint(0, 500), 2000);
    const int intero = FondoTesto(*popup);
    popup->Chiudi();
    popup->Apri(QPoint(0, 500), 640);   // 140 of its 205 rows show
    ASSERT_EQ(popup->y(), 500);
    const int tagliato = FondoTesto(*popup);
    EXPECT_GT(intero, 140);
    EXPECT_LT(tagliato, 140);
    EXPECT_GT(tagliato, 60);
}

TEST_F(PopupWindow, closingTheProgram_closesItWithoutAFade)
{
    popup = crea();
    popup->Apri(QPoint(0, 500), 600);
    pause.clear();
    popup->close();
    EXPECT_FALSE(visibile);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_TRUE(pause.empty());
}

} // namespace
