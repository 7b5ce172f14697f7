// Every window in every shipped language: no text left empty, none still in
// Italian where the language file has a text, none wider than its control
// (measured with the control's own font), and every id a window asks for is
// in the file.

#include "LingueTest.h"

#include "mainwindow/LineaInput.h"
#include "practice/Punteggio.h"
#include "game/FrmPlay.h"
#include "keyboard/TastieraVirtuale.h"
#include "progress/ArchivioProgressi.h"
#include "progress/frmProgressi.h"
#include "report/frmReportFreeTXT.h"
#include "results/frmClassifica.h"
#include "settings/Impostazioni.h"
#include "settings/frmInput.h"
#include "settings/frmLanguage.h"
#include "ui/Caratteri.h"
#include "ui/cTooltip.h"
#include "ui/frmInfo.h"
#include "ui/frmTransparency.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <functional>

namespace {

QString SenzaMnemonici(QString t)
{
    return t.replace("&&", "\x01").remove('&').replace('\x01', '&');
}

// Texts drawn wider (or, wrapped, taller) than the control that shows them, one a line.
std::string TestiTagliati(QWidget *finestra)
{
    QStringList out;
    QList<QWidget *> tutti{finestra};
    tutti += finestra->findChildren<QWidget *>();
    for (QWidget *w : tutti) {
        if (w->width() <= 0 || w->height() <= 0)
            continue;
        if (auto *l = qobject_cast<QLabel *>(w)) {
            if (l->text().isEmpty() || Qt::mightBeRichText(l->text()))
                continue;
            if (l->wordWrap()) {
                if (l->heightForWidth(l->width()) > l->height())
                    out << QString("%1 (%2 high, needs %3)").arg(l->text()).arg(l->height()).arg(l->heightForWidth(l->width()));
                continue;
            }
            const int spazio = l->contentsRect().width() - qMax(0, l->indent());
            for (QString riga : l->text().split('\n')) {
                riga.remove('\r');
                const int serve = l->fontMetrics().horizontalAdvance(riga);
                if (serve > spazio)
                    out << QString("%1 (%2 wide, needs %3)").arg(riga).arg(spazio).arg(serve);
            }
        } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            if (b->text().isEmpty())
                continue;
            QStyleOptionButton opzione;
            opzione.initFrom(b);
            opzione.text = b->text();
            QStyle::SubElement area = QStyle::SE_PushButtonContents;
            if (qobject_cast<QRadioButton *>(b))
                area = QStyle::SE_RadioButtonContents;
            else if (qobject_cast<QCheckBox *>(b))
                area = QStyle::SE_CheckBoxContents;
            const int spazio = b->style()->subElementRect(area, &opzione, b).width();
            const int serve = b->fontMetrics().horizontalAdvance(SenzaMnemonici(b->text()));
            if (serve > spazio)
                out << QString("%1 (%2 wide, needs %3)").arg(b->text()).arg(spazio).arg(serve);
        }
    }
    return out.join('\n').toStdString();
}

// A line that reads the same in every language: no letters, or only names.
bool Neutro(const QString &riga)
{
    if (riga == "i")   // the information button's symbol
        return true;
    static const QStringList nomi{"Tastavia", "Entrée", "PDF", "OK", "min", "AZERTY",
                                  "DejaVu", "Liberation", "ANNA", "qsdfjklmei", "qsdfjklmtuao",
                                  "qsdfjklmncprgh", QString::fromUtf8("qsdfjklmvbéxywz")};
    QString resto = riga;
    for (const QString &n : nomi)
        resto.remove(n);
    for (QChar c : resto)
        if (c.isLetter())
            return false;
    return true;
}

class Finestre : public LingueTest {
protected:
    // The texts of a window in Italian and in every shipped language, compared.
    void percorri(const char *nome, const std::function<std::unique_ptr<QWidget>()> &apri,
                  const std::function<void(QWidget *)> &controlla = {})
    {
        lingua("Italian");
        std::vector<TestoMostrato> italiano;
        {
            auto w = apri();
            italiano = TestiDi(w.get());
            EXPECT_EQ(TestiTagliati(w.get()), "") << nome << " in Italian";
        }
        for (const QString &l : kLingue) {
            SCOPED_TRACE(QString("%1 in %2").arg(nome, l).toStdString());
            lingua(l);
            chiesti.clear();
            auto w = apri();
            const std::vector<TestoMostrato> tradotto = TestiDi(w.get());
            EXPECT_EQ(TestiTagliati(w.get()), "");

            // Every id asked for has a text in the file.
            QStringList valori;
            for (auto it = chiesti.cbegin(); it != chiesti.cend(); ++it) {
                const QString v = dalFile(it.key());
                if (it.key() != "MailAuthor") {
                    EXPECT_FALSE(v.isEmpty()) << "id " << it.key().toStdString() << " is not in " << l.toStdString();
                }
                valori << v;
            }
            ASSERT_EQ(tradotto.size(), italiano.size());
            for (size_t i = 0; i < italiano.size(); ++i) {
                const TestoMostrato &it = italiano[i], &tr = tradotto[i];
                ASSERT_EQ(tr.dove, it.dove);
                EXPECT_FALSE(tr.testo.trimmed().isEmpty()) << it.dove.toStdString() << " is empty";
                // A line that reads as in Italian: only names, symbols, or words the file says alike.
                const QStringList righeIt = it.testo.split('\n'), righeTr = tr.testo.split('\n');
                for (qsizetype k = 0; k < qMin(righeIt.size(), righeTr.size()); ++k) {
                    const QString riga = righeIt[k].trimmed();
                    if (righeTr[k].trimmed() != riga || riga.isEmpty())
                        continue;
                    EXPECT_TRUE(Neutro(riga) || std::any_of(valori.cbegin(), valori.cend(), [&](const QString &v) {
                                    return SenzaMnemonici(v) == riga;
                                }))
                        << it.dove.toStdString() << " still reads \"" << riga.toStdString() << "\"";
                }
            }
            if (controlla)
                controlla(w.get());
        }
    }

