#pragma once
// The program's windows in each shipped language: a program folder with the
// program's own data (Lang/ included), fake services, a lookup that records
// what every window asks for, and the texts a window shows, read back from
// its widgets.

#include "mainwindow/frmClavora.h"
#include "tests/support/Sorgenti.h"
#include "practice/modClavora.h"
#include "settings/modLanguageSupport.h"
#include "tests/support/FakeServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// The shipped languages besides the built-in Italian.
inline const QStringList kLingue{"English", "French", "German", "Spanish"};

// A text a window shows: where, which kind, what.
struct TestoMostrato {
    QString dove;     // class and place among the window's widgets
    QString testo;
    QWidget *widget;
};

// Every caption, tooltip and title of a window and its children, as plain
// text without mnemonic marks, in the order the widgets were made.
inline std::vector<TestoMostrato> TestiDi(QWidget *finestra)
{
    std::vector<TestoMostrato> out;
    QList<QWidget *> tutti{finestra};
    tutti += finestra->findChildren<QWidget *>();
    QMap<QString, int> conta;
    const auto semplice = [](const QString &t) {
        return Qt::mightBeRichText(t) ? QTextDocumentFragment::fromHtml(t).toPlainText() : t;
    };
    for (QWidget *w : tutti) {
        const QString classe = QString::fromLatin1(w->metaObject()->className());
        const QString dove = classe + "#" + QString::number(conta[classe]++) +
                             (w->objectName().isEmpty() ? QString() : " " + w->objectName());
        if (w == finestra && !w->windowTitle().isEmpty())
            out.push_back({dove + " title", w->windowTitle(), w});
        if (auto *l = qobject_cast<QLabel *>(w); l && !l->text().isEmpty())
            out.push_back({dove + " text", semplice(l->text()), w});
        if (auto *b = qobject_cast<QAbstractButton *>(w); b && !b->text().isEmpty())
            out.push_back({dove + " text", QString(b->text()).replace("&&", "\x01").remove('&').replace('\x01', '&'), w});
        if (!w->toolTip().isEmpty())
            out.push_back({dove + " tooltip", semplice(w->toolTip()), w});
        // What a screen reader says, and the entries of a list (the languages' names).
        if (!w->accessibleName().isEmpty())
            out.push_back({dove + " accessible name", w->accessibleName(), w});
        if (auto *c = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                out.push_back({dove + " entry " + QString::number(i), c->itemText(i), w});
    }
    return out;
}

class LingueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cartella = QDir(dir.path()).absolutePath() + "/";
        const QString dati = cartellaSorgenti() + "/data";
        QDirIterator it(dati, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString da = it.next();
            const QString a = cartella + da.mid(dati.size() + 1);
            QDir().mkpath(QFileInfo(a).path());
            QFile::copy(da, a);
        }
        QDir().mkpath(cartella + "tmp");
        fakes.desktop.temp = cartella + "tmp/";
        fakes.screen.pixels = {800, 600};
        fakes.screen.composited = false;
        nuovoStato();
    }

    void TearDown() override { modLanguageSupport::InstallaTraduzioniQt("English"); }

    void nuovoStato()
    {
        stato = std::make_unique<modClavora>(fakes.services());
        stato->cartellaProgramma = cartella;
        stato->nomeUtente = "ANNA";
        stato->pausa = [this](int ms) {
            fakes.clock.ms += ms;
            if (ms >= 1000 || (fakes.clock.ms / 1000) != ((fakes.clock.ms - ms) / 1000))
                fakes.clock.current = fakes.clock.current.addSecs(qMax(1, ms / 1000));
            QCoreApplication::processEvents();
        };
    }

    // The interface language as the settings give it at the next start.
    void lingua(const QString &nome)
    {
        QFile f(cartella + "Tastavia.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Language]\r\nCurrentLanguage=" + nome.toLatin1() + "\r\n");
        f.close();
        stato->linguaCorrente = nome;
        stato->fileLinguaPresente = modLanguageSupport::FileLinguaPresente(cartella, nome);
    }

    // The program's lookup on the current language, recording every id asked for.
    TestoLingua lookup()
    {
        const TestoLingua vero = modLanguageSupport::CreaTestoLingua([this] {
            return stato->fileLinguaPresente
                       ? modLanguageSupport::FileDellaLingua(stato->cartellaProgramma, stato->linguaCorrente)
                       : QString();
        });
        return [this, vero](const QString &id, const QString &predefinito) {
            chiesti[id] = predefinito;
            return vero(id, predefinito);
        };
    }

    // A text of the current language's file; empty when it has none.
    QString dalFile(const QString &id) const
    {
        return modLanguageSupport::TestoLingua(
            modLanguageSupport::FileDellaLingua(cartella, stato->linguaCorrente), id);
    }

    // The main window as the program starts it.
    std::unique_ptr<frmClavora> principale()
    {
        auto f = std::make_unique<frmClavora>(*stato);
        f->lingua = lookup();
        f->apriNome = [this](QWidget *) {
            stato->nomeUtente = "ANNA";
            return 1;
        };
        f->Form_Load({});
        return f;
    }

    QTemporaryDir dir;
    QString cartella;
    fake::Services fakes;
    std::unique_ptr<modClavora> stato;
    QMap<QString, QString> chiesti;   // id -> built-in text, for every lookup
};
