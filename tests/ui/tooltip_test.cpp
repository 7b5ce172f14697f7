#include "ui/cTooltip.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

class Balloon : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The real mouse stays away: only the events a test sends move it.
        QCursor::setPos(780, 580);
        finestra.setGeometry(100, 100, 300, 200);
        pulsante = new QPushButton("Prova", &finestra);
        altro = new QPushButton("Altro", &finestra);
        altro->move(0, 100);
        finestra.show();
    }

    // The mouse comes onto a control at a screen point.
    static void entra(QWidget *w, QPoint punto = {40, 40})
    {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(punto));
        QApplication::sendEvent(w, &e);
    }
    static void esce(QWidget *w)
    {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(w, &e);
    }

    QWidget finestra;
    QPushButton *pulsante = nullptr;
    QPushButton *altro = nullptr;
};

TEST_F(Balloon, addToolBeforeCreate_isRefused)
{
    cTooltip t;
    EXPECT_EQ(t.hwnd(), nullptr);
    EXPECT_FALSE(t.AddTool(pulsante, "testo"));
    EXPECT_EQ(t.ToolCount(), 0);
    EXPECT_TRUE(t.Create(&finestra));
    EXPECT_NE(t.hwnd(), nullptr);
    EXPECT_TRUE(t.AddTool(pulsante, "testo"));
    EXPECT_EQ(t.ToolCount(), 1);
    EXPECT_FALSE(t.AddTool(nullptr, "niente"));
}

TEST_F(Balloon, sameControlTwice_leavesOneToolWithItsFirstText)
{
    cTooltip t;
    t.Create(&finestra);
    EXPECT_TRUE(t.AddTool(pulsante, "primo"));
    EXPECT_FALSE(t.AddTool(pulsante, "secondo"));
    EXPECT_EQ(t.ToolCount(), 1);
    EXPECT_EQ(t.ToolText(pulsante), "primo");
    // Creating again keeps the same tip window.
    QWidget *tip = t.hwnd();
    t.Create(&finestra);
    EXPECT_EQ(t.hwnd(), tip);
}

TEST_F(Balloon, toolText_isReplacedAndReadUpToAZero)
{
    cTooltip t;
    t.Create(&finestra);
    t.AddTool(pulsante, "primo");
    t.setToolText(pulsante, QString("abc") + QChar(0) + "def");
    EXPECT_EQ(t.ToolText(pulsante), "abc");
    t.setToolText(altro, "nessuno");   // no tool: nothing happens
    EXPECT_EQ(t.ToolText(altro), "");
    EXPECT_EQ(t.ToolCount(), 1);
}

TEST_F(Balloon, removedOrDestroyedControls_loseTheirTool)
{
    cTooltip t;
    t.Create(&finestra);
    t.AddTool(pulsante, "uno");
    t.AddTool(altro, "due");
    EXPECT_TRUE(t.RemoveTool(pulsante));
    EXPECT_FALSE(t.RemoveTool(pulsante));
    EXPECT_EQ(t.ToolCount(), 1);
    delete altro;
    EXPECT_EQ(t.ToolCount(), 0);
}

TEST_F(Balloon, destruction_removesEveryToolAndTheTipWindow)
{
    QPointer<QWidget> tip;
    {
        cTooltip t;
        t.Create(&finestra);
        t.AddTool(pulsante, "uno");
        tip = t.hwnd();
    }
    EXPECT_TRUE(tip.isNull());
    // The control works on without it.
    entra(pulsante);
    esce(pulsante);
}

TEST_F(Balloon, defaults_areABalloonAfterHalfASecondForTwentySeconds)
{
    cTooltip t;
    EXPECT_EQ(t.Style(), 1);
    EXPECT_EQ(t.Title(), " ");
    EXPECT_EQ(t.Icon(), 0);
    EXPECT_EQ(t.DelayTime(), 500);
    EXPECT_EQ(t.VisibleTime(), 20000);
}

TEST_F(Balloon, mouseOnTheControl_showsTheTipAfterTheDelayForTheVisibleTime)
{
    cTooltip t;
    t.setDelayTime(40);
    t.setVisibleTime(300);
    t.Create(&finestra);
    t.setTitle("Titolo");
    t.setIcon(cTooltip::IconaInfo);
    t.AddTool(pulsante, "Il testo");
    entra(pulsante);
    EXPECT_EQ(t.suggerimentoVisibile(), nullptr);   // not before the delay
    QTRY_COMPARE_WITH_TIMEOUT(t.suggerimentoVisibile(), pulsante, 2000);
    EXPECT_TRUE(t.hwnd()->isVisible());
    const cTooltip::Mostrato m = t.mostrato();
    EXPECT_EQ(m.titolo, "Titolo");
    EXPECT_EQ(m.testo, "Il testo");
    EXPECT_EQ(m.icona, 1);
    // Then it goes by itself.
    QTRY_COMPARE_WITH_TIMEOUT(t.suggerimentoVisibile(), nullptr, 3000);
    EXPECT_FALSE(t.hwnd()->isVisible());
}

