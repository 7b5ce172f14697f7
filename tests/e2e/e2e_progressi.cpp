// The learner's progress on a real X server with the French layout: lines
// typed with xdotool with deliberate errors on é and è (è typed where é is
// expected, and the other way round), the progress command clicked in the
// main window's row, the window read, and its button clicked: the aimed
// exercise it makes starts in the main window. A day of practice before today
// is in the store already, so the chart has two days.

#include "app/Composizione.h"
#include "tests/support/Sorgenti.h"
#include "mainwindow/frmClavora.h"
#include "practice/modClavora.h"
#include "platform/SystemServices.h"
#include "progress/ArchivioProgressi.h"
#include "progress/frmProgressi.h"
#include "tests/e2e/Studente.h"
#include "tests/support/FakeServices.h"
#include "ui/basSleep.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

progressi::frmProgressi *finestraProgressi()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<progressi::frmProgressi *>(w); f && f->isVisible())
            return f;
    return nullptr;
}

const QString Righe[5] = {u"élève fière"_qs, u"été très célèbre"_qs, u"père et mère"_qs,
                          u"la fée est près"_qs, u"un café frère"_qs};

// What the learner types: è before each é, é before each è (each rejected).
QString ConErrori(const QString &riga)
{
    QString t;
    for (QChar c : riga) {
        if (c == u'é')
            t += u'è';
        else if (c == u'è')
            t += u'é';
        t += c;
    }
    return t;
}

} // namespace

