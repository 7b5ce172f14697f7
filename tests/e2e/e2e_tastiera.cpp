// The learner's own keymap on a real X server, set with setxkbmap before the
// program starts (TASTAVIA_E2E_LAYOUT: "fr", "fr(oss)", "us"...): a French
// AZERTY keymap is left exactly as it is and its captions come from the
// server's keymap; another one is switched for the run, said in one line and
// given back at exit, and a switch that a killed run left behind is given
// back at the next start.

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
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

QString esegui(const QString &programma, const QStringList &argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// "fr(oss)" -> its layout and variant.
std::pair<QString, QString> parti(const QString &nome)
{
    const int aperta = nome.indexOf(u'(');
    return {aperta < 0 ? nome : nome.left(aperta), aperta < 0 ? QString() : nome.mid(aperta + 1).chopped(1)};
}

void impostaLayout(const QString &nome)
{
    const auto [layout, variante] = parti(nome);
    esegui("setxkbmap", {"-layout", layout, "-variant", variante});
}

// The keymap as xkb-data compiles it, apart from the X server.
std::optional<tastiera::LayoutTastiera> modello(const QString &nome)
{
    const auto [layout, variante] = parti(nome);
    return tastiera::LayoutTastiera::daNomi(layout, variante);
}

// The layout and variant lines of setxkbmap -query: what the desktop has.
QString interrogazione()
{
    QStringList righe;
    for (const QString &r : esegui("setxkbmap", {"-query"}).split(u'\n'))
        if (r.startsWith("layout") || r.startsWith("variant"))
            righe << r.simplified();
    return righe.join(u';');
}

QString layoutVoluto()
{
    const QString v = qEnvironmentVariable("TASTAVIA_E2E_LAYOUT");
    return v.isEmpty() ? QStringLiteral("fr") : v;
}

// The program started as a learner meets it: the name typed, up to the
// welcome; `poi` runs there, then the window closes as at Esc -> Yes.
struct Corsa {
    QTemporaryDir dir;
    QString cartella = dir.path() + "/";
    QString fallito;
    bool finita = false;

    int avvia(const std::function<void(frmClavora *)> &poi)
    {
        QDir().mkpath(cartella + "Esercizi");
        QDir().mkpath(cartella + "CorsoDattilo");
        platform::SystemServices sistema;
        fake::InstanceLock libero;
        platform::Services servizi = sistema.services();
        servizi.instance = &libero;
        Studente studente;
        frmClavora *f = nullptr;
        QElapsedTimer attesa;
        studente.passi = {
            {"the name dialog", [] { return QApplication::activeModalWidget() != nullptr; }, [] {}},
            {"a moment", [&] {
                 if (!attesa.isValid())
                     attesa.start();
                 return attesa.elapsed() > 300;
             }, [] { xdotool({"type", "--delay", "50", "PROVA"}); }},
            {"the name in its field", [] {
                 auto *campo = qobject_cast<QLineEdit *>(QApplication::focusWidget());
                 return campo && campo->text() == "PROVA";
             }, [] { xdotool({"key", "Return"}); }},
            {"the welcome", [&] {
                 f = finestraPrincipale();
                 return f && f->pratica.startAbilitato();
             }, [&] { poi(f); }},
        };
        studente.parti();
        const int esito = Avvia(servizi, cartella, {}, [] { return QApplication::exec(); });
        fallito = studente.fallito;
        finita = studente.corrente == studente.passi.size();
        return esito;
    }
};

class TastieraReale : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs an X server";
        // The keymap remembered for a crash goes to a runtime folder of the test's
        // own; the child of the crash test shares its parent's.
        if (qEnvironmentVariableIsEmpty("TASTAVIA_E2E_FIGLIO"))
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        impostaLayout(layoutVoluto());
    }
    void TearDown() override { esegui("setxkbmap", {"fr"}); }

    QTemporaryDir runtime;
};

TEST_F(TastieraReale, keymapOfTheDesktop_keptWhenFrench_switchedAndGivenBackOtherwise)
{
    const QString nome = layoutVoluto();
    const QString prima = interrogazione();
    Corsa corsa;
    corsa.avvia([&](frmClavora *f) {
        const std::optional<tastiera::LayoutTastiera> atteso = modello(nome);
        ASSERT_TRUE(atteso);
        auto *riga = f->findChild<QLabel *>("lblAvvisoTastiera");
        ASSERT_TRUE(riga);
        if (tastiera::TabellaTasti::CompatibileAzerty(*atteso)) {
            EXPECT_EQ(interrogazione(), prima);
            EXPECT_FALSE(riga->isVisible());
            // Every caption is what the server's keymap gives, as xkb-data compiles it.
            tastiera::TabellaTasti riferimento;
            riferimento.ApplicaLayout(&*atteso);
            for (int k = 0; k < tastiera::NumeroTasti; ++k)
                EXPECT_EQ(f->picKeyword->stato().tasto(k).didascalia, riferimento.Legenda(k)) << k;
        } else {
            EXPECT_NE(interrogazione(), prima);
            EXPECT_TRUE(riga->isVisible());
            EXPECT_TRUE(riga->text().contains("\"" + nome + "\"")) << riga->text().toStdString();
            EXPECT_EQ(f->picKeyword->stato().tasto(0).didascalia, "A");   // AZERTY now
        }
    });
    EXPECT_TRUE(corsa.fallito.isEmpty()) << corsa.fallito.toStdString();
    EXPECT_TRUE(corsa.finita);
    EXPECT_EQ(interrogazione(), prima);   // as the learner had it, after the exit
    EXPECT_FALSE(QFile::exists(runtime.path() + "/tastavia-tastiera"));
}

// Run in a child process by the test below, which kills it.
TEST_F(TastieraReale, DISABLED_figlio)
{
    Corsa corsa;
    corsa.avvia([](frmClavora *) { std::raise(SIGSTOP); });
}

TEST_F(TastieraReale, switchLeftByAKilledRun_givenBackAtTheNextStart)
{
    const QString nome = layoutVoluto();
    const std::optional<tastiera::LayoutTastiera> l = modello(nome);
    if (!l || tastiera::TabellaTasti::CompatibileAzerty(*l))
        GTEST_SKIP() << "only a keymap that is switched";
    const QString prima = interrogazione();
    QProcess figlio;
    figlio.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TASTAVIA_E2E_FIGLIO", "1");
    figlio.setProcessEnvironment(env);
    figlio.start(QCoreApplication::applicationFilePath(),
                 {"--gtest_also_run_disabled_tests", "--gtest_filter=TastieraReale.DISABLED_figlio"});
    ASSERT_TRUE(figlio.waitForStarted());
    // It stops itself at the welcome, French switched on; then it is killed.
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(runtime.path() + "/tastavia-tastiera") || interrogazione() == prima) {
        ASSERT_LT(t.elapsed(), 60000) << "the child never switched the keymap";
        QThread::msleep(100);
    }
    QThread::msleep(500);
    ::kill(pid_t(figlio.processId()), SIGKILL);
    figlio.waitForFinished(5000);
    EXPECT_NE(interrogazione(), prima);   // what a crash leaves

    Corsa corsa;
    corsa.avvia([](frmClavora *) {});
    EXPECT_TRUE(corsa.fallito.isEmpty()) << corsa.fallito.toStdString();
    EXPECT_EQ(interrogazione(), prima);
}

} // namespace