TEST_F(Balloon, leavingOrClicking_hidesTheTipOrCancelsIt)
{
    cTooltip t;
    t.setDelayTime(60);
    t.Create(&finestra);
    t.AddTool(pulsante, "testo");
    entra(pulsante);
    esce(pulsante);   // gone before the delay: no tip
    QTest::qWait(200);
    EXPECT_EQ(t.suggerimentoVisibile(), nullptr);

    t.setDelayTime(0);
    entra(pulsante);
    QTRY_COMPARE_WITH_TIMEOUT(t.suggerimentoVisibile(), pulsante, 2000);
    QTest::mousePress(pulsante, Qt::LeftButton);
    EXPECT_EQ(t.suggerimentoVisibile(), nullptr);
    QTest::mouseRelease(pulsante, Qt::LeftButton);
    entra(pulsante);
    QTRY_COMPARE_WITH_TIMEOUT(t.suggerimentoVisibile(), pulsante, 2000);
    esce(pulsante);
    EXPECT_EQ(t.suggerimentoVisibile(), nullptr);
}

TEST_F(Balloon, controlsOwnTooltips_areNotShownBesideTheBalloon)
{
    cTooltip t;
    t.Create(&finestra);
    pulsante->setToolTip("semplice");
    t.AddTool(pulsante, "fumetto");
    QHelpEvent aiuto(QEvent::ToolTip, QPoint(5, 5), pulsante->mapToGlobal(QPoint(5, 5)));
    EXPECT_TRUE(QApplication::sendEvent(pulsante, &aiuto));
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(Balloon, emptyTitle_showsABlankTitleLine)
{
    cTooltip t;
    t.Create(&finestra);
    t.setTitle("");
    EXPECT_EQ(t.Title(), " ");
    t.AddTool(pulsante, "Il testo");
    ASSERT_TRUE(t.MostraSuggerimento(pulsante, QPoint(50, 50)));
    const cTooltip::Mostrato m = t.mostrato();
    EXPECT_EQ(m.titolo, " ");
    EXPECT_GT(m.rettangoloTitolo.height(), 5);
    EXPECT_GT(m.rettangoloTesto.top(), m.rettangoloTitolo.bottom());
}

TEST_F(Balloon, balloonAndRectangle_differInTheirStem)
{
    cTooltip t;
    t.Create(&finestra);
    t.AddTool(pulsante, "Il testo");
    t.MostraSuggerimento(pulsante, QPoint(50, 50));
    const QSize fumetto = t.hwnd()->size();
    t.NascondiSuggerimento();
    t.setStyle(0);
    t.MostraSuggerimento(pulsante, QPoint(50, 50));
    EXPECT_EQ(t.hwnd()->width(), fumetto.width());
    EXPECT_LT(t.hwnd()->height(), fumetto.height());
    // The stem points below the mouse: the balloon starts under it.
    EXPECT_GT(t.hwnd()->y(), 50);
}

TEST_F(Balloon, maxTipWidth_wrapsTheText)
{
    cTooltip t;
    t.Create(&finestra);
    const QString lungo = "una frase piuttosto lunga che in una riga sola non starebbe";
    t.AddTool(pulsante, lungo);
    t.MostraSuggerimento(pulsante, QPoint(10, 10));
    const QRect unaRiga = t.mostrato().rettangoloTesto;
    t.setMaxTipWidth(120);
    const QRect aCapo = t.mostrato().rettangoloTesto;   // the tip on show follows
    EXPECT_LE(aCapo.width(), 120 + 1);
    EXPECT_GT(aCapo.height(), unaRiga.height());
    EXPECT_GT(unaRiga.width(), 120);
}

} // namespace

namespace {

// Where the screen composes windows the tip window is translucent and paints
// its own shape; elsewhere a mask cuts it, since a translucent window would
// show black around the balloon there.
TEST_F(Balloon, shape_translucentWhereComposedMaskedElsewhere)
{
    for (bool composizione : {true, false}) {
        SCOPED_TRACE(composizione ? "compositor" : "no compositor");
        cTooltip t;
        t.setComposizione(composizione);
        t.Create(&finestra);
        t.AddTool(pulsante, "Il testo");
        ASSERT_TRUE(t.MostraSuggerimento(pulsante, QPoint(150, 150)));
        QWidget *tip = t.hwnd();
        EXPECT_EQ(tip->testAttribute(Qt::WA_TranslucentBackground), composizione);
        EXPECT_EQ(tip->mask().isEmpty(), composizione);
        if (!composizione) {
            // The mask leaves out the corners and the space beside the stem.
            EXPECT_FALSE(tip->mask().contains(QPoint(0, 14)));
            EXPECT_FALSE(tip->mask().contains(QPoint(tip->width() - 1, 0)));
            EXPECT_TRUE(tip->mask().contains(QPoint(tip->width() / 2, tip->height() / 2)));
            continue;
        }
        // Translucent: clear outside the balloon, its colour inside.
        QImage img(tip->size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        tip->render(&img, {}, {}, QWidget::DrawChildren);
        EXPECT_EQ(qAlpha(img.pixel(0, 14)), 0);                   // a rounded corner
        EXPECT_EQ(qAlpha(img.pixel(tip->width() - 1, 0)), 0);     // beside the stem
        EXPECT_EQ(qAlpha(img.pixel(tip->width() - 4, tip->height() - 12)), 255);
    }
}

} // namespace
