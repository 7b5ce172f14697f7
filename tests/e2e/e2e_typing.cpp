// Keys typed on a real X server with the French layout reach the practice
// engine as the characters the learner meant: letters, capitals, accented
// letters, AltGr characters and a dead-key letter.

#include "app/LineaInput.h"
#include "app/frmClavora.h"
#include "app/Composizione.h"
#include "app/modClavora.h"
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

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
