// The results window as the program opens it: the start-up's composition
// hands it to the main window, which opens it modally after the fifth
// sentence; its buttons decide whether practice goes on.

#include "tests/app/FinestraTest.h"

#include "results/frmClassifica.h"

#include <QPushButton>
#include <QTimer>

namespace {

class Composizione : public FinestraTest {
protected:
    // Types the first level, then answers the results window with button `risposta`.
    void primoLivello(int risposta)
    {
        apri();
        ComponiFinestre(*finestra, *stato);
        for (int frase = 1; frase <= 5; ++frase) {
            finestra->cmdStart_Click();
            digita(riga().left(riga().size() - 1));
            fakes.clock.advance(10);
            digita(riga().right(1));
        }
        // Answers as soon as the window is up (the Start lets events run before).
        QTimer risponde;
        QObject::connect(&risponde, &QTimer::timeout, [this, risposta, &risponde] {
            auto *f = qobject_cast<frmClassifica *>(QApplication::activeModalWidget());
            if (!f)
                return;
            risponde.stop();
            aperta = true;
            livelliMostrati = int(f->scritteTabelle().size()) / 24;
            f->cmdRisp[size_t(risposta)]->click();
        });
        risponde.start(5);
        finestra->cmdStart_Click();
        risponde.stop();
    }

    bool aperta = false;
    int livelliMostrati = 0;
};

} // namespace

TEST_F(Composizione, continuaAfterTheFirstLevel_goesOnWithTheSecond)
{
    primoLivello(0);
    EXPECT_TRUE(aperta);
    EXPECT_EQ(livelliMostrati, 1);
    EXPECT_EQ(stato->sceltaRisultati, 0);
    EXPECT_FALSE(finestra->chiusa);
    EXPECT_EQ(finestra->pratica.numeroFrase(), 6);
    EXPECT_EQ(stato->livelloCorrente, 2);
}

TEST_F(Composizione, termina_isTheAnswerTheMainWindowGets)
{
    // Asked directly: through the main window "Termina" would end the program
    // (and every later modal loop of this test program with it).
    apri();
    ComponiFinestre(*finestra, *stato);
    stato->livelloCorrente = 1;
    stato->tipoFineLivello = 1;
    QTimer::singleShot(0, finestra.get(), [this] {
        auto *f = qobject_cast<frmClassifica *>(QApplication::activeModalWidget());
        ASSERT_TRUE(f);
        aperta = true;
        f->cmdRisp[1]->click();
    });
    EXPECT_EQ(finestra->apriRisultati(finestra.get()), 1);
    EXPECT_TRUE(aperta);
    EXPECT_EQ(stato->sceltaRisultati, 1);
}
