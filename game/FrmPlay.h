#pragma once
// The training-and-game window: full screen and modal, owned by the main
// window. A thin view of RegoleGioco: it owns the controls and the two timers,
// hands keys, clicks and timer ticks to the rules and shows what they say.
//
//   FrmPlay gioco(stato, lingua, principale);
//   gioco.exec();

#include "game/CaratteriDigitati.h"
#include "game/MotoLettere.h"
#include "game/RegoleGioco.h"
#include "game/TestiGioco.h"
#include "settings/TestoLingua.h"

#include <QDialog>
#include <QPixmap>
#include <array>

class AreaGioco;
class OrologioAllenamento;
class PannelloOpzioni;
class StrisciaInferiore;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;
class modClavora;

class FrmPlay : public QDialog {
    Q_OBJECT
public:
    // lingua: the language lookup, used when the language file is present.
    FrmPlay(modClavora &stato, TestoLingua lingua = {}, QWidget *proprietario = nullptr);
    ~FrmPlay() override;

    int exec() override;

    // Event handlers.
    void optDifficulty_Click(int indice);
    void hsTime_Change();
    void cmdStart_Click();
    void cmdNuovo_Click();
    void cmdExit_Click();
    void Form_KeyUp(int tasto);
    // A frame of the play area: the characters where they are on their way.
    void timerFotogrammi_Timer();

    modClavora &s;
    const TestiGioco testi;
    RegoleGioco regole;
    bool chiusa = false;   // unloaded

    // Controls, named as the rest of the program knows them.
    AreaGioco *PicPlay = nullptr;
    PannelloOpzioni *picLevel = nullptr;
    std::array<QRadioButton *, RegoleGioco::NumeroOpzioni> optDifficulty{};
    QLabel *lblGioco = nullptr;
    QLabel *lblAllenamento = nullptr;
    QLabel *lblVelocita = nullptr;
    QLabel *lblTimeLbl = nullptr;
    QLabel *lblTime = nullptr;
    QSlider *hsSpeed = nullptr;
    QSlider *hsTime = nullptr;
    QLineEdit *txtCustom = nullptr;
    QPushButton *cmdStart = nullptr;
    StrisciaInferiore *picBottom = nullptr;
    QLabel *imgFrecciaReturn = nullptr;
    QPushButton *cmdExit = nullptr;
    QPushButton *cmdNuovo = nullptr;
    QLabel *imgErrore = nullptr;
    QWidget *picDisplayPlay = nullptr;
    QLabel *lblImgWinner = nullptr;
    QLabel *lblWinner = nullptr;
    QLabel *lblTotal = nullptr;
    QLabel *lblPunti = nullptr;
    QWidget *picDisplayTraining = nullptr;
    QLabel *lblDigOK = nullptr;
    QLabel *lblDigKO = nullptr;
    QLabel *lblTotDigit = nullptr;
    QLabel *lblScoreTraining = nullptr;
    OrologioAllenamento *picProgressRound = nullptr;
    QTimer *timerLetters = nullptr;
    QTimer *timerScore = nullptr;
    QTimer *timerFotogrammi = nullptr;   // the play area's frames, at the display's rate
    const MotoLettere &moto() const { return moto_; }

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void reject() override;

private:
    // FrmPlay_controlli.cpp
    void CreaControlli();
    void CreaPannelloOpzioni();
    void CreaStrisciaInferiore();
    void ColoriSfondo();
    // FrmPlay.cpp
    void Form_Load();
    void Form_Unload();
    void DissolviFinestra();
    void Mostra();
    bool txtCustom_KeyPress(QObject *o, QEvent *e);
    bool TastoGiocato(QEvent *e);

    int64_t ora() const;
    void RecordPerso();

    CaratteriDigitati caratteri_;
    MotoLettere moto_;
    QPixmap trofeo_, trofeoAcceso_;
    QImage sfondo_;         // the window's background, painted once
    QRect blocco_;          // the play area and the strip under it
};
