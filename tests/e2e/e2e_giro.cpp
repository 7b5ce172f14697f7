// The loop as a learner types it on a real X server with the French layout:
// the Enter that ends a level and the next one of the learner's rhythm leave
// the results window open; the Caps Lock warning over the game keeps its
// characters still until it is answered.

#include "app/Composizione.h"
#include "game/FrmPlay.h"
#include "game/PannelliGioco.h"
#include "platform/SystemServices.h"
#include "results/frmClassifica.h"
#include "tests/e2e/Studente.h"
#include "tests/support/FakeServices.h"
#include "ui/basSleep.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

template <typename Finestra>
bool aperta() { return qobject_cast<Finestra *>(QApplication::activeModalWidget()) != nullptr; }

using Passi = std::vector<Studente::Passo>;
const auto nulla = [] {};

// A signal ends the program here as a session's end does.
class GiroReale : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ChiudiAiSegnaliUnaVolta(); }
};

// The name typed, the welcome and its pop-up, then `righe` lines of "ffff".
Passi finoAFineLivello(frmClavora *&f, int righe)
{
    Passi p;
    p.push_back({"the name dialog", [] { return aperta<QDialog>(); }, nulla});
    p.push_back({"a moment", [] { return true; }, [] { xdotool({"type", "--delay", "50", "PROVA"}); }});
    p.push_back({"the name typed", [] {
                     auto *campo = qobject_cast<QLineEdit *>(QApplication::focusWidget());
                     return campo && campo->text() == "PROVA";
                 }, [] { xdotool({"key", "Return"}); }});
    p.push_back({"the welcome", [&f] { return (f = finestraPrincipale()) && f->s.nomeUtente == "PROVA"; }, nulla});
    p.push_back({"the pop-up", [&f] { return f->s.popupVisibile && f->pratica.startAbilitato(); }, nulla});
    for (int n = 0; n < righe; ++n) {
        p.push_back({"Start", [&f] { return f->pratica.startAbilitato(); }, [] { xdotool({"key", "Return"}); }});
        p.push_back({"a line", [&f] { return f->pratica.carattereAtteso() == "f" && !f->pratica.rigaCompletata(); },
                     [] { xdotool({"key", "--delay", "80", "f", "f", "f", "f"}); }});
        p.push_back({"the line typed", [&f] { return f->pratica.rigaCompletata() && !f->pratica.chiusuraInCorso(); },
                     nulla});
    }
    return p;
}

TEST_F(GiroReale, enterTwiceAtTheEndOfALevel_leavesTheResultsOpen_thenEnterContinues)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server";
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "Esercizi");
    QDir().mkpath(cartella + "CorsoDattilo");
    QFile esercizio(cartella + "Esercizi/cinque.ftd");
    ASSERT_TRUE(esercizio.open(QIODevice::WriteOnly) &&
                esercizio.write("[Livello1]\n1=ffff\n2=ffff\n3=ffff\n4=ffff\n5=ffff\n") > 0);
    esercizio.close();

    platform::SystemServices sistema;
    fake::InstanceLock libero;
    platform::Services servizi = sistema.services();
    servizi.instance = &libero;

    frmClavora *f = nullptr;
    Studente studente;
    studente.passi = finoAFineLivello(f, 5);
    QElapsedTimer dallApertura;
    bool apertaDopoUnSecondo = false;
    studente.passi.push_back({"Start of the sixth line", [&f] { return f->pratica.startAbilitato(); }, [] {
                                  // The Enter that ends the level, and another 0.3 s later.
                                  xdotool({"key", "--delay", "300", "Return", "Return"});
                              }});
    studente.passi.push_back({"the results window", [] { return aperta<frmClassifica>(); },
                              [&] { dallApertura.start(); }});
    studente.passi.push_back({"a second and a half", [&] { return dallApertura.elapsed() > 1500; }, [&] {
                                  apertaDopoUnSecondo = aperta<frmClassifica>() && f->s.sceltaRisultati == -1;
                                  xdotool({"key", "Return"});   // now read: Continua
                              }});
    int scelta = -2;
    studente.passi.push_back({"the results answered", [] { return !aperta<frmClassifica>(); },
                              [&] { scelta = f->s.sceltaRisultati; }});
    studente.parti();
    const int esito = Avvia(servizi, cartella, {"/cinque.ftd"}, [] { return QApplication::exec(); });

    EXPECT_EQ(esito, 0);
    EXPECT_TRUE(studente.fallito.isEmpty()) << studente.fallito.toStdString();
    EXPECT_TRUE(apertaDopoUnSecondo);
    EXPECT_EQ(scelta, 0);   // "Continua"
}

