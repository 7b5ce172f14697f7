#include "ui/frmShadow.h"
#include "tests/support/FakeServices.h"

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Records every hold the backdrop asks for and the backdrop's alpha at that moment.
struct Registro {
    std::vector<int> pause;
    std::vector<int> alpha;
    Backdrop *backdrop = nullptr;
    std::function<void()> durante;
    frmShadow::Pausa pausa()
    {
        return [this](int ms) {
            pause.push_back(ms);
            if (backdrop && backdrop->ombraAttiva())
                alpha.push_back(backdrop->ombraAttiva()->alpha());
            if (durante)
                durante();
            return 258;
        };
    }
};

// Opens a dialog parented to the owner and accepts it from a timer; notes the
// backdrop over the owner and the owner's picture while the dialog runs.
struct Finestra {
    QPointer<QWidget> proprietario;
    bool ombraVisibile = false;
    int alphaOmbra = -1;
    QRect areaOmbra;
    QImage aspetto;
    int esito = QDialog::Accepted;
    frmShadow::ApriFinestra apri()
    {
        return [this](QWidget *owner) {
            proprietario = owner;
            if (auto *ombra = owner ? owner->findChild<frmShadow *>() : nullptr) {
                ombraVisibile = ombra->isVisible();
                alphaOmbra = ombra->alpha();
                areaOmbra = ombra->geometry();
                aspetto = owner->grab().toImage();
            }
            QDialog d(owner);
            QTimer::singleShot(0, &d, [&d, this] { d.done(esito); });
            return d.exec();
        };
    }
};

// A main window painted white all over.
struct Principale : QWidget {
    Principale()
    {
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        setPalette(p);
        setAutoFillBackground(true);
        resize(400, 300);
    }
};

TEST(Backdrop, modalWindow_dimsTheMainWindowHoldsThenFadesOut)
{
    fake::Services f;
    Principale principale;
    principale.show();
    Backdrop b(&principale, f.clock);
    Registro r;
    r.backdrop = &b;
    b.setPausa(r.pausa());
    Finestra risultati;
    risultati.esito = 5;
    b.setFinestra(2, risultati.apri());
    int popupNascosto = 0;
    b.setNascondiPopup([&] { ++popupNascosto; });
    // Halfway through the fade the main window shows under the lighter alpha
    // only (80: 255 * 175 / 255), not under what the hold had as well.
    QColor aMeta;
    r.durante = [&] {
        if (r.pause.size() == 1)
            principale.resize(500, 320);   // during the hold
        if (!r.alpha.empty() && r.alpha.back() == 80 && r.pause.size() > 1)
            aMeta = principale.grab().toImage().pixelColor(250, 160);
    };

    EXPECT_EQ(b.ShowWithBackdrop(2), 5);
    EXPECT_NEAR(aMeta.red(), 175, 2);
    EXPECT_NEAR(aMeta.blue(), 175, 2);

    EXPECT_EQ(b.dialogoDaMostrare(), 2);
    EXPECT_EQ(popupNascosto, 1);
    EXPECT_EQ(risultati.proprietario, &principale);   // the main window owns the dialog
    EXPECT_TRUE(risultati.ombraVisibile);
    EXPECT_EQ(risultati.alphaOmbra, 128);
    EXPECT_EQ(risultati.areaOmbra, QRect(0, 0, 500, 320));   // it followed the resize
    // The main window behind it: darker, still there (white under alpha 128).
    ASSERT_FALSE(risultati.aspetto.isNull());
    for (const QPoint punto : {QPoint(0, 0), QPoint(250, 160), QPoint(499, 319)}) {
        const QColor c = risultati.aspetto.pixelColor(punto);
        EXPECT_NEAR(c.red(), 127, 2) << punto.x() << "," << punto.y();
        EXPECT_EQ(c.red(), c.blue());
    }
    EXPECT_EQ(b.ombraAttiva(), nullptr);
    EXPECT_EQ(principale.findChild<frmShadow *>(), nullptr);   // the backdrop is gone
    EXPECT_EQ(principale.grab().toImage().pixelColor(250, 160), QColor(Qt::white));

    ASSERT_EQ(r.pause.size(), 34u);
    EXPECT_EQ(r.pause[0], 200);
    EXPECT_EQ(r.alpha[0], 128);
    for (size_t i = 1; i < r.pause.size(); ++i) {
        EXPECT_EQ(r.pause[i], 10);
        EXPECT_EQ(r.alpha[i], 160 - 5 * int(i - 1));
    }
    EXPECT_EQ(r.alpha.back(), 0);
}

TEST(Backdrop, noMainWindow_opensTheWindowDirectlyWithoutHoldOrFade)
{
    fake::Services f;
    Backdrop b(nullptr, f.clock);
    Registro r;
    b.setPausa(r.pausa());
    Finestra risultati;
    risultati.esito = QDialog::Rejected;
    b.setFinestra(2, risultati.apri());
    int popupNascosto = 0;
    b.setNascondiPopup([&] { ++popupNascosto; });

    EXPECT_EQ(b.ShowWithBackdrop(2), QDialog::Rejected);
    EXPECT_EQ(risultati.proprietario, nullptr);
    EXPECT_TRUE(r.pause.empty());
    EXPECT_EQ(popupNascosto, 0);
}

