// The program on a Wayland desktop (weston, run by run_weston.sh with the
// compositor's keymap TASTAVIA_E2E_LAYOUT), through Xwayland or natively.
// The keys are key positions, as a physical keyboard sends them: with a
// French keymap the AZERTY keys type AZERTY, nothing is loaded and nothing
// warns; with another keymap one line says so and nothing changes. Either
// way the keymap of Xwayland, which every other X program types with, is the
// same after the run as before it.

#include "app/Composizione.h"
#include "mainwindow/frmClavora.h"
#include "keyboard/LayoutTastiera.h"
#include "keyboard/TabellaTasti.h"
#include "keyboard/TastieraVirtuale.h"
#include "platform/SystemServices.h"
#include "tests/e2e/Studente.h"
#include "tests/support/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// What the keys type in every X program: the keymap Xwayland holds, as
// xkbcomp dumps it. "A" when A, Z, Q, W are where AZERTY has them.
QString tastiXwayland()
{
    QProcess p;
    p.start("xkbcomp", {"-xkb", qEnvironmentVariable("TASTAVIA_XWAYLAND"), "-"});
    p.waitForFinished(10000);
    const std::optional<tastiera::LayoutTastiera> l = tastiera::LayoutTastiera::daTesto(p.readAllStandardOutput());
    if (!l)
        return QStringLiteral("?");
    return tastiera::TabellaTasti::CompatibileAzerty(*l) ? QStringLiteral("AZERTY") : QStringLiteral("other");
}

TEST(Weston, compositorsKeymap_typedAsItIs_neverChanged)
{
    const QString layout = qEnvironmentVariable("TASTAVIA_E2E_LAYOUT");
    if (qEnvironmentVariableIsEmpty("TASTAVIA_XDOTOOL_DISPLAY") || layout.isEmpty())
        GTEST_SKIP() << "run through run_weston.sh";
    const bool francese = layout.startsWith("fr");
    const QString tasti = francese ? "AZERTY" : "other";
    const bool attraversoXwayland = QGuiApplication::platformName() == "xcb";

    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "Esercizi");
    QDir().mkpath(cartella + "CorsoDattilo");
    platform::SystemServices sistema;
    fake::InstanceLock libero;
    platform::Services servizi = sistema.services();
    servizi.instance = &libero;
    ContaDomande domande;
    qApp->installEventFilter(&domande);

    Studente studente;
    frmClavora *f = nullptr;
    QElapsedTimer attesa;
    QString visto;   // the name field as last seen
    // The same four keys either way (AD01, AD02, AC01, AB01), named as the
    // keymap of the X server under weston calls them.
    const QString atteso = francese ? "azqw" : "qwaz";
    const QStringList tasti4 = {"key", "--delay", "120", atteso.mid(0, 1), atteso.mid(1, 1), atteso.mid(2, 1),
                                atteso.mid(3, 1)};
    studente.passi = {
        {"the name dialog", [] { return QApplication::activeModalWidget() != nullptr; }, [] {
             // Through Xwayland a new window waits for a click to take the keys, as
             // a learner gives it; a native one has them at once.
             if (QGuiApplication::platformName() == "xcb") {
                 QWidget *d = QApplication::activeModalWidget();
                 clicca(d->mapToGlobal(QPoint(d->width() / 2, 8)));
             }
         }},
        {"a moment", [&] {
             if (!attesa.isValid())
                 attesa.start();
             return attesa.elapsed() > 1000;
         }, [&] { xdotool(tasti4); }},
        {"the name in its field", [&] {
             auto *campo = qobject_cast<QLineEdit *>(QApplication::focusWidget());
             visto = campo ? campo->text() : QString();
             return campo && campo->text().compare(atteso, Qt::CaseInsensitive) == 0;
         }, [] { xdotool({"key", "Return"}); }},
        {"the welcome", [&] {
             f = finestraPrincipale();
             return f && f->pratica.startAbilitato();
         }, [&] {
             auto *riga = f->findChild<QLabel *>("lblAvvisoTastiera");
             ASSERT_TRUE(riga);
             EXPECT_EQ(riga->isVisible(), !francese);
             EXPECT_EQ(domande.aperte, 0);   // no box: neither a false warning nor a true one
             if (attraversoXwayland) {
                 EXPECT_EQ(tastiXwayland(), tasti);
             }
             // The captions are the keymap's: A where AZERTY has it, Q on US.
             // Natively the captions are the compositor's keymap: A where AZERTY has
             // it, Q on US. (Xwayland's own keymap is checked above and below.)
             if (QGuiApplication::platformName() == "wayland") {
                 EXPECT_EQ(f->picKeyword->stato().tasto(0).didascalia, QString(francese ? "A" : "Q"));
             }
         }},
    };
    studente.parti();
    Avvia(servizi, cartella, {}, [] { return QApplication::exec(); });
    qApp->removeEventFilter(&domande);
    EXPECT_TRUE(studente.fallito.isEmpty()) << studente.fallito.toStdString() << " name field: \""
                                             << visto.toStdString() << "\"";
    EXPECT_EQ(studente.corrente, studente.passi.size());
    // What every other X program types with. Natively the program never
    // touches X, and Xwayland has the compositor's keymap only once one of its
    // windows had the keyboard.
    if (attraversoXwayland) {
        EXPECT_EQ(tastiXwayland(), tasti);
    }
}

} // namespace