// --- The game

FrmPlay *finestraGioco()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *g = qobject_cast<FrmPlay *>(w); g && g->isVisible() && !g->chiusa)
            return g;
    return nullptr;
}

std::map<int, int> posizioni(const FrmPlay &g)
{
    std::map<int, int> p;
    for (int i = 0; i < RegoleGioco::NumeroColonne; ++i)
        if (g.regole.lblLetter(i).visibile)
            p[i] = g.PicPlay->topDisegnato(i);
    return p;
}

TEST_F(GiroReale, capsLockInTheGame_keepsTheCharactersStillBehindTheWarning)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server";
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "Esercizi");
    QDir().mkpath(cartella + "CorsoDattilo");
    platform::SystemServices sistema;
    fake::InstanceLock libero;
    platform::Services servizi = sistema.services();
    servizi.instance = &libero;

    frmClavora *f = nullptr;
    Studente studente;
    studente.passi = finoAFineLivello(f, 0);
    studente.passi.push_back({"a moment", [] { return true; }, [&f] {
                                  QRadioButton *o = f->optMenu[4];
                                  clicca(o->mapToGlobal(QPoint(qMin(o->width(), o->sizeHint().width()) / 2, o->height() / 2)));
                              }});
    // A click while the pop-up shows may only send it away: then again.
    studente.passi.push_back({"the pop-up gone or the game", [&f] { return finestraGioco() || !f->s.popupVisibile; }, [&f] {
                                  if (finestraGioco())
                                      return;
                                  QRadioButton *o = f->optMenu[4];
                                  clicca(o->mapToGlobal(QPoint(qMin(o->width(), o->sizeHint().width()) / 2, o->height() / 2)));
                              }});
    studente.passi.push_back({"the game window", [] { return finestraGioco() && finestraGioco()->cmdStart->isVisible(); }, [] {
                                  QPushButton *b = finestraGioco()->cmdStart;
                                  clicca(b->mapToGlobal(b->rect().center()));
                              }});
    std::map<int, int> prima, durante, dopo;
    QElapsedTimer attesa;
    studente.passi.push_back({"characters falling in sight", [] {
                                  FrmPlay *g = finestraGioco();
                                  if (!g || !g->regole.inCorso())
                                      return false;
                                  for (int i = 0; i < RegoleGioco::NumeroColonne; ++i)
                                      if (g->regole.lblLetter(i).visibile && g->regole.lblLetter(i).top > 60)
                                          return true;
                                  return false;
                              }, [] { xdotool({"key", "Caps_Lock"}); }});
    studente.passi.push_back({"the Caps Lock warning", [] { return domandaAperta() != nullptr; }, [&] {
                                  prima = posizioni(*finestraGioco());
                                  attesa.start();
                              }});
    studente.passi.push_back({"a second behind the warning", [&] { return attesa.elapsed() > 1000; }, [&] {
                                  durante = posizioni(*finestraGioco());
                                  xdotool({"key", "Return"});
                              }});
    studente.passi.push_back({"the warning answered", [] { return domandaAperta() == nullptr; },
                              [&] { attesa.restart(); }});
    studente.passi.push_back({"half a second of play", [&] { return attesa.elapsed() > 500; }, [&] {
                                  dopo = posizioni(*finestraGioco());
                                  xdotool({"key", "Escape"});
                              }});
    studente.passi.push_back({"the game closed", [] { return finestraGioco() == nullptr; }, nulla});
    studente.parti();
    const int esito = Avvia(servizi, cartella, {}, [] { return QApplication::exec(); });

    EXPECT_EQ(esito, 0);
    EXPECT_TRUE(studente.fallito.isEmpty()) << studente.fallito.toStdString();
    ASSERT_FALSE(prima.empty());
    EXPECT_EQ(durante, prima);   // not a pixel while the box was up
    EXPECT_NE(dopo, prima);      // and falling again once it is answered
    EXPECT_FALSE(sistema.services().keyboard->capsLockOn());
}

} // namespace