    void giro(int livelli)
    {
        const float v[15] = {2.0f, 2.5f, 3.1f, 1.2f, 2.6f, 2.2f, 1.9f, 2.8f, 2.4f, 2.1f,
                             1.7f, 2.9f, 3.3f, 2.0f, 2.6f};
        for (int i = 1; i <= 15; ++i)
            stato->velocitaFrase[size_t(i)] = i <= livelli * 5 ? v[i - 1] : 0.f;
        stato->livelloCorrente = livelli;
        stato->tipoFineLivello = livelli == 3 ? 2 : 1;
        stato->totaleBattute = 1874;
        stato->totaleErrori = 23;
    }
};

TEST_F(Finestre, mainWindow_everyControlInEveryLanguageOnEveryScreen)
{
    // 1024 x 768 is the tightest: the layout grows by 1.28, the welcome's font by 1.33.
    for (const QSize schermo : {QSize(800, 600), QSize(1024, 768), QSize(1280, 1024)}) {
        fakes.screen.pixels = schermo;
        SCOPED_TRACE(QString("%1 x %2").arg(schermo.width()).arg(schermo.height()).toStdString());
        percorri(
            "main window",
            [this, schermo] {
                stato->schermoGrande = DecidiSchermo(schermo).schermoGrande;
                auto f = principale();
                QCoreApplication::processEvents();
                return std::unique_ptr<QWidget>(f.release());
            },
            [this](QWidget *w) {
                auto *f = static_cast<frmClavora *>(w);
                EXPECT_EQ(f->picKeyword->tooltipTasto37(), dalFile("0151"));
                EXPECT_EQ(f->fumettiMenu->Title(), dalFile("0172"));
                EXPECT_EQ(f->fumettiMenu->ToolText(f->optMenu[2]), dalFile("0176"));
                EXPECT_EQ(f->fumettiLivello->ToolText(f->optLevel[1]), dalFile("0171"));
                EXPECT_EQ(f->popup->testo(), dalFile("0033"));
                EXPECT_EQ(stato->unitaVelocita, dalFile("0116"));
                EXPECT_EQ(stato->nomeModo, dalFile("0027"));
                EXPECT_EQ(f->testi.titoloAttenzione, dalFile("0062"));
                EXPECT_EQ(f->testi.messaggio(12), dalFile("0013") + QString::fromUtf8(" <Entrée>"));
                EXPECT_EQ(f->testi.messaggio(13), "\r\n" + dalFile("0014"));
                EXPECT_EQ(f->testi.messaggio(0), "- " + dalFile("0001") + " ");
                EXPECT_EQ(f->testi.lodiRecord.value(6), dalFile("0054"));
                EXPECT_EQ(f->testi.lodiNormali.value(0), dalFile("0055"));
            });
    }
}

// The end-of-line message, with the longest praise word and both kinds of line
// (record or not), fits its panel in every language on every screen.
TEST_F(Finestre, endOfLineMessage_fitsItsPanelInEveryLanguageOnEveryScreen)
{
    for (const QSize schermo : {QSize(800, 600), QSize(1024, 768), QSize(1280, 1024)}) {
        fakes.screen.pixels = schermo;
        stato->schermoGrande = DecidiSchermo(schermo).schermoGrande;
        for (const QString &l : QStringList{"Italian"} + kLingue) {
            SCOPED_TRACE(QString("%1 at %2 x %3")
                             .arg(l)
                             .arg(schermo.width())
                             .arg(schermo.height())
                             .toStdString());
            lingua(l);
            auto f = principale();
            const TestiFineRiga t = f->testi.fineRiga(stato->unitaVelocita);
            QLabel *etichetta = f->lblMessaggio;
            for (bool record : {false, true}) {
                for (int lode = 0; lode < 7; ++lode) {
                    etichetta->setText(ComponiMessaggio(t, 100, 16.6f, record, lode));
                    EXPECT_LE(etichetta->heightForWidth(etichetta->width()), etichetta->height())
                        << etichetta->text().toStdString();
                }
            }
        }
    }
}

