// The game opened from the main window's menu on a real X server with the
// French layout: the kind-4 option is clicked with xdotool, the window that
// the start-up composition hands the main window opens, Start is clicked, and
// the falling characters of a "Facile" turn are typed with xdotool. The test
// only reads the program's state; the program takes the focus by itself.

#include "app/Composizione.h"
#include "mainwindow/frmClavora.h"
#include "practice/modClavora.h"
#include "game/FrmPlay.h"
#include "platform/SystemServices.h"
#include "tests/support/FakeServices.h"
#include "ui/basSleep.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

// Runs one xdotool command at a time, without waiting for it.
class Xdotool {
public:
    bool libero() const { return !processo_ || processo_->state() == QProcess::NotRunning; }
    void esegui(const QStringList &argomenti)
    {
        processo_ = std::make_unique<QProcess>();
        processo_->start(QStringLiteral("xdotool"), argomenti);
        processo_->waitForStarted();
    }
    void clic(const QPoint &schermo)
    {
        esegui({"mousemove", "--sync", QString::number(schermo.x()), QString::number(schermo.y()), "click", "1"});
    }

private:
    std::unique_ptr<QProcess> processo_;
};

FrmPlay *finestraGioco()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<FrmPlay *>(w); f && f->isVisible() && !f->chiusa)
            return f;
    return nullptr;
}

QPoint centro(const QWidget *w)
{
    return w->mapToGlobal(w->rect().center());
}

// Where a learner clicks an option: on its caption (the part of an option
// button that answers a click), not in the empty space beside it.
QPoint sullaDidascalia(const QWidget *w)
{
    return w->mapToGlobal(QPoint(qMin(w->width(), w->sizeHint().width()) / 2, w->height() / 2));
}

class GiocoReale : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs an X server";
        cartella = dir.path() + "/";
        QDir().mkpath(cartella + "Esercizi");
        QDir().mkpath(cartella + "CorsoDattilo");
        servizi = fakes.services();
        servizi.keyboard = sistema.services().keyboard;   // the real XKB keyboard
        servizi.clock = sistema.services().clock;         // real waits, real seconds
        servizi.screen = sistema.services().screen;       // the X server's screen
        stato = std::make_unique<modClavora>(servizi);
        stato->cartellaProgramma = cartella;
        const DecisioneAvvio d = DecidiSchermo(servizi.screen->size());
        stato->schermoGrande = d.schermoGrande;
        stato->windowsNT5 = stato->VersioneNT5();
        stato->pausa = [this](int ms) { PauseWithEvents(*stato->servizi.clock, ms); };
        principale = std::make_unique<frmClavora>(*stato);
        // The program's own composition hands the main window its windows...
        ComponiFinestre(*principale, *stato);
        // ...and only the name dialog, not under test here, answers at once.
        principale->apriNome = [this](QWidget *) {
            stato->nomeUtente = "PROVA";
            return 1;
        };
        principale->Form_Load({});
    }

    bool attendi(const std::function<bool()> &condizione, int ms)
    {
        QElapsedTimer t;
        t.start();
        while (!condizione() && t.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return condizione();
    }

    QTemporaryDir dir;
    QString cartella;
    fake::Services fakes;
    platform::SystemServices sistema;
    platform::Services servizi;
    std::unique_ptr<modClavora> stato;
    std::unique_ptr<frmClavora> principale;
};

TEST_F(GiocoReale, gameFromTheMenu_aTurnTypedOnTheFrenchLayout_scoresPoints)
{
    ASSERT_EQ(sistema.services().keyboard->activeLayout(), "fr");
    ASSERT_TRUE(principale->apriGioco);
    QRadioButton *opzioneGioco = principale->optMenu[4];
    ASSERT_TRUE(attendi([&] { return opzioneGioco->isVisible() && opzioneGioco->isEnabled(); }, 20000));

    // The game window runs its own event loop once opened: what follows is
    // driven from a timer, which keeps firing inside that loop.
    enum class Passo { Apri, Avvia, Gioca, Chiudi, Finito };
    Passo passo = Passo::Apri;
    Xdotool xdotool;
    std::set<QChar> digitati;
    int turnoDigitato = 0;
    int32_t punti = 0;
    QString totaleMostrato;
    bool apertoDalMenu = false;
    QTimer guida;
    QObject::connect(&guida, &QTimer::timeout, [&] {
        if (!xdotool.libero())
            return;
        FrmPlay *gioco = finestraGioco();
        switch (passo) {
        case Passo::Apri:
            if (gioco)
                passo = Passo::Avvia;
            else
                xdotool.clic(sullaDidascalia(opzioneGioco));
            return;
        case Passo::Avvia:
            apertoDalMenu = gioco && gioco->parentWidget() == principale.get();
            if (gioco && gioco->cmdStart->isVisible()) {
                xdotool.clic(centro(gioco->cmdStart));
                passo = Passo::Gioca;
            }
            return;
        case Passo::Gioca: {
            if (!gioco)
                return;
            const RegoleGioco &r = gioco->regole;
            if (r.turno() >= 2) {
                // The first turn's tally has been added.
                punti = r.punteggioTotale();
                totaleMostrato = gioco->lblTotal->text();
                passo = Passo::Chiudi;
                return;
            }
            if (!r.inCorso())
                return;
            if (turnoDigitato != r.turno()) {
                digitati.clear();
                turnoDigitato = r.turno();
            }
            // The characters that have come out from behind the strip at the top.
            QString testo;
            for (int i = 0; i < RegoleGioco::NumeroColonne; ++i) {
                const Etichetta &l = r.lblLetter(i);
                if (l.visibile && l.top >= 40 && !digitati.count(l.testo.at(0))) {
                    testo += l.testo;
                    digitati.insert(l.testo.at(0));
                }
            }
            if (!testo.isEmpty())
                xdotool.esegui({"type", "--delay", "80", testo});
            return;
        }
        case Passo::Chiudi:
            if (!gioco) {
                passo = Passo::Finito;
                return;
            }
            if (gioco->regole.cmdExitAbilitato())
                xdotool.esegui({"key", "Escape"});
            return;
        case Passo::Finito:
            return;
        }
    });
    guida.start(50);

    ASSERT_TRUE(attendi([&] { return passo == Passo::Finito; }, 120000))
        << "stopped at step " << int(passo) << ", points " << punti;
    guida.stop();
    EXPECT_TRUE(apertoDalMenu);
    EXPECT_GT(punti, 0);
    EXPECT_EQ(totaleMostrato, RegoleGioco::FormatoPunti(punti));
    EXPECT_EQ(finestraGioco(), nullptr);
    // Back in the main window, which started the practice again.
    EXPECT_TRUE(principale->optMenu[0]->isChecked());
}

} // namespace