TEST(Backdrop, existingDialog_isLentToTheMainWindowAndHandedBack)
{
    fake::Services f;
    QWidget principale;
    Backdrop b(&principale, f.clock);
    Registro r;
    b.setPausa(r.pausa());
    QWidget altroGenitore;
    auto *nome = new QDialog(&altroGenitore);
    QPointer<QWidget> durante;
    // Answered once it is on screen, that is inside its exec().
    QTimer attesa;
    QObject::connect(&attesa, &QTimer::timeout, nome, [&] {
        if (!nome->isVisible())
            return;
        attesa.stop();
        durante = nome->parentWidget();
        nome->accept();
    });
    attesa.start(1);
    b.setFinestra(1, nome);

    EXPECT_EQ(b.ShowWithBackdrop(1), QDialog::Accepted);
    EXPECT_EQ(durante, &principale);
    EXPECT_EQ(nome->parentWidget(), &altroGenitore);
}

TEST(Backdrop, selectorWithoutWindow_returnsRejectedAndShowsNothing)
{
    fake::Services f;
    QWidget principale;
    Backdrop b(&principale, f.clock);
    Registro r;
    b.setPausa(r.pausa());
    EXPECT_EQ(b.ShowWithBackdrop(3), QDialog::Rejected);
    EXPECT_EQ(b.dialogoDaMostrare(), 3);
    EXPECT_TRUE(r.pause.empty());
    EXPECT_EQ(principale.findChild<frmShadow *>(), nullptr);
}

TEST(Backdrop, windowOpenedFromInsideABackdrop_getsNoSecondBackdrop)
{
    fake::Services f;
    QWidget principale;
    Backdrop b(&principale, f.clock);
    Registro r;
    b.setPausa(r.pausa());
    Finestra interna;
    b.setFinestra(1, interna.apri());
    QPointer<QWidget> esterno;
    int ombreDurante = 0;
    b.setFinestra(3, [&](QWidget *owner) {
        esterno = owner;
        const int esito = b.ShowWithBackdrop(1) + 10;
        ombreDurante = int(principale.findChildren<frmShadow *>().size());
        return esito;
    });

    EXPECT_EQ(b.ShowWithBackdrop(3), QDialog::Accepted + 10);
    EXPECT_EQ(r.pause.size(), 34u);            // one hold and one fade only
    EXPECT_EQ(ombreDurante, 1);
    EXPECT_EQ(esterno, &principale);
    EXPECT_EQ(interna.proprietario, &principale);
}

TEST(Transparency, popupFade_takesFortyOneStepsFrom250To50)
{
    QWidget w;
    std::vector<int> alpha;
    const int passi = Dissolvenza(&w, 250, 50, 5, [&](int ms) {
        EXPECT_EQ(ms, 10);
        alpha.push_back(qRound(w.windowOpacity() * 255));
        return 258;
    });
    EXPECT_EQ(passi, 41);
    EXPECT_EQ(alpha.front(), 250);
    EXPECT_EQ(alpha.back(), 50);
    EXPECT_EQ(Dissolvenza(&w, 250, 50, 0, {}), 0);   // a step of 0 would never end
}

TEST(Transparency, windowClosedDuringTheFade_endsIt)
{
    auto *w = new QWidget;
    int pause = 0;
    const int passi = Dissolvenza(w, 160, 0, 5, [&](int) {
        if (++pause == 3)
            delete w;
        return 258;
    });
    EXPECT_EQ(passi, 3);
}

TEST(Transparency, percentToAlpha_roundsHalvesToEvenAndStaysInRange)
{
    EXPECT_EQ(AlphaDaPercentuale(50), 128);   // 127.5
    EXPECT_EQ(AlphaDaPercentuale(10), 26);    // 25.5
    EXPECT_EQ(AlphaDaPercentuale(30), 76);    // 76.5
    EXPECT_EQ(AlphaDaPercentuale(100), 255);
    EXPECT_EQ(AlphaDaPercentuale(0), 0);
    EXPECT_EQ(AlphaDaPercentuale(200), 255);
    EXPECT_EQ(AlphaDaPercentuale(-5), 0);

    QWidget w;
    EXPECT_EQ(frmShadow::Traspa(&w, 50), 128);
    EXPECT_EQ(qRound(w.windowOpacity() * 255), 128);
    EXPECT_EQ(frmShadow::Traspa(nullptr, 50), 128);
    // The backdrop takes it as the alpha of its fill.
    frmShadow ombra({}, &w);
    EXPECT_EQ(frmShadow::Traspa(&ombra, 30), 76);
    EXPECT_EQ(ombra.alpha(), 76);
    EXPECT_DOUBLE_EQ(ombra.windowOpacity(), 1.0);
}

} // namespace
