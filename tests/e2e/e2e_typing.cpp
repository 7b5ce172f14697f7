// Keys typed on a real X server with the French layout reach the practice
// engine as the characters the learner meant: letters, capitals, accented
// letters, AltGr characters and a dead-key letter.

#include "mainwindow/LineaInput.h"
#include "tests/support/Sorgenti.h"
#include "mainwindow/frmClavora.h"
#include "app/Composizione.h"
#include "practice/modClavora.h"
#include "keyboard/TastieraVirtuale.h"
#include "platform/SystemServices.h"
#include "tests/support/FakeServices.h"
#include "ui/basSleep.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DigitazioneReale : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs an X server";
        cartella = dir.path() + "/";
        QDir().mkpath(cartella + "Esercizi");
        QDir().mkpath(cartella + "CorsoDattilo");
        QFile f(cartella + "Esercizi/prova.ftd");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // Code page 1252: the exercise files' own encoding.
        f.write("[Livello1]\r\n"
                "1=azerty qsdf\r\n"
                "2=Bonjour Marie\r\n"
                "3=\xE9t\xE9 \xE0 l'\xE9""cole, \xE7""a va\r\n"
                "4=\x80 @ # { } [ ] | \\ ~\r\n"
                "5=f\xEAte\r\n");
        f.close();

        servizi = fakes.services();
        servizi.keyboard = sistema.services().keyboard;   // the real XKB keyboard
        servizi.clock = sistema.services().clock;         // real waits, real seconds
        stato = std::make_unique<modClavora>(servizi);
        stato->cartellaProgramma = cartella;
        stato->pausa = [this](int ms) { PauseWithEvents(*stato->servizi.clock, ms); };
        finestra = std::make_unique<frmClavora>(*stato);
        finestra->apriNome = [this](QWidget *) { stato->nomeUtente = "PROVA"; return 1; };
        finestra->Form_Load("/prova.ftd");
        finestra->activateWindow();
        finestra->raise();
        attendi(300);
    }

    void attendi(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    // Starts the next line and types it with xdotool; xdotool's own arguments
    // say how (type a text, or press keys by name).
    void digita(const QStringList &argomenti, int caratteri)
    {
        finestra->cmdStart_Click();
        finestra->txtInput->setFocus();
        attendi(100);
        QProcess xdotool;
        xdotool.start("xdotool", argomenti);
        ASSERT_TRUE(xdotool.waitForStarted());
        QElapsedTimer t;
        t.start();
        while ((xdotool.state() != QProcess::NotRunning || finestra->pratica.battuteFrase() < caratteri) &&
               t.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        attendi(200);
    }

    QTemporaryDir dir;
    QString cartella;
    fake::Services fakes;
    platform::SystemServices sistema;
    platform::Services servizi;
    std::unique_ptr<modClavora> stato;
    std::unique_ptr<frmClavora> finestra;
};

TEST_F(DigitazioneReale, frenchLayoutKeys_areAcceptedForEveryKindOfCharacter)
{
    EXPECT_EQ(sistema.services().keyboard->activeLayout(), "fr");

    digita({"type", "--delay", "40", "azerty qsdf"}, 11);
    EXPECT_EQ(finestra->txtInput->text(), "azerty qsdf");
    EXPECT_EQ(stato->totaleErrori, 0);

    digita({"type", "--delay", "40", "Bonjour Marie"}, 13);
    EXPECT_EQ(finestra->txtInput->text(), "Bonjour Marie");
    EXPECT_EQ(stato->totaleErrori, 0);

    digita({"type", "--delay", "40", QString::fromUtf8("été à l'école, ça va")}, 20);
    EXPECT_EQ(finestra->txtInput->text(), QString::fromUtf8("été à l'école, ça va"));
    EXPECT_EQ(stato->totaleErrori, 0);

    digita({"type", "--delay", "40", QString::fromUtf8("€ @ # { } [ ] | \\ ~")}, 19);
    EXPECT_EQ(finestra->txtInput->text(), QString::fromUtf8("€ @ # { } [ ] | \\ ~"));
    EXPECT_EQ(stato->totaleErrori, 0);

    // The dead circumflex, then e: one character, ê.
    digita({"key", "--delay", "60", "f", "dead_circumflex", "e", "t", "e"}, 4);
    EXPECT_EQ(finestra->txtInput->text(), QString::fromUtf8("fête"));
    EXPECT_EQ(stato->totaleErrori, 0);
}

// A line of the course lesson that teaches ` and ~, typed as a learner would:
// Enter to start, then the keys, with no help from the test to focus the window.
class LezioneAccentoGrave : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs an X server";
        cartella = dir.path() + "/";
        QDir().mkpath(cartella + "Esercizi");
        QDir().mkpath(cartella + "CorsoDattilo");
        // The first lesson, in the course's order, that uses the grave accent.
        const QDir corso(cartellaSorgenti() + QStringLiteral("/data/CorsoDattilo"));
        for (const QString &n : corso.entryList({"*.ftd"}, QDir::Files, QDir::Name)) {
            QFile f(corso.filePath(n));
            if (f.open(QIODevice::ReadOnly) && f.readAll().contains('`')) {
                lezione = n;
                ASSERT_TRUE(QFile::copy(corso.filePath(n), cartella + "Esercizi/lezione.ftd"));
                break;
            }
        }
        ASSERT_FALSE(lezione.isEmpty());

        servizi = fakes.services();
        servizi.keyboard = sistema.services().keyboard;
        servizi.clock = sistema.services().clock;
        stato = std::make_unique<modClavora>(servizi);
        stato->cartellaProgramma = cartella;
        stato->pausa = [this](int ms) { PauseWithEvents(*stato->servizi.clock, ms); };
        finestra = std::make_unique<frmClavora>(*stato);
        finestra->apriNome = [this](QWidget *) { stato->nomeUtente = "PROVA"; return 1; };
        finestra->Form_Load("/lezione.ftd");
        attendi(300);
    }

    void TearDown() override
    {
        if (cambiatoLayout)
            esegui("setxkbmap", {"fr"});
    }

    void attendi(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    // Runs a tool and keeps the window's events flowing meanwhile.
    void esegui(const QString &programma, const QStringList &argomenti)
    {
        QProcess p;
        p.start(programma, argomenti);
        ASSERT_TRUE(p.waitForStarted()) << programma.toStdString();
        QElapsedTimer t;
        t.start();
        while (p.state() != QProcess::NotRunning && t.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        attendi(150);
    }
    void xdotool(const QStringList &argomenti) { esegui("xdotool", argomenti); }

    // Enter, as the learner starts a line; the model line the program shows.
    QString avviaRiga()
    {
        const int prima = finestra->pratica.esercizi.numeroFrase;
        xdotool({"key", "Return"});
        QElapsedTimer t;
        t.start();
        while (finestra->pratica.esercizi.numeroFrase == prima && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        attendi(200);
        return finestra->pratica.esercizi.rigaCorrente;
    }

    // Types a text; with a dead grave, each ` is the dead key and then the space bar.
    void digita(const QString &testo, bool graveMorto)
    {
        const QStringList pezzi = testo.split(u'`');
        for (qsizetype i = 0; i < pezzi.size(); ++i) {
            if (i > 0)
                xdotool(graveMorto ? QStringList{"key", "--delay", "60", "dead_grave", "space"}
                                   : QStringList{"type", "--delay", "40", "`"});
            if (!pezzi[i].isEmpty())
                xdotool({"type", "--delay", "40", pezzi[i]});
        }
    }

    bool premuto(int tasto) const { return finestra->picKeyword->stato().tasto(tasto).premuto; }

    QTemporaryDir dir;
    QString cartella, lezione;
    bool cambiatoLayout = false;
    fake::Services fakes;
    platform::SystemServices sistema;
    platform::Services servizi;
    std::unique_ptr<modClavora> stato;
    std::unique_ptr<frmClavora> finestra;
};

TEST_F(LezioneAccentoGrave, graveAndTilde_typedAsTheLayoutGivesThem_withoutAnError)
{
    ASSERT_EQ(sistema.services().keyboard->activeLayout(), "fr");
    SCOPED_TRACE(lezione.toStdString());

    // "fr": AltGr + 7 gives ` at once; the keyboard shows no space bar for it.
    const QString riga = avviaRiga();
    ASSERT_TRUE(riga.contains(u'`') && riga.contains(u'~')) << riga.toStdString();
    const qsizetype grave = riga.indexOf(u'`');
    digita(riga.left(grave), false);
    EXPECT_EQ(finestra->pratica.carattereAtteso(), "`");
    EXPECT_TRUE(premuto(tastiera::TastoGrave) && premuto(tastiera::TastoAltGr));
    EXPECT_FALSE(premuto(tastiera::TastoSpazio));
    digita(riga.mid(grave), false);
    EXPECT_EQ(finestra->txtInput->text().toStdString(), riga.toStdString());
    EXPECT_EQ(stato->totaleErrori, 0);

    // "fr(latin9)" has ` on AltGr + Shift + P (its AltGr + 7 is a dead grave):
    // the keyboard follows the keymap changed between two lines.
    esegui("setxkbmap", {"-layout", "fr", "-variant", "latin9"});
    cambiatoLayout = true;
    ASSERT_EQ(sistema.services().keyboard->activeLayout(), "fr(latin9)");
    const QString seconda = avviaRiga();
    ASSERT_TRUE(seconda.contains(u'`')) << seconda.toStdString();
    const qsizetype grave2 = seconda.indexOf(u'`');
    digita(seconda.left(grave2), true);
    EXPECT_TRUE(premuto(9) && premuto(tastiera::TastoAltGr) && premuto(tastiera::TastoShiftSinistro));
    EXPECT_FALSE(premuto(tastiera::TastoGrave));
    digita(seconda.mid(grave2), true);
    EXPECT_EQ(finestra->txtInput->text().toStdString(), seconda.toStdString());
    EXPECT_EQ(stato->totaleErrori, 0);
}

} // namespace
