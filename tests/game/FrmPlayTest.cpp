// The training-and-game window on the offscreen platform: its opening, the
// options panel, the custom box, the Caps Lock guard, keys reaching the rules
// and its closing.

#include "GiocoTest.h"

#include "game/FrmPlay.h"
#include "game/PannelliGioco.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

namespace {

class Finestra : public GiocoTest {
protected:
    void SetUp() override
    {
        GiocoTest::SetUp();
        eventi = true;
    }

    void apri()
    {
        finestra = std::make_unique<FrmPlay>(*stato);
        finestra->show();
        QCoreApplication::processEvents();
    }

    // The character typed as a key event, to whichever control has the focus.
    void digita(QChar c)
    {
        QWidget *destinatario = QApplication::focusWidget() ? QApplication::focusWidget() : finestra.get();
        QTest::sendKeyEvent(QTest::Click, destinatario, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    std::unique_ptr<FrmPlay> finestra;
};

TEST_F(Finestra, opensFullScreenWithOptionZero_andPlaysSound111Once)
{
    fakes.screen.pixels = {1024, 768};
    stato->schermoGrande = true;
    apri();
    EXPECT_EQ(finestra->size(), QSize(1024, 768));
    EXPECT_EQ(finestra->PicPlay->geometry(), QRect(72, 69, 880, 550));
    EXPECT_EQ(finestra->picBottom->geometry(), QRect(72, 619, 880, 80));
    EXPECT_EQ(finestra->regole.altezzaGioco(), 550);
    EXPECT_TRUE(finestra->optDifficulty[0]->isChecked());
    EXPECT_EQ(finestra->regole.difficolta(), 0);
    EXPECT_EQ(fakes.sound.played, std::vector<int>{111});
    EXPECT_FALSE(finestra->hsSpeed->isEnabled());
    EXPECT_FALSE(finestra->hsTime->isEnabled());
    EXPECT_FALSE(finestra->txtCustom->isEnabled());
    EXPECT_FALSE(finestra->cmdNuovo->isEnabled());
    EXPECT_EQ(finestra->optDifficulty[3]->text(), "qsdfjklmei");
    EXPECT_EQ(finestra->optDifficulty[7]->text(), "personalizzato");
    EXPECT_EQ(finestra->lblVelocita->text(), QString::fromUtf8("Velocità  < min - max >"));
    EXPECT_EQ(finestra->cmdExit->text(), "Chiudi");
    EXPECT_EQ(finestra->cmdNuovo->toolTip(), "Ricomincia da capo");
    // The options panel in the middle of the play area.
    const QRect pannello = finestra->picLevel->geometry();
    EXPECT_EQ(pannello.center(), QRect(0, 0, 880, 550).center());
}

TEST_F(Finestra, smallScreen_playAreaOf755By460)
{
    fakes.screen.pixels = {800, 600};
    apri();
    EXPECT_EQ(finestra->PicPlay->size(), QSize(755, 460));
    EXPECT_EQ(finestra->regole.altezzaGioco(), 460);
    // Column gap: (755 - 18 * 30) / 19, rounded.
    EXPECT_EQ(finestra->regole.lblLetter(0).left, 11);
    EXPECT_EQ(finestra->regole.lblLetter(17).left, 11 + 17 * 41);
}

TEST_F(Finestra, timeSlider_readsTwoAndAHalfMinutesAtTheLeftAndTenAtTheRight_inItalian)
{
    const QLocale prima;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    apri();
    EXPECT_EQ(finestra->lblTime->text(), "2,5 min");
    finestra->optDifficulty[3]->click();
    finestra->hsTime->setValue(4);
    EXPECT_EQ(finestra->lblTime->text(), "10,0 min");
    EXPECT_EQ(finestra->regole.hsTime(), 4);
    QLocale::setDefault(prima);
}

TEST_F(Finestra, trainingOptions_enableTheSliders_andTheCustomOptionTheBox)
{
    apri();
    finestra->optDifficulty[4]->click();
    EXPECT_TRUE(finestra->hsSpeed->isEnabled());
    EXPECT_FALSE(finestra->txtCustom->isEnabled());
    EXPECT_EQ(finestra->txtCustom->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(finestra->picLevel->topBarra(), finestra->lblAllenamento->y() - 2);
    finestra->optDifficulty[7]->click();
    EXPECT_TRUE(finestra->txtCustom->isEnabled());
    EXPECT_EQ(finestra->txtCustom->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(QApplication::focusWidget(), finestra->txtCustom);
    finestra->optDifficulty[1]->click();
    EXPECT_EQ(finestra->picLevel->topBarra(), finestra->lblGioco->y() - 2);
    EXPECT_EQ(suoni(111), 4);
}

TEST_F(Finestra, customBox_swallowsABlankAndARepeat_butTakesBothCases)
{
    apri();
    finestra->optDifficulty[7]->click();
    for (QChar c : QString("a a A b"))
        digita(c);
    EXPECT_EQ(finestra->txtCustom->text(), "aAb");
    EXPECT_EQ(finestra->regole.txtCustom(), "aAb");
    EXPECT_EQ(finestra->txtCustom->maxLength(), 17);
}

TEST_F(Finestra, customSetTooShort_showsMessageZero_andStaysInTheBox)
{
    apri();
    finestra->optDifficulty[7]->click();
    finestra->txtCustom->setText("aab ");
    finestra->cmdStart->click();
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].title, "Tastavia");
    EXPECT_EQ(fakes.dialogs.shown[0].text, "Inserire almeno quattro caratteri alfanumerici");
    EXPECT_EQ(fakes.dialogs.shown[0].icon, platform::Dialogs::Information);
    EXPECT_TRUE(finestra->txtCustom->text().isEmpty());
    EXPECT_TRUE(finestra->picLevel->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), finestra->txtCustom);
}

TEST_F(Finestra, capsLockReleasedWhileOn_warnsAndSwitchesItOff)
{
    apri();
    fakes.keyboard.caps = true;
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_CapsLock);
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].text, "Il tasto Blocca Maiuscole non deve essere premuto.");
    EXPECT_EQ(fakes.dialogs.shown[0].icon, platform::Dialogs::Warning);
    EXPECT_EQ(fakes.keyboard.capsSwitchedOff, 1);
    EXPECT_FALSE(fakes.keyboard.caps);
}

