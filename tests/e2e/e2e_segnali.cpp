// SIGTERM (a logout, a shutdown, kill) at every moment a learner can be in:
// the program ends through its event loop as Esc answered Yes does, with the
// settings saved and the keyboard layout given back, and Avvia returns 0. The
// program runs through its own start-up on a real X server that starts with
// the US layout, so the switch to French and its undoing are real.

#include "app/Composizione.h"
#include "app/frmClavora.h"
#include "app/modClavora.h"
#include "game/FrmPlay.h"
#include "platform/SystemServices.h"
#include "report/frmReportFreeTXT.h"
#include "results/frmClassifica.h"
#include "tests/e2e/Studente.h"
#include "tests/support/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace {

QString layoutAttivo()
{
    QProcess p;
    p.start("setxkbmap", {"-query"});
    p.waitForFinished();
    for (const QString &riga : QString::fromLocal8Bit(p.readAllStandardOutput()).split('\n'))
        if (riga.startsWith("layout:"))
            return riga.mid(7).trimmed();
    return {};
}

template <typename Finestra>
bool aperta()
{
    return qobject_cast<Finestra *>(QApplication::activeModalWidget()) != nullptr;
}

using Passi = std::vector<Studente::Passo>;

struct Momento {
    const char *nome;
    QStringList argomenti;
    // The learner's steps up to the moment; SIGTERM comes right after them.
    std::function<Passi(frmClavora *&f)> passi;
};

Passi finoAlNome()
{
    return {{"the name dialog", [] { return aperta<QDialog>(); }, [] {}}};
}

Passi finoAlBenvenuto(frmClavora *&f)
{
    Passi p = finoAlNome();
    p.push_back({"a moment", [] { return true; }, [] { xdotool({"type", "--delay", "50", "PROVA"}); }});
    p.push_back({"the name in its field", [] {
                     auto *campo = qobject_cast<QLineEdit *>(QApplication::focusWidget());
                     return campo && campo->text() == "PROVA";
                 }, [] { xdotool({"key", "Return"}); }});
    p.push_back({"the welcome", [&f] {
                     f = finestraPrincipale();
                     return f && f->s.nomeUtente == "PROVA";
                 }, [] {}});
    return p;
}

Passi finoAlPopup(frmClavora *&f)
{
    Passi p = finoAlBenvenuto(f);
    p.push_back({"the pop-up over the keyboard", [&f] { return f->s.popupVisibile && f->pratica.startAbilitato(); },
                 [] {}});
    return p;
}

// Enter, then every "f" of the line typed.
void unaRiga(Passi &p, frmClavora *&f, int numero, int tasti)
{
    p.push_back({"the line to start", [&f] { return f->pratica.startAbilitato(); },
                 [] { xdotool({"key", "Return"}); }});
    p.push_back({"line " + QString::number(numero), [&f, numero] {
                     return f->pratica.numeroFrase() == numero && f->pratica.carattereAtteso() == "f" &&
                            !f->pratica.rigaCompletata();
                 }, [tasti] {
                     QStringList k{"key", "--delay", "80"};
                     for (int i = 0; i < tasti; ++i)
                         k << "f";
                     xdotool(k);
                 }});
}

