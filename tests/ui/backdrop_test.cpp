#include "ui/frmShadow.h"
#include "tests/support/FakeServices.h"

#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Records every hold the backdrop asks for and the backdrop's alpha at that moment.
struct Registro {
    std::vector<int> pause;
    std::vector<int> alpha;
    Backdrop *backdrop = nullptr;
    frmShadow::Pausa pausa()
    {
        return [this](int ms) {
            pause.push_back(ms);
            if (backdrop && backdrop->ombraAttiva())
                alpha.push_back(qRound(backdrop->ombraAttiva()->windowOpacity() * 255));
            return 258;
        };
    }
};

// Opens a dialog parented to the owner and accepts it from a timer.
struct Finestra {
    QPointer<QWidget> proprietario;
    bool ombraVisibile = false;
    int alphaOmbra = -1;
    int esito = QDialog::Accepted;
    frmShadow::ApriFinestra apri()
    {
        return [this](QWidget *owner) {
            proprietario = owner;
            if (auto *ombra = qobject_cast<frmShadow *>(owner)) {
                ombraVisibile = ombra->isVisible();
                alphaOmbra = qRound(ombra->windowOpacity() * 255);
            }
            QDialog d(owner);
            QTimer::singleShot(0, &d, [&d, this] { d.done(esito); });
            return d.exec();
        };
    }
};

TEST(Backdrop, layeredWindows_dimTheScreenHoldThenFadeOut)
{
    fake::Services f;
    QWidget principale;
    Backdrop b(&principale, f.clock, f.screen.compositing());
    Registro r;
    r.backdrop = &b;
    b.setPausa(r.pausa());
    Finestra risultati;
    risultati.esito = 5;
    b.setFinestra(2, risultati.apri());
    int popupNascosto = 0;
    b.setNascondiPopup([&] { ++popupNascosto; });

    EXPECT_EQ(b.ShowWithBackdrop(2), 5);

    EXPECT_EQ(b.dialogoDaMostrare(), 2);
    EXPECT_EQ(popupNascosto, 1);
    EXPECT_TRUE(risultati.ombraVisibile);
    EXPECT_EQ(risultati.alphaOmbra, 128);
    EXPECT_TRUE(risultati.proprietario.isNull());   // the backdrop is gone
    EXPECT_EQ(b.ombraAttiva(), nullptr);

    ASSERT_EQ(r.pause.size(), 34u);
    EXPECT_EQ(r.pause[0], 200);
    EXPECT_EQ(r.alpha[0], 128);
    for (size_t i = 1; i < r.pause.size(); ++i) {
        EXPECT_EQ(r.pause[i], 10);
        EXPECT_EQ(r.alpha[i], 160 - 5 * int(i - 1));
    }
    EXPECT_EQ(r.alpha.back(), 0);
}

TEST(Backdrop, noCompositor_opensTheWindowDirectlyWithoutHoldOrFade)
{
    fake::Services f;
    f.screen.composited = false;
    QWidget principale;
    Backdrop b(&principale, f.clock, f.screen.compositing());
    Registro r;
    b.setPausa(r.pausa());
    Finestra risultati;
    risultati.esito = QDialog::Rejected;
    b.setFinestra(2, risultati.apri());
    int popupNascosto = 0;
    b.setNascondiPopup([&] { ++popupNascosto; });

    EXPECT_EQ(b.ShowWithBackdrop(2), QDialog::Rejected);
    EXPECT_EQ(risultati.proprietario, &principale);
    EXPECT_TRUE(r.pause.empty());
    EXPECT_EQ(popupNascosto, 0);
}

TEST(Backdrop, existingDialog_isLentToTheBackdropAndHandedBack)
{
    fake::Services f;
    QWidget principale;
    Backdrop b(&principale, f.clock, true);
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
    EXPECT_TRUE(durante.isNull());   // it was the backdrop, now deleted
    EXPECT_EQ(nome->parentWidget(), &altroGenitore);
}

TEST(Backdrop, selectorWithoutWindow_returnsRejectedAndShowsNothing)
{
    fake::Services f;
    QWidget principale;
    Backdrop b(&principale, f.clock, true);
    Registro r;
    b.setPausa(r.pausa());
    EXPECT_EQ(b.ShowWithBackdrop(3), QDialog::Rejected);
    EXPECT_EQ(b.dialogoDaMostrare(), 3);
    EXPECT_TRUE(r.pause.empty());
}

TEST(Backdrop, windowOpenedFromInsideABackdrop_getsNoSecondBackdrop)
{
    fake::Services f;
    QWidget principale;
    Backdrop b(&principale, f.clock, true);
    Registro r;
    b.setPausa(r.pausa());
    Finestra interna;
    b.setFinestra(1, interna.apri());
    QPointer<QWidget> esterno;
    b.setFinestra(3, [&](QWidget *owner) {
        esterno = owner;
        return b.ShowWithBackdrop(1) + 10;
    });

    EXPECT_EQ(b.ShowWithBackdrop(3), QDialog::Accepted + 10);
    EXPECT_EQ(r.pause.size(), 34u);            // one hold and one fade only
    EXPECT_TRUE(esterno.isNull());
    EXPECT_TRUE(interna.proprietario.isNull());  // it was the same backdrop
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
}

} // namespace
