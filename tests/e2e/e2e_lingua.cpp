// A change of interface language on a real X server with the French layout,
// made as a learner makes it: each kind of material chosen by its option, the
// information window opened from the command row, "Lingua...", a language
// picked, Close, OK. The kind, its list and its entry, the welcome and the
// mode panel stay as they were, the texts are the new language's, and Enter
// starts what it started before. The print question asked in the same visit
// speaks the new language.

#include "app/Composizione.h"
#include "tests/support/Sorgenti.h"
#include "mainwindow/LineaInput.h"
#include "mainwindow/frmClavora.h"
#include "practice/modClavora.h"
#include "platform/SystemServices.h"
#include "settings/frmLanguage.h"
#include "settings/modLanguageSupport.h"
#include "tests/e2e/Studente.h"
#include "tests/support/FakeServices.h"
#include "ui/basSleep.h"
#include "ui/frmInfo.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

template <class T> T *aperta()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<T *>(w); f && f->isVisible())
            return f;
    return nullptr;
}

QPoint centro(const QWidget *w) { return w->mapToGlobal(w->rect().center()); }
QPoint didascalia(const QWidget *w)
{
    return w->mapToGlobal(QPoint(qMin(w->width(), w->sizeHint().width()) / 2, w->height() / 2));
}

// What the main window shows of the learner's choice.
struct Scelta {
    int tipo = -1;
    QStringList voci;
    int voce = -1;
    bool benvenuto = false;   // the mode panel and the welcome
    bool operator==(const Scelta &) const = default;
};

Scelta SceltaDi(const frmClavora &f)
{
    Scelta s;
    for (int i = 0; i < 4; ++i)
        if (f.optMenu[size_t(i)]->isChecked())
            s.tipo = i;
    for (int i = 0; i < f.cboListFile->count(); ++i)
        s.voci << f.cboListFile->itemText(i);
    s.voce = f.cboListFile->currentIndex();
    s.benvenuto = f.picLevel->isVisible();
    return s;
}

} // namespace