const Momento momenti[] = {
    {"name dialog", {}, [](frmClavora *&) { return finoAlNome(); }},
    {"welcome", {}, [](frmClavora *&f) { return finoAlBenvenuto(f); }},
    {"pop-up", {}, [](frmClavora *&f) { return finoAlPopup(f); }},
    {"mid-line", {"/cinque.ftd"}, [](frmClavora *&f) {
         Passi p = finoAlPopup(f);
         unaRiga(p, f, 1, 1);
         p.push_back({"one key typed", [&f] { return f->txtInput->text() == "f"; }, [] {}});
         return p;
     }},
    {"results", {"/cinque.ftd"}, [](frmClavora *&f) {
         Passi p = finoAlPopup(f);
         for (int n = 1; n <= 5; ++n) {
             unaRiga(p, f, n, 4);
             p.push_back({"the line typed", [&f] {
                              return f->pratica.rigaCompletata() && !f->pratica.chiusuraInCorso();
                          }, [] {}});
         }
         p.push_back({"Enter after five lines", [&f] { return f->pratica.startAbilitato(); },
                      [] { xdotool({"key", "Return"}); }});
         p.push_back({"the results window", [] { return aperta<frmClassifica>(); }, [] {}});
         return p;
     }},
    {"report", {"/due.txt"}, [](frmClavora *&f) {
         Passi p = finoAlPopup(f);
         unaRiga(p, f, 0, 2);
         p.back().pronto = [&f] { return f->pratica.carattereAtteso() == "f" && !f->pratica.rigaCompletata(); };
         p.push_back({"the text report", [] { return aperta<frmReportFreeTXT>(); }, [] {}});
         return p;
     }},
    {"game", {}, [](frmClavora *&f) {
         Passi p = finoAlPopup(f);
         p.push_back({"a moment", [] { return true; }, [&f] {
                          QRadioButton *o = f->optMenu[4];
                          const QPoint punto =
                              o->mapToGlobal(QPoint(qMin(o->width(), o->sizeHint().width()) / 2, o->height() / 2));
                          clicca(punto);
                      }});
         p.push_back({"the game window", [] { return aperta<FrmPlay>(); }, [] {}});
         return p;
     }},
};

class Segnali : public ::testing::TestWithParam<int> {};

TEST_P(Segnali, sigtermAtThisMoment_endsAsEscYesDoes_settingsSavedLayoutBack)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server";
    const Momento &m = momenti[GetParam()];
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "Esercizi");
    QDir().mkpath(cartella + "CorsoDattilo");
    {
        QFile f(cartella + "Esercizi/cinque.ftd");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Livello1]\r\n1=f\r\n2=f\r\n3=f\r\n4=f\r\n5=f\r\n");
        QFile t(cartella + "Esercizi/due.txt");
        ASSERT_TRUE(t.open(QIODevice::WriteOnly));
        t.write("ff");
    }
    ASSERT_EQ(QProcess::execute("setxkbmap", {"us"}), 0);
    ASSERT_EQ(layoutAttivo(), "us");

    platform::SystemServices sistema;
    fake::InstanceLock libero;   // a Tastavia the developer runs must not stop the test
    platform::Services servizi = sistema.services();
    servizi.instance = &libero;

    // A signal handled before the main loop ran leaves the application quitting;
    // one turn of the main loop makes it a fresh start, as a new process is.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QApplication::exec();

    frmClavora *f = nullptr;
    Studente studente;
    studente.passi = m.passi(f);
    const size_t segnale = studente.passi.size();
    studente.passi.push_back({"a moment at " + QString(m.nome), [] { return true; },
                              [] { ::kill(::getpid(), SIGTERM); }});
    // Never ready: only the signal may end the program; otherwise the wait fails.
    studente.passi.push_back({"the program to end by itself", [] { return false; }, [] {}});
    studente.parti();
    const int esito = Avvia(servizi, cartella, m.argomenti, [] { return QApplication::exec(); });

    EXPECT_EQ(esito, 0);
    EXPECT_TRUE(studente.fallito.isEmpty()) << m.nome << ": " << studente.fallito.toStdString();
    EXPECT_EQ(studente.corrente, segnale + 1) << m.nome;
    QFile impostazioni(cartella + "Tastavia.ini");
    ASSERT_TRUE(impostazioni.open(QIODevice::ReadOnly)) << m.nome;
    EXPECT_TRUE(impostazioni.readAll().contains("[Options]")) << m.nome;
    EXPECT_EQ(layoutAttivo(), "us") << m.nome;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << m.nome;
}

INSTANTIATE_TEST_SUITE_P(Momenti, Segnali, ::testing::Range(0, int(std::size(momenti))),
                         [](const ::testing::TestParamInfo<int> &i) {
                             QString n = momenti[i.param].nome;
                             return n.replace(' ', '_').replace('-', '_').toStdString();
                         });

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ChiudiAiSegnali(&app);
    const int r = RUN_ALL_TESTS();
    QProcess::execute("setxkbmap", {"fr"});
    return r;
}
