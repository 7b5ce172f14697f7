// SIGTERM (a logout, a shutdown, kill) at every moment a learner can be in:
// the program ends through its event loop as Esc answered Yes does, with the
// settings saved and the keyboard layout given back, and Avvia returns 0. The
// program runs through its own start-up on a real X server that starts with
// the US layout, so the switch to French and its undoing are real.

#include "app/Composizione.h"
#include "game/FrmPlay.h"
#include "platform/SystemServices.h"
#include "report/frmReportFreeTXT.h"
#include "results/frmClassifica.h"
#include "tests/e2e/Studente.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <csignal>
#include <unistd.h>

namespace {

QString layoutAttivo()
{
    QProcess p;
    p.start("setxkbmap", {"-query"});
    p.waitForFinished();
    return QString::fromLocal8Bit(p.readAllStandardOutput()).section("layout:", 1).section('\n', 0, 0).trimmed();
}

template <typename Finestra>
bool aperta() { return qobject_cast<Finestra *>(QApplication::activeModalWidget()) != nullptr; }

using Passi = std::vector<Studente::Passo>;
const auto nulla = [] {};

// The learner's steps up to the moment; SIGTERM comes right after them.
Passi finoAlNome() { return {{"the name dialog", [] { return aperta<QDialog>(); }, nulla}}; }

Passi finoAlBenvenuto(frmClavora *&f)
{
    Passi p = finoAlNome();
    p.push_back({"a moment", [] { return true; }, [] { xdotool({"type", "--delay", "50", "PROVA"}); }});
    p.push_back({"the name typed", [] {
                     auto *campo = qobject_cast<QLineEdit *>(QApplication::focusWidget());
                     return campo && campo->text() == "PROVA";
                 }, [] { xdotool({"key", "Return"}); }});
    p.push_back({"the welcome", [&f] { return (f = finestraPrincipale()) && f->s.nomeUtente == "PROVA"; }, nulla});
    return p;
}

Passi finoAlPopup(frmClavora *&f)
{
    Passi p = finoAlBenvenuto(f);
    p.push_back({"the pop-up", [&f] { return f->s.popupVisibile && f->pratica.startAbilitato(); }, nulla});
    return p;
}

// Enter, then `tasti` times "f" once the line (or text) expects it; with
// `finita`, until the line has ended.
void unaRiga(Passi &p, frmClavora *&f, int tasti, bool finita = false)
{
    p.push_back({"Start", [&f] { return f->pratica.startAbilitato(); }, [] { xdotool({"key", "Return"}); }});
    p.push_back({"a line", [&f] { return f->pratica.carattereAtteso() == "f" && !f->pratica.rigaCompletata(); },
                 [tasti] { xdotool(QStringList{"key", "--delay", "80"} + QStringList(tasti, "f")); }});
    if (finita)
        p.push_back({"the line typed", [&f] { return f->pratica.rigaCompletata() && !f->pratica.chiusuraInCorso(); },
                     nulla});
}

const struct Momento {
    const char *nome;
    QStringList argomenti;
    std::function<Passi(frmClavora *&f)> passi;
} momenti[] = {
    {"name dialog", {}, [](frmClavora *&) { return finoAlNome(); }},
    {"welcome", {}, finoAlBenvenuto},
    {"pop-up", {}, finoAlPopup},
    {"mid-line", {"/cinque.ftd"}, [](frmClavora *&f) {
         Passi p = finoAlPopup(f);
         unaRiga(p, f, 1);
         p.push_back({"one key typed", [&f] { return f->txtInput->text() == "f"; }, nulla});
         return p;
     }},
    {"results", {"/cinque.ftd"}, [](frmClavora *&f) {
         Passi p = finoAlPopup(f);
         for (int n = 1; n <= 5; ++n)
             unaRiga(p, f, 4, true);
         p.push_back({"Start", [&f] { return f->pratica.startAbilitato(); }, [] { xdotool({"key", "Return"}); }});
         p.push_back({"the results window", [] { return aperta<frmClassifica>(); }, nulla});
         return p;
     }},
    {"report", {"/due.txt"}, [](frmClavora *&f) {
         Passi p = finoAlPopup(f);
         unaRiga(p, f, 2);
         p.push_back({"the text report", [] { return aperta<frmReportFreeTXT>(); }, nulla});
         return p;
     }},
    {"game", {}, [](frmClavora *&f) {
         Passi p = finoAlPopup(f);
         p.push_back({"a moment", [] { return true; }, [&f] {
                          QRadioButton *o = f->optMenu[4];
                          clicca(o->mapToGlobal(QPoint(qMin(o->width(), o->sizeHint().width()) / 2, o->height() / 2)));
                      }});
         // A click while the pop-up shows may only send it away, as for a learner:
         // then the option is clicked again.
         p.push_back({"the pop-up gone or the game window", [&f] {
                          return aperta<FrmPlay>() || !f->s.popupVisibile;
                      }, [&f] {
                          if (aperta<FrmPlay>())
                              return;
                          QRadioButton *o = f->optMenu[4];
                          clicca(o->mapToGlobal(QPoint(qMin(o->width(), o->sizeHint().width()) / 2, o->height() / 2)));
                      }});
         p.push_back({"the game window", [] { return aperta<FrmPlay>(); }, nulla});
         return p;
     }},
};

class Segnali : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() { ChiudiAiSegnaliUnaVolta(); }
    // The X server's layout as the other tests expect it.
    static void TearDownTestSuite() { QProcess::execute("setxkbmap", {"fr"}); }
};

TEST_P(Segnali, sigtermAtThisMoment_endsAsEscYesDoes_settingsSavedLayoutBack)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server";
    const Momento &m = momenti[GetParam()];
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "Esercizi");
    QDir().mkpath(cartella + "CorsoDattilo");
    for (const auto &[nome, testo] : {std::pair{"cinque.ftd", "[Livello1]\n1=f\n2=f\n3=f\n4=f\n5=f\n"},
                                      std::pair{"due.txt", "ff"}}) {
        QFile f(cartella + "Esercizi/" + nome);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(testo) > 0);
    }
    ASSERT_EQ(QProcess::execute("setxkbmap", {"us"}), 0);

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
    studente.passi.push_back({m.nome, [] { return true; }, [] { ::kill(::getpid(), SIGTERM); }});
    // Never ready: only the signal may end the program; otherwise the wait fails.
    studente.passi.push_back({"the program to end by itself", [] { return false; }, nulla});
    studente.parti();
    const int esito = Avvia(servizi, cartella, m.argomenti, [] { return QApplication::exec(); });

    EXPECT_EQ(esito, 0);
    EXPECT_TRUE(studente.fallito.isEmpty()) << m.nome << ": " << studente.fallito.toStdString();
    EXPECT_EQ(studente.corrente, segnale + 1) << m.nome;
    QFile impostazioni(cartella + "Tastavia.ini");
    EXPECT_TRUE(impostazioni.open(QIODevice::ReadOnly) && impostazioni.readAll().contains("[Options]"));
    EXPECT_EQ(layoutAttivo(), "us") << m.nome;
}

INSTANTIATE_TEST_SUITE_P(Momenti, Segnali, ::testing::Range(0, int(std::size(momenti))));

} // namespace
