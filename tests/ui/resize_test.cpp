#include "ui/ClsResize.h"
#include "ui/Linea.h"

#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

struct Finestra {
    QWidget form;
    QLabel *etichetta;
    QPushButton *pulsante;
    QLabel *immagine;
    Linea *linea;
    QWidget *pannello;
    QLabel *interna;

    Finestra()
    {
        form.resize(800, 600);
        etichetta = new QLabel("Tastavia", &form);
        etichetta->setGeometry(100, 100, 200, 30);
        QFont f = etichetta->font();
        f.setPointSizeF(12);
        etichetta->setFont(f);
        pulsante = new QPushButton("Entrée", &form);
        pulsante->setGeometry(10, 20, 80, 25);
        immagine = new QLabel(&form);
        QPixmap pm(32, 32);
        pm.fill(Qt::red);
        immagine->setPixmap(pm);
        immagine->setGeometry(50, 60, 32, 32);
        linea = new Linea(QLine(0, 10, 100, 10), &form);
        pannello = new QWidget(&form);
        pannello->setGeometry(200, 300, 300, 100);
        interna = new QLabel("dentro", pannello);
        interna->setGeometry(10, 10, 100, 20);
    }
};

TEST(Resize, controls_scaleByTheFixedFactors)
{
    Finestra w;
    ClsResize r(&w.form);
    r.SizeFormToScreen();

    EXPECT_EQ(r.dimensioniProgetto(), QSize(800, 600));
    EXPECT_EQ(w.etichetta->geometry(), QRect(141, 131, 282, 39));   // 100*1.41, 100*1.31, 30*1.31 = 39.3
    EXPECT_NEAR(w.etichetta->font().pointSizeF(), 12 * std::sqrt(1.41), 0.01);
    EXPECT_EQ(w.pulsante->geometry(), QRect(14, 26, 113, 33));       // 14.1, 26.2, 112.8, 32.75
    EXPECT_EQ(w.pannello->geometry(), QRect(282, 393, 423, 131));
    EXPECT_EQ(w.interna->geometry(), QRect(14, 13, 141, 26));        // inside its panel
}

TEST(Resize, images_moveByTheFactorsPlusFourAndKeepTheirSize)
{
    Finestra w;
    ClsResize r(&w.form);
    r.SizeFormToScreen();
    // 50 * 1.41 is a hair under 70.5, 60 * 1.31 = 78.6
    EXPECT_EQ(w.immagine->geometry(), QRect(70 + 4, 79 + 4, 32, 32));
}

TEST(Resize, lines_scaleByTheirEndPoints)
{
    Finestra w;
    ClsResize r(&w.form);
    r.SizeFormToScreen();
    EXPECT_EQ(w.linea->linea(), QLine(0, 13, 141, 13));
}

TEST(Resize, secondCall_leavesControlsWhereTheFirstPutThem)
{
    Finestra w;
    ClsResize r(&w.form);
    r.SizeFormToScreen();
    const QRect etichetta = w.etichetta->geometry(), immagine = w.immagine->geometry();
    const QLine linea = w.linea->linea();
    const qreal font = w.etichetta->font().pointSizeF();
    r.ResizeControls();
    r.ResizeControls();
    EXPECT_EQ(w.etichetta->geometry(), etichetta);
    EXPECT_EQ(w.immagine->geometry(), immagine);
    EXPECT_EQ(w.linea->linea(), linea);
    EXPECT_EQ(w.etichetta->font().pointSizeF(), font);
}

TEST(Resize, firstResizeControlsOnAFreshObject_onlyTakesTheSnapshot)
{
    Finestra w;
    ClsResize r(&w.form);
    r.ResizeControls();
    EXPECT_FALSE(r.snapshotNecessario());
    EXPECT_EQ(w.etichetta->geometry(), QRect(100, 100, 200, 30));
    r.ResizeControls();
    EXPECT_EQ(w.etichetta->geometry(), QRect(141, 131, 282, 39));
}

TEST(Resize, windowWithoutControls_isLeftUntouched)
{
    QWidget vuota;
    vuota.resize(300, 200);
    ClsResize r(&vuota);
    r.SizeFormToScreen();
    r.ResizeControls();
    EXPECT_EQ(r.numeroControlli(), 0);
    EXPECT_EQ(vuota.size(), QSize(300, 200));
}

TEST(Resize, minimisedWindow_isLeftUntouched)
{
    Finestra w;
    w.form.setWindowState(Qt::WindowMinimized);
    ClsResize r(&w.form);
    r.SizeFormToScreen();
    EXPECT_EQ(w.etichetta->geometry(), QRect(100, 100, 200, 30));
    w.form.setWindowState(Qt::WindowNoState);
    r.ResizeControls();
    EXPECT_EQ(w.etichetta->geometry(), QRect(141, 131, 282, 39));
}

TEST(Resize, pixelSizedFont_isScaledAndTheLabelStillMoves)
{
    QWidget form;
    auto *l = new QLabel("x", &form);
    QFont f = l->font();
    f.setPixelSize(20);
    l->setFont(f);
    l->setGeometry(10, 10, 50, 20);
    ClsResize r(&form);
    r.SizeFormToScreen();
    EXPECT_EQ(l->font().pixelSize(), 24);   // 23.75
    EXPECT_EQ(l->geometry(), QRect(14, 13, 70, 26));
}

TEST(Resize, layoutManagedAndInnerWidgets_areNotControls)
{
    QWidget form;
    auto *colonna = new QWidget(&form);
    auto *layout = new QVBoxLayout(colonna);
    auto *nelLayout = new QPushButton("a", colonna);
    layout->addWidget(nelLayout);
    auto *lista = new QComboBox(&form);
    lista->setEditable(true);
    const QVector<QWidget *> c = ClsResize::Controlli(&form);
    EXPECT_TRUE(c.contains(colonna));
    EXPECT_TRUE(c.contains(lista));
    EXPECT_FALSE(c.contains(nelLayout));
    EXPECT_EQ(c.size(), 2);
}

TEST(Resize, deletedControl_isSkipped)
{
    Finestra w;
    ClsResize r(&w.form);
    r.ResizeControls();
    delete w.pulsante;
    r.ResizeControls();
    EXPECT_EQ(w.etichetta->geometry(), QRect(141, 131, 282, 39));
}

TEST(Resize, newSourceForm_takesANewSnapshot)
{
    Finestra a, b;
    ClsResize r(&a.form);
    r.SizeFormToScreen();
    r.setSourceForm(&b.form);
    EXPECT_TRUE(r.snapshotNecessario());
    r.SizeFormToScreen();
    EXPECT_EQ(b.etichetta->geometry(), QRect(141, 131, 282, 39));
    EXPECT_EQ(r.SourceForm(), &b.form);
}

} // namespace