TEST_F(Finestra, capsLockReleasedWhenJustSwitchedOff_saysNothing)
{
    apri();
    fakes.keyboard.caps = false;
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_CapsLock);
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_EQ(fakes.keyboard.capsSwitchedOff, 0);
}

TEST_F(Finestra, emptyLearnerName_noBestTotals_trophyHidden_totalAtTheLeft)
{
    stato->nomeUtente.clear();
    scrivi("TastaviaWinner.ini", "[]\r\nDifficulty1=900\r\n");
    apri();
    EXPECT_TRUE(stato->gestoreIni.nome().isEmpty());
    EXPECT_EQ(finestra->regole.recordLivelli(), (RecordLivelli{0, 0, 0}));
    finestra->cmdStart->click();
    EXPECT_TRUE(finestra->picDisplayPlay->isVisible());
    EXPECT_FALSE(finestra->lblImgWinner->isVisible());
    EXPECT_FALSE(finestra->lblWinner->isVisible());
    EXPECT_EQ(finestra->lblTotal->x(), 4);
}

TEST_F(Finestra, learnersBest_showsBesideTheTrophyAtStart)
{
    scrivi("TastaviaWinner.ini", "[ANNA]\r\nDifficulty2=1250\r\n");
    apri();
    finestra->optDifficulty[1]->click();
    finestra->cmdStart->click();
    EXPECT_TRUE(finestra->lblImgWinner->isVisible());
    EXPECT_EQ(finestra->lblWinner->text(), "1.250");   // the interface (Italian) groups thousands
    EXPECT_EQ(finestra->lblTotal->text(), "0");
}

TEST_F(Finestra, gameTurn_typedWithKeyEvents_scoresPointsInTheTally)
{
    apri();
    finestra->cmdStart->click();
    EXPECT_TRUE(finestra->timerLetters->isActive());
    EXPECT_EQ(finestra->timerLetters->interval(), 100);
    EXPECT_TRUE(finestra->cmdNuovo->isEnabled());
    EXPECT_FALSE(finestra->picLevel->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), finestra->PicPlay);
    for (int i : visibili(finestra->regole))
        digita(finestra->regole.lblLetter(i).testo.at(0));
    EXPECT_TRUE(visibili(finestra->regole).empty());
    EXPECT_TRUE(finestra->timerScore->isActive());
    while (finestra->regole.timerScoreAttivo())
        finestra->regole.timerScore_Timer();
    EXPECT_EQ(finestra->regole.punteggioTotale(), 600);
    EXPECT_EQ(finestra->lblTotal->text(), "600");
    EXPECT_EQ(finestra->regole.turno(), 2);
}

TEST_F(Finestra, deadKeyLetter_fromTheInputMethod_isJudgedInTraining)
{
    apri();
    finestra->optDifficulty[6]->click();
    finestra->cmdStart->click();
    // Strike targets until the é is the target, with a commit as a dead key gives it.
    int colpi = 0;
    for (int giro = 0; giro < 200 && colpi == 0; ++giro) {
        int t = -1;
        for (int i : visibili(finestra->regole))
            if (finestra->regole.lblLetter(i).colore == RegoleGioco::Rosso())
                t = i;
        ASSERT_GE(t, 0);
        const QString c = finestra->regole.lblLetter(t).testo;
        if (c == QString::fromUtf8("é")) {
            QInputMethodEvent commit;
            commit.setCommitString(c);
            QApplication::sendEvent(finestra->PicPlay, &commit);
            ++colpi;
        } else {
            digita(c.at(0));
        }
    }
    EXPECT_EQ(colpi, 1);
    EXPECT_EQ(finestra->regole.battuteErrate(), 0);
}