TEST_F(Finestre, dialogsOfTheMainWindow_everyLanguage)
{
    percorri("name dialog", [this] {
        auto d = std::make_unique<frmInput>(stato->gestoreIni, fileImpostazioni(cartella),
                                            stato->servizi, lookup());
        d->show();
        return std::unique_ptr<QWidget>(d.release());
    });
    percorri("information window", [this] {
        frmInfo::Azioni azioni;
        azioni.stampanteDisponibile = false;
        auto d = std::make_unique<frmInfo>(azioni, lookup());
        d->show();
        return std::unique_ptr<QWidget>(d.release());
    });
    percorri("language window", [this] {
        auto d = std::make_unique<frmLanguage>(cartella, stato->linguaCorrente, stato->fileLinguaPresente,
                                               fakes.dialogs, lookup());
        d->show();
        return std::unique_ptr<QWidget>(d.release());
    });
}

TEST_F(Finestre, resultsWindow_textsAndTablesFitInEveryLanguage)
{
    for (int livelli : {1, 3}) {
        percorri("results window", [this, livelli] {
            giro(livelli);
            auto d = std::make_unique<frmClassifica>(*stato, lookup());
            d->show();
            return std::unique_ptr<QWidget>(d.release());
        }, [](QWidget *w) {
            auto *f = static_cast<frmClassifica *>(w);
            const double dpmm = f->logicalDpiX() / 25.4;
            // Each piece of a table row ends before the next one starts (the
            // value follows its label at once); the average row is bold.
            const QFontMetricsF normale(FontTesto(10), f), grassetto(FontTesto(10, true), f);
            const auto &s = f->scritteTabelle();
            bool media = false;
            for (size_t i = 0; i + 1 < s.size(); ++i) {
                if (s[i].x < 10)
                    media = s[i].testo.startsWith(f->testiRisultati()[risultati::EtichettaMedia]);
                if (s[i + 1].y != s[i].y || s[i + 1].x <= s[i].x)
                    continue;
                const QFontMetricsF &m = media ? grassetto : normale;
                EXPECT_LE(s[i].x + m.horizontalAdvance(s[i].testo) / dpmm, s[i + 1].x + 0.01)
                    << s[i].testo.toStdString() << " runs into " << s[i + 1].testo.toStdString();
            }
            for (QLabel *l : f->lbllivelli) {
                if (l->isVisible()) {
                    EXPECT_LE(l->geometry().right(), int(118 * dpmm)) << l->text().toStdString();
                }
            }
        });
    }
}

TEST_F(Finestre, textFileReport_everyLanguage)
{
    percorri("text-file report", [this] {
        stato->modoFileTesto = true;
        stato->fileEsercizio = cartella + "Esercizi/Le_marche.txt";
        stato->totaleBattute = 2317;
        stato->totaleErrori = 41;
        stato->numParole = 402;
        stato->tempoEsercizio = QTime(0, 11, 24);
        auto d = std::make_unique<frmReportFreeTXT>(*stato, lookup());
        d->show();
        return std::unique_ptr<QWidget>(d.release());
    }, [](QWidget *w) {
        auto *f = static_cast<frmReportFreeTXT *>(w);
        const QFontMetrics titolo(FontTesto(14, true), f), righe(FontTesto(12), f);
        EXPECT_LE(frmReportFreeTXT::kXTitolo + titolo.horizontalAdvance(f->report.Titolo()), f->imgAnimazione->x())
            << f->report.Titolo().toStdString();
        for (const QString &r : f->report.RigheRisultati())
            EXPECT_LE(frmReportFreeTXT::kXRighe + righe.horizontalAdvance(r), f->width() - 8) << r.toStdString();
    });
}

TEST_F(Finestre, progressWindow_everyLanguage)
{
    progressi::ArchivioProgressi archivio(cartella + progressi::NomeArchivio);
    percorri("progress window", [this, &archivio] {
        auto d = std::make_unique<progressi::frmProgressi>(*stato, archivio, "ANNA", QString(), lookup());
        d->show();
        return std::unique_ptr<QWidget>(d.release());
    });
}

TEST_F(Finestre, trainingAndGame_everyLanguageOnBothScreens)
{
    for (bool grande : {false, true}) {
        fakes.screen.pixels = grande ? QSize(1280, 1024) : QSize(800, 600);
        percorri("game window", [this, grande] {
            stato->schermoGrande = grande;
            auto d = std::make_unique<FrmPlay>(*stato, lookup());
            d->show();
            return std::unique_ptr<QWidget>(d.release());
        });
    }
}

} // namespace