TEST(LinguaReale, changeWithEachKindOfMaterial_keepsKindListAndWhatEnterStarts)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server";
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    for (const QString &sotto : {QString("Lang"), QString("CorsoDattilo")}) {
        const QString da = cartellaSorgenti() + "/data/" + sotto;
        QDir().mkpath(cartella + sotto);
        for (const QString &nome : QDir(da).entryList(QDir::Files))
            QFile::copy(da + "/" + nome, cartella + sotto + "/" + nome);
    }
    QDir().mkpath(cartella + "Esercizi");
    for (const char *nome : {"a.ftd", "b.ftd"}) {
        QFile f(cartella + "Esercizi/" + nome);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Livello1]\r\n1=azerty\r\n2=qsdf\r\n3=jklm\r\n4=wxcv\r\n5=uiop\r\n");
    }
    for (const char *nome : {"a.txt", "b.txt"}) {
        QFile f(cartella + "Esercizi/" + nome);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Le chat dort sur le mur.");
    }

    platform::SystemServices sistema;
    ASSERT_EQ(sistema.services().keyboard->activeLayout(), "fr");
    fake::Services fakes;
    fakes.printer.present = true;
    platform::Services servizi = fakes.services();
    servizi.keyboard = sistema.services().keyboard;
    servizi.clock = sistema.services().clock;
    servizi.screen = sistema.services().screen;
    modClavora stato(servizi);
    stato.cartellaProgramma = cartella;
    stato.linguaCorrente = "Italian";
    stato.pausa = [&stato](int ms) { PauseWithEvents(*stato.servizi.clock, ms); };
    frmClavora principale(stato);
    ComponiFinestre(principale, stato);
    principale.apriNome = [&stato](QWidget *) {
        stato.nomeUtente = "PROVA";
        return 1;
    };
    principale.Form_Load({});

    // Each kind with a language, and the entry picked in its list.
    struct Caso {
        int tipo;
        QString lingua;
        int voce;
        bool stampa;   // asks to print the keyboard in the same visit
    };
    const Caso casi[] = {{0, "French", -1, false}, {1, "German", 2, true}, {2, "Spanish", 1, false},
                         {3, "English", 1, false}, {2, "Italian", 0, false}};
    struct Esito {
        Scelta prima, dopo;
        QString caption0, attesa0, domanda, si, file;
        bool testo = false;
    };
    std::vector<Esito> esiti(std::size(casi));
    Studente studente;
    QElapsedTimer calma;
    // Active too: the window asks for the keyboard back when a dialog closes,
    // and a key sent before the X server gave it would go nowhere.
    const auto pronta = [&] {
        return principale.pratica.startAbilitato() && !principale.pratica.chiusuraInCorso() &&
               principale.lblMenu[2]->isEnabled() && !aperta<frmInfo>() && !domandaAperta() &&
               principale.isActiveWindow();
    };
    for (size_t n = 0; n < std::size(casi); ++n) {
        const Caso c = casi[n];
        Esito &e = esiti[n];
        const QString nome = c.lingua + " with kind " + QString::number(c.tipo);
        studente.passi.push_back({"welcome before " + nome, pronta, [&principale, c] {
                                      clicca(didascalia(principale.optMenu[size_t(c.tipo)]));
                                  }});
        // A click while the pop-up shows may only send it away: then again.
        studente.passi.push_back({"the pop-up gone or the kind chosen, " + nome, [&, c] {
                                      return principale.optMenu[size_t(c.tipo)]->isChecked() || !stato.popupVisibile;
                                  },
                                  [&, c] {
                                      calma.start();
                                      if (!principale.optMenu[size_t(c.tipo)]->isChecked())
                                          clicca(didascalia(principale.optMenu[size_t(c.tipo)]));
                                  }});
        // Every click has arrived before the entry is picked.
        studente.passi.push_back({"kind chosen, " + nome, [&, c] {
                                      return principale.optMenu[size_t(c.tipo)]->isChecked() && calma.elapsed() > 700;
                                  },
                                  [&, c] {
                                      if (c.voce >= 0)
                                          principale.cboListFile->setCurrentIndex(c.voce);
                                      e.prima = SceltaDi(principale);
                                      clicca(centro(principale.lblMenu[2]));
                                  }});
        studente.passi.push_back({"information window, " + nome, [] { return aperta<frmInfo>() != nullptr; },
                                  [] { clicca(centro(aperta<frmInfo>()->cmdLingua)); }});
        studente.passi.push_back({"language window, " + nome, [] { return aperta<frmLanguage>() != nullptr; },
                                  [c] {
                                      frmLanguage *l = aperta<frmLanguage>();
                                      const QString voce = c.lingua == "Italian" ? modLanguageSupport::kVoceItaliano
                                                                                 : c.lingua;
                                      l->cboFileLanguage->setCurrentIndex(l->cboFileLanguage->findData(voce));
                                      clicca(centro(l->cmdChiudi));
                                  }});
        studente.passi.push_back({"information window again, " + nome, [] {
                                      return !aperta<frmLanguage>() && aperta<frmInfo>() != nullptr;
                                  },
                                  [c] {
                                      frmInfo *i = aperta<frmInfo>();
                                      clicca(centro(c.stampa ? i->cmdStampa : i->cmdChiudi));
                                  }});
        studente.passi.push_back({"back in the main window, " + nome, pronta, [&, c] {
                                      e.dopo = SceltaDi(principale);
                                      e.caption0 = principale.optMenu[0]->text();
                                      e.attesa0 = Testo(principale.lingua, "0001", "Frasi interne");
                                      if (c.stampa && !fakes.dialogs.shown.empty()) {
                                          e.domanda = fakes.dialogs.shown.back().text;
                                          QMessageBox box;
                                          box.setStandardButtons(QMessageBox::Yes);
                                          e.si = box.button(QMessageBox::Yes)->text().remove('&');
                                      }
                                      xdotool({"key", "Return"});
                                  }});
        studente.passi.push_back({"a line started, " + nome, [&] {
                                      return !principale.pratica.rigaCorrente().isEmpty() &&
                                             !principale.txtInput->isReadOnly();
                                  },
                                  [&] {
                                      e.file = modClavora::NomeFile(stato.fileEsercizio);
                                      e.testo = stato.modoFileTesto;
                                      // Back to the welcome: start again (the fake answers Yes).
                                      clicca(centro(principale.lblMenu[1]));
                                  }});
    }
    studente.parti();
    QApplication::exec();
    ASSERT_TRUE(studente.fallito.isEmpty()) << studente.fallito.toStdString();

    const QString corso = QDir(cartella + "CorsoDattilo").entryList({"*.ftd"}, QDir::Files, QDir::Name).value(2);
    const QString attesi[] = {"", corso, "b.ftd", "b.txt", "a.ftd"};
    for (size_t n = 0; n < std::size(casi); ++n) {
        SCOPED_TRACE(casi[n].lingua.toStdString());
        const Esito &e = esiti[n];
        EXPECT_EQ(e.prima.tipo, casi[n].tipo);
        EXPECT_TRUE(e.dopo == e.prima) << "kind " << e.dopo.tipo << " entry " << e.dopo.voce << " of "
                                       << e.dopo.voci.size() << " welcome " << e.dopo.benvenuto;
        EXPECT_TRUE(e.prima.benvenuto);
        EXPECT_EQ(e.caption0, e.attesa0);
        EXPECT_EQ(e.file, attesi[n]);
        EXPECT_EQ(e.testo, casi[n].tipo == 3);
    }
    // German asked in German, with German buttons.
    EXPECT_TRUE(esiti[1].domanda.startsWith(QString::fromUtf8("Möchtest du die Tastatur von Tastavia drucken?")))
        << esiti[1].domanda.toStdString();
    EXPECT_EQ(esiti[1].si, "Ja");
    EXPECT_EQ(stato.linguaCorrente, "Italian");
}