TEST_F(Finestra, wrongKey_showsTheErrorPicture_whileTheCharactersAreFrozen)
{
    apri();
    finestra->cmdStart->click();
    bool visto = false;
    duranteLaPausa = [&] {
        visto = true;
        EXPECT_TRUE(finestra->imgErrore->isVisible());
        EXPECT_FALSE(finestra->timerLetters->isActive());
        EXPECT_EQ(finestra->lblTotal->text(), "-25");
    };
    digita('#');
    EXPECT_TRUE(visto);
    EXPECT_FALSE(finestra->imgErrore->isVisible());
    EXPECT_TRUE(finestra->timerLetters->isActive());
}

TEST_F(Finestra, escDuringTheAnnouncement_isIgnored_andAfterItCloses)
{
    apri();
    duranteLaPausa = [&] { QTest::keyClick(finestra.get(), Qt::Key_Escape); };
    finestra->cmdStart->click();
    EXPECT_FALSE(finestra->chiusa);
    EXPECT_TRUE(finestra->regole.inCorso());
    QTest::keyClick(finestra.get(), Qt::Key_Escape);
    EXPECT_TRUE(finestra->chiusa);
    EXPECT_FALSE(finestra->isVisible());
    EXPECT_FALSE(finestra->timerLetters->isActive());
    EXPECT_TRUE(visibili(finestra->regole).empty());
}

TEST_F(Finestra, closingWithLayeredWindows_fadesFrom250To50)
{
    stato->windowsNT5 = true;
    apri();
    const int prima = pause;
    finestra->cmdExit->click();
    EXPECT_EQ(pause - prima, 41);
    EXPECT_TRUE(finestra->chiusa);
    EXPECT_EQ(finestra->result(), QDialog::Accepted);
}

TEST_F(Finestra, newGame_backToTheOptions)
{
    apri();
    finestra->optDifficulty[3]->click();
    finestra->cmdStart->click();
    EXPECT_TRUE(finestra->picDisplayTraining->isVisible());
    EXPECT_FALSE(finestra->picDisplayPlay->isVisible());
    finestra->cmdNuovo->click();
    EXPECT_TRUE(finestra->picLevel->isVisible());
    EXPECT_FALSE(finestra->picDisplayTraining->isVisible());
    EXPECT_FALSE(finestra->cmdNuovo->isEnabled());
    EXPECT_FALSE(finestra->timerLetters->isActive());
    EXPECT_EQ(suoni(112), 2);
}

TEST_F(Finestra, capsLockBoxDuringATurn_freezesTheCharactersUntilItCloses)
{
    apri();
    finestra->cmdStart->click();
    ASSERT_TRUE(finestra->timerLetters->isActive());
    fakes.keyboard.caps = true;
    bool visto = false;
    fakes.dialogs.whileShown = [&](const fake::Dialogs::Shown &) {
        visto = true;
        EXPECT_FALSE(finestra->timerLetters->isActive());
        EXPECT_FALSE(finestra->timerFotogrammi->isActive());
        EXPECT_FALSE(finestra->regole.inCorso());
    };
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_CapsLock);
    EXPECT_TRUE(visto);
    EXPECT_TRUE(finestra->timerLetters->isActive());
    EXPECT_TRUE(finestra->timerFotogrammi->isActive());
    EXPECT_TRUE(finestra->regole.inCorso());
}

TEST_F(Finestra, frames_drawEachCharacterBetweenItsTicks_andStandStillWhileFrozen)
{
    apri();
    finestra->cmdStart->click();
    const int i = visibili(finestra->regole).front();
    const int top = finestra->regole.lblLetter(i).top, v = finestra->regole.velocitaLettera(i);
    fakes.clock.ms += 50;   // half-way to the next tick
    finestra->timerFotogrammi_Timer();
    EXPECT_EQ(finestra->PicPlay->topDisegnato(i), top + v / 2);
    bool fermo = false;
    duranteLaPausa = [&] {
        fakes.clock.ms += 400;
        finestra->timerFotogrammi_Timer();
        fermo = finestra->PicPlay->topDisegnato(i) == top + v / 2;
    };
    digita('#');   // a wrong key: the characters freeze where they were seen
    EXPECT_TRUE(fermo);
}

TEST_F(Finestra, judgingAKey_letsNoOtherEventRun)
{
    apri();
    finestra->cmdStart->click();
    bool corso = false;
    QTimer::singleShot(0, finestra.get(), [&] { corso = true; });
    for (int i : visibili(finestra->regole))
        finestra->regole.Form_KeyPress(codice(finestra->regole, i));   // the turn's end, tally started
    EXPECT_FALSE(corso);
    EXPECT_GT(suoni(107), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(corso);
}

} // namespace
