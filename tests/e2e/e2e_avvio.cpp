// The program as a learner meets it on a real X server with the French layout,
// started through its own start-up (the same composition as the program), with
// or without a window manager. Keys come only from xdotool; the test never
// gives a window the focus, it only watches: the learner types a name, starts a
// line with a dead-key letter and types it to its end, answers the quit
// question No with Esc, and presses Esc inside that question.

#include "app/Composizione.h"
#include "mainwindow/LineaInput.h"
#include "mainwindow/frmClavora.h"
#include "practice/modClavora.h"
#include "platform/SystemServices.h"
#include "tests/e2e/Studente.h"
#include "tests/support/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(AvvioReale, learnerTypesNameAndADeadKeyLineAndEscapesTheQuitQuestion)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server";
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "Esercizi");
    QDir().mkpath(cartella + "CorsoDattilo");
    {
        QFile f(cartella + "Esercizi/festa.ftd");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Livello1]\r\n1=f\xEAte\r\n2=f\xEAte\r\n");   // code page 1252
    }
    platform::SystemServices sistema;
    fake::InstanceLock libero;   // a Tastavia the developer runs must not stop the test
    platform::Services servizi = sistema.services();
    servizi.instance = &libero;

    ContaDomande domande;
    qApp->installEventFilter(&domande);
    Studente studente;
    frmClavora *f = nullptr;
    QElapsedTimer attesa;
    auto dopo = [&](int ms) {   // a pause of the learner's own
        return [&attesa, ms] {
            if (!attesa.isValid())
                attesa.start();
            if (attesa.elapsed() < ms)
                return false;
            attesa.invalidate();
            return true;
        };
    };
    auto nessuno = [] {};
    studente.passi = {
        // The name dialog takes the keyboard by itself.
        {"the name dialog", [] { return QApplication::activeModalWidget() != nullptr; }, nessuno},
        {"a moment", dopo(300), [] { xdotool({"type", "--delay", "50", "PROVA"}); }},
        {"the name in its field", [] {
             auto *campo = qobject_cast<QLineEdit *>(QApplication::focusWidget());
             return campo && campo->text() == "PROVA";
         }, [] { xdotool({"key", "Return"}); }},
        {"the welcome's invitation to start", [&] {
             f = finestraPrincipale();
             return f && f->pratica.startAbilitato();
         }, [] { xdotool({"key", "Return"}); }},
        {"the line to start", [&] { return f->pratica.carattereAtteso() == "f"; },
         [] { xdotool({"key", "--delay", "80", "f", "dead_circumflex", "e", "t", "e"}); }},
        {"the line typed to its end", [&] {
             return f->pratica.rigaCompletata() && !f->pratica.chiusuraInCorso();
         }, [&] {
             EXPECT_EQ(f->s.nomeUtente, "PROVA");
             EXPECT_EQ(f->txtInput->text(), QString::fromUtf8("fête"));
             EXPECT_EQ(f->s.totaleErrori, 0);
             xdotool({"key", "Escape"});
         }},
        // Esc inside the quit question answers No, for good.
        {"the quit question", [] { return domandaAperta() != nullptr; }, nessuno},
        {"a moment", dopo(300), [] { xdotool({"key", "Escape"}); }},
        {"the quit question to close", [] { return domandaAperta() == nullptr; }, nessuno},
        {"a moment", dopo(1000), [&] {
             EXPECT_EQ(domande.aperte, 1);
             EXPECT_EQ(domandaAperta(), nullptr);
             EXPECT_FALSE(f->chiusa);
         }},
    };
    studente.parti();
    Avvia(servizi, cartella, {"/festa.ftd"}, [] { return QApplication::exec(); });
    qApp->removeEventFilter(&domande);
    EXPECT_TRUE(studente.fallito.isEmpty()) << studente.fallito.toStdString();
    EXPECT_EQ(studente.corrente, studente.passi.size());
}

} // namespace
