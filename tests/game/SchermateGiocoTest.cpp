// Pictures of the training-and-game window for the README: run with
// TASTAVIA_SCREENSHOTS=1 (skipped otherwise). They are written to docs/.

#include "GiocoTest.h"
#include "tests/support/Sorgenti.h"

#include "game/FrmPlay.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

namespace {

class SchermateGioco : public GiocoTest {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("TASTAVIA_SCREENSHOTS"))
            GTEST_SKIP() << "set TASTAVIA_SCREENSHOTS=1 to write the pictures";
        GiocoTest::SetUp();
        eventi = true;
        fakes.screen.pixels = {1024, 768};
        stato->schermoGrande = true;
        scrivi("TastaviaWinner.ini", "[ANNA]\r\nDifficulty2=2450\r\n");
        finestra = std::make_unique<FrmPlay>(*stato);
        finestra->show();
        QCoreApplication::processEvents();
    }

    void salva(const QString &nome)
    {
        QCoreApplication::processEvents();
        finestra->grab().save(cartellaSorgenti() + "/docs/" + nome);
    }

    void ticks(int n)
    {
        for (int k = 0; k < n; ++k)
            finestra->regole.timerLetters_Timer();
    }

    std::unique_ptr<FrmPlay> finestra;
};

TEST_F(SchermateGioco, optionsTurnTallyAndTraining)
{
    finestra->optDifficulty[1]->click();
    salva("gioco-opzioni.png");

    // A turn of "Medio": some characters struck, the others falling.
    finestra->timerLetters->blockSignals(true);
    finestra->cmdStart->click();
    ticks(70);
    const std::vector<int> v = visibili(finestra->regole);
    for (size_t k = 0; k < v.size(); k += 3)
        finestra->regole.Form_KeyPress(codice(finestra->regole, v[k]));
    ticks(30);
    salva("gioco-turno.png");

    // The tally: the rest land, faces turn into points.
    ticks(300);
    for (int k = 0; k < 6; ++k)
        finestra->regole.timerScore_Timer();
    salva("gioco-conteggio.png");

    // Training on a home-row set, some time into the run.
    finestra->cmdNuovo->click();
    finestra->optDifficulty[5]->click();
    finestra->hsTime->setValue(1);
    finestra->cmdStart->click();
    for (int k = 0; k < 12; ++k) {
        for (int i : visibili(finestra->regole))
            if (finestra->regole.lblLetter(i).colore == RegoleGioco::Rosso()) {
                finestra->regole.Form_KeyPress(codice(finestra->regole, i));
                break;
            }
        fakes.clock.advance(4);
        ticks(25);
    }
    salva("gioco-allenamento.png");
}

} // namespace