TEST(ProgressiReale, errorsOnAccents_showInTheWindowAndItsExerciseAimsAtThem)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server";
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "Esercizi");
    QDir().mkpath(cartella + "CorsoDattilo");
    QDir().mkpath(cartella + "Parole");
    ASSERT_TRUE(QFile::copy(cartellaSorgenti() + QStringLiteral("/data/Parole/francais.txt"), cartella + "Parole/francais.txt"));
    {
        QFile f(cartella + "Esercizi/prova.ftd");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray t = "\xEF\xBB\xBF[Livello1]\r\n";
        for (int i = 0; i < 5; ++i)
            t += QByteArray::number(i + 1) + "=" + Righe[i].toUtf8() + "\r\n";
        f.write(t);
    }
    platform::SystemServices sistema;
    ASSERT_EQ(sistema.services().keyboard->activeLayout(), "fr");
    {   // yesterday's practice
        progressi::ArchivioProgressi a(cartella + progressi::NomeArchivio);
        progressi::Lotto ieri;
        ieri.studente = "PROVA";
        progressi::Sessione s;
        s.quando = sistema.services().clock->now().toSecsSinceEpoch() - 86400;
        s.giorno = progressi::GiornoDi(s.quando);
        s.velocita = 90;
        s.battute = 40;
        ieri.sessioni.push_back(s);
        ASSERT_EQ(a.Scrivi(ieri), progressi::Esito::Ok);
    }

    fake::Services fakes;
    platform::Services servizi = fakes.services();
    servizi.keyboard = sistema.services().keyboard;
    servizi.clock = sistema.services().clock;
    servizi.screen = sistema.services().screen;
    modClavora stato(servizi);
    stato.cartellaProgramma = cartella;
    stato.pausa = [&stato](int ms) { PauseWithEvents(*stato.servizi.clock, ms); };
    frmClavora principale(stato);
    ComponiFinestre(principale, stato);
    principale.apriNome = [&stato](QWidget *) {
        stato.nomeUtente = "PROVA";
        return 1;
    };
    principale.Form_Load({});

    Studente studente;
    int riga = 0;
    std::vector<QChar> deboli;
    size_t giorni = 0;
    QString rigaMirata;
    auto centro = [](QWidget *w) { return w->mapToGlobal(w->rect().center()); };
    // The exercise from the list, as a learner chooses it: its option's caption.
    studente.passi.push_back({"kinds of material", [&] {
                                  return principale.optMenu[2]->isVisible() && principale.optMenu[2]->isEnabled();
                              },
                              [&] {
                                  QWidget *w = principale.optMenu[2];
                                  clicca(w->mapToGlobal(QPoint(w->sizeHint().width() / 2, w->height() / 2)));
                              }});
    // A click while the pop-up shows may only send it away: then again.
    studente.passi.push_back({"the pop-up gone or the exercises chosen", [&] {
                                  return principale.optMenu[2]->isChecked() || !stato.popupVisibile;
                              },
                              [&] {
                                  if (principale.optMenu[2]->isChecked())
                                      return;
                                  QWidget *w = principale.optMenu[2];
                                  clicca(w->mapToGlobal(QPoint(w->sizeHint().width() / 2, w->height() / 2)));
                              }});
    for (int i = 0; i < 5; ++i) {
        studente.passi.push_back({"line " + QString::number(i + 1) + " ready", [&] {
                                      return principale.optMenu[2]->isChecked() &&
                                             principale.pratica.startAbilitato() &&
                                             !principale.pratica.chiusuraInCorso();
                                  },
                                  [&] { xdotool({"key", "Return"}); }});
        studente.passi.push_back({"line " + QString::number(i + 1) + " shown", [&, i] {
                                      return principale.pratica.rigaCorrente() == Righe[i] &&
                                             principale.pratica.posizione() == 1;
                                  },
                                  [&, i] { xdotool({"type", "--delay", "60", ConErrori(Righe[i])}); }});
        studente.passi.push_back({"line " + QString::number(i + 1) + " typed", [&, i] {
                                      return principale.pratica.battuteFrase() >= Righe[i].size();
                                  },
                                  [&] { ++riga; }});
    }
    // The commands of the row wait for the run's end: the learner starts again first.
    studente.passi.push_back({"restart command", [&] {
                                  return principale.pratica.startAbilitato() && principale.lblMenu[1]->isEnabled();
                              },
                              [&] { clicca(centro(principale.lblMenu[1])); }});
    studente.passi.push_back({"progress command", [&] { return principale.lblMenu[8]->isEnabled(); },
                              [&] { clicca(centro(principale.lblMenu[8])); }});
    studente.passi.push_back({"the pop-up gone or the progress window", [&] {
                                  return finestraProgressi() != nullptr || !stato.popupVisibile;
                              },
                              [&] {
                                  if (!finestraProgressi())
                                      clicca(centro(principale.lblMenu[8]));
                              }});
    studente.passi.push_back({"progress window", [&] { return finestraProgressi() != nullptr; }, [&] {
                                  progressi::frmProgressi *f = finestraProgressi();
                                  giorni = f->dati().riepilogo.giorni.size();
                                  for (const auto &c : progressi::PiuDeboli(f->dati().riepilogo.caratteri, 2))
                                      deboli.push_back(QChar(c.carattere));
                                  auto *bottone = f->findChild<QPushButton *>("cmdMirato");
                                  clicca(bottone->mapToGlobal(bottone->rect().center()));
                              }});
    studente.passi.push_back({"aimed exercise started", [&] {
                                  return !finestraProgressi() &&
                                         modClavora::NomeFile(stato.fileEsercizio).startsWith("Mirato_") &&
                                         !principale.pratica.rigaCorrente().isEmpty();
                              },
                              [&] { rigaMirata = principale.pratica.rigaCorrente(); }});
    studente.parti();
    QApplication::exec();
    ASSERT_TRUE(studente.fallito.isEmpty()) << studente.fallito.toStdString();

    EXPECT_EQ(riga, 5);
    EXPECT_EQ(giorni, 2u);   // yesterday and today
    ASSERT_EQ(deboli.size(), 2u);
    EXPECT_TRUE((deboli[0] == u'é' && deboli[1] == u'è') || (deboli[0] == u'è' && deboli[1] == u'é'));
    int parole = 0, mirate = 0;
    for (const QString &p : rigaMirata.split(' ', Qt::SkipEmptyParts)) {
        ++parole;
        mirate += p.contains(u'é') || p.contains(u'è');
    }
    EXPECT_GT(parole, 0);
    EXPECT_GE(mirate * 2, parole) << rigaMirata.toStdString();   // most words hold é or è
}
