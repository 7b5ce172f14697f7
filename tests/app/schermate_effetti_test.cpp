// Pictures of the pop-up, a balloon and the keyboard sheet for the README: run
// with TASTAVIA_SCREENSHOTS=1 (skipped otherwise). They are written to docs/.

#include "FinestraTest.h"
#include "tests/support/Sorgenti.h"

#include "keyboard/TastieraVirtuale.h"
#include "ui/cTooltip.h"
#include "ui/frmTransparency.h"

#include <QPainter>
#include <QRadioButton>

namespace {

class SchermateEffetti : public FinestraTest {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("TASTAVIA_SCREENSHOTS"))
            GTEST_SKIP() << "set TASTAVIA_SCREENSHOTS=1 to write the pictures";
        FinestraTest::SetUp();
        scrivi("Esercizi/esempio.txt", "Un petit texte.");
    }

    // A window of its own (the balloon) painted over the main window where it
    // shows on the screen, through its outline.
    static void sovrapponi(QPainter &p, QWidget *finestra, QWidget *sopra, const QPoint &origine)
    {
        const QPoint dove = sopra->pos() - finestra->pos() - origine;
        p.save();
        if (!sopra->mask().isEmpty())
            p.setClipRegion(sopra->mask().translated(dove));
        p.drawPixmap(dove, sopra->grab());
        p.restore();
    }

    static QString percorso(const QString &nome)
    {
        return cartellaSorgenti() + "/docs/" + nome;
    }
};

TEST_F(SchermateEffetti, popupBalloonAndSheet)
{
    apri({}, "ANNA");
    QCoreApplication::processEvents();

    // The pop-up over the keyboard, as the welcome leaves it (a child of the
    // main window: its picture has it).
    ASSERT_TRUE(finestra->popup->isVisible());
    finestra->grab().save(percorso("popup.png"));

    // The balloon of the expert mode, beside its button.
    {
        QRadioButton *esperto = finestra->optLevel[1];
        const QPoint mouse = esperto->mapToGlobal(QPoint(30, 12));
        ASSERT_TRUE(finestra->fumettiLivello->MostraSuggerimento(esperto, mouse));
        QWidget *tip = finestra->fumettiLivello->hwnd();
        QCoreApplication::processEvents();
        const QRect area = QRect(tip->geometry().topLeft() - finestra->pos(), tip->size())
                               .united(QRect(finestra->picLevel->mapTo(finestra.get(), QPoint(0, 0)),
                                             finestra->picLevel->size()))
                               .adjusted(-12, -12, 12, 12);
        QPixmap p = finestra->grab(area);
        QPainter g(&p);
        sovrapponi(g, finestra.get(), tip, area.topLeft());
        g.end();
        p.save(percorso("fumetto.png"));
        finestra->fumettiLivello->NascondiSuggerimento();
    }

    // The sheet as the printer gets it, the key map and a highlight on the keyboard.
    fakes.printer.present = true;
    finestra->picKeyword->EvidenziaTasto(QChar('A'));
    fakes.dialogs.answers.push_back(platform::Dialogs::AnsYes);
    finestra->StampaTastiera();
    ASSERT_EQ(fakes.printer.pages.size(), 1u);
    // With a grey edge, so that the white page stands out on a white README.
    QImage pagina = fakes.printer.pages.front();
    QPainter bordo(&pagina);
    bordo.setPen(QColor(160, 160, 160));
    bordo.drawRect(pagina.rect().adjusted(0, 0, -1, -1));
    bordo.end();
    pagina.save(percorso("stampa-tastiera.png"));
}

} // namespace
