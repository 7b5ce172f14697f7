// A change of language while the program runs, through the windows the
// start-up composes: information window, "Lingua...", the list, Close, Yes.
// The open windows then show what they show when started in that language.

#include "LingueTest.h"

#include "app/Composizione.h"
#include "settings/frmLanguage.h"
#include "ui/cTooltip.h"
#include "ui/frmInfo.h"
#include "ui/frmTransparency.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <map>

namespace {

class Cambio : public LingueTest {
protected:
    // Every caption, tooltip and title of a window but the labels that show the
    // practice itself (the model line, the clock, the counters).
    static std::map<QString, QString> Controlli(QWidget *w)
    {
        std::map<QString, QString> out;
        for (const TestoMostrato &t : TestiDi(w))
            if (!(t.dove.startsWith("QLabel#") && t.dove.endsWith(" text")))
                out[t.dove] = t.testo;
        return out;
    }

    // The main window's texts with its balloons and its pop-up.
    static std::map<QString, QString> Principale(frmClavora *f)
    {
        std::map<QString, QString> out = Controlli(f);
        out["balloon title, kinds"] = f->fumettiMenu->Title();
        out["balloon title, modes"] = f->fumettiLivello->Title();
        for (size_t i = 0; i < f->optMenu.size(); ++i)
            out["balloon, kind " + QString::number(i)] = f->fumettiMenu->ToolText(f->optMenu[i]);
        for (size_t i = 0; i < f->optLevel.size(); ++i)
            out["balloon, mode " + QString::number(i)] = f->fumettiLivello->ToolText(f->optLevel[i]);
        out["pop-up"] = f->popup->testo();
        return out;
    }

    // Picks `voce` in the language window opened from the information window of
    // the main window, and returns the information window's texts after the change.
    std::map<QString, QString> scegli(frmClavora &f, const QString &voce)
    {
        std::map<QString, QString> info;
        bool scelta = false, occupato = false;
        QTimer guida;
        // Each click runs from the event loop: a click that opens a modal window
        // returns only when that window closes, and the timer must go on meanwhile.
        const auto clicca = [&](QPushButton *b) {
            occupato = true;
            QTimer::singleShot(0, b, [&occupato, b] {
                occupato = false;
                b->click();
            });
        };
        QObject::connect(&guida, &QTimer::timeout, [&] {
            if (occupato)
                return;
            QWidget *attiva = QApplication::activeModalWidget();
            if (auto *l = qobject_cast<frmLanguage *>(attiva)) {
                l->cboFileLanguage->setCurrentIndex(l->cboFileLanguage->findData(voce));
                scelta = true;
                clicca(l->cmdChiudi);
            } else if (auto *i = qobject_cast<frmInfo *>(attiva)) {
                if (!scelta) {
                    clicca(i->cmdLingua);
                    return;
                }
                for (const TestoMostrato &t : TestiDi(i))
                    info[t.dove] = t.testo;
                guida.stop();
                clicca(i->cmdChiudi);
            }
        });
        guida.start(5);
        f.lblMenu_Click(2);
        guida.stop();
        return info;
    }
};

TEST_F(Cambio, switchingWhileRunning_changesEveryTextOfTheOpenWindows)
{
    // Each language as a fresh start shows it.
    std::map<QString, std::map<QString, QString>> principaleAttesa, infoAttesa;
    const QStringList tutte = QStringList(kLingue) << "Italian";
    for (const QString &l : tutte) {
        lingua(l);
        auto f = principale();
        principaleAttesa[l] = Principale(f.get());
        frmInfo::Azioni azioni;
        azioni.stampanteDisponibile = stato->StampanteDisponibile();
        ComponiFinestre(*f, *stato);
        frmInfo info(azioni, f->lingua);
        for (const TestoMostrato &t : TestiDi(&info))
            infoAttesa[l][t.dove] = t.testo;
    }

    nuovoStato();
    lingua("Italian");
    auto f = principale();
    ComponiFinestre(*f, *stato);
    for (const QString &l : tutte) {
        SCOPED_TRACE(l.toStdString());
        const std::map<QString, QString> info = scegli(*f, l == "Italian" ? "Italian [Default]" : l);
        EXPECT_EQ(stato->linguaCorrente, l);
        EXPECT_EQ(stato->fileLinguaPresente, l != "Italian");
        EXPECT_EQ(info, infoAttesa[l]);
        EXPECT_EQ(Principale(f.get()), principaleAttesa[l]);
        EXPECT_TRUE(f->optMenu[0]->isChecked());

        // Message boxes answer in the same language.
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes);
        const QString si = box.button(QMessageBox::Yes)->text().remove('&');
        const std::map<QString, QString> attesi{{"English", "Yes"}, {"French", "Oui"}, {"German", "Ja"},
                                                {"Spanish", QString::fromUtf8("Sí")},
                                                {"Italian", QString::fromUtf8("Sì")}};
        EXPECT_EQ(si, attesi.at(l));
    }
}

TEST_F(Cambio, sameLanguageChosenAgain_asksNothingAndChangesNothing)
{
    lingua("French");
    auto f = principale();
    ComponiFinestre(*f, *stato);
    const auto prima = Principale(f.get());
    const size_t scatole = fakes.dialogs.shown.size();
    scegli(*f, "French");
    EXPECT_EQ(fakes.dialogs.shown.size(), scatole);
    EXPECT_EQ(stato->linguaCorrente, "French");
    EXPECT_EQ(Principale(f.get()), prima);
}

TEST_F(Cambio, languageChosen_isSavedForTheNextStart)
{
    lingua("Italian");
    auto f = principale();
    ComponiFinestre(*f, *stato);
    scegli(*f, "Spanish");
    f->close();
    nuovoStato();
    auto dopo = principale();
    EXPECT_EQ(stato->linguaCorrente, "Spanish");
    EXPECT_TRUE(stato->fileLinguaPresente);
    EXPECT_EQ(dopo->optLevel[1]->text(), "Experto");
}

} // namespace
