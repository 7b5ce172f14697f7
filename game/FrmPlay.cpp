#include "game/FrmPlay.h"

#include "practice/modClavora.h"
#include "game/PannelliGioco.h"
#include "platform/Testo.h"
#include "ui/GuardiaTasti.h"
#include "ui/frmShadow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>

namespace {

TestiGioco Testi(const modClavora &s, const TestoLingua &lingua)
{
    return s.fileLinguaPresente && lingua ? CaricaTestiLingua(lingua) : CaricaTestiPredefiniti();
}

void Colore(QWidget *w, QPalette::ColorRole ruolo, const QColor &c)
{
    QPalette p = w->palette();
    if (p.color(ruolo) == c)
        return;
    p.setColor(ruolo, c);
    w->setPalette(p);
}

} // namespace

FrmPlay::FrmPlay(modClavora &stato, TestoLingua lingua, QWidget *proprietario)
    : QDialog(proprietario, Qt::Dialog | Qt::FramelessWindowHint), s(stato), testi(Testi(stato, lingua)),
      regole(stato, testi)
{
    setObjectName(QStringLiteral("FrmPlay"));
    setWindowTitle(QStringLiteral("Tastavia"));
    setModal(true);
    connect(&regole, &RegoleGioco::aggiornato, this, &FrmPlay::Mostra);
    connect(&regole, &RegoleGioco::recordPerso, this, &FrmPlay::RecordPerso);
    Form_Load();
}

FrmPlay::~FrmPlay()
{
    // The rules may still be inside a pause when the window goes: nothing more to show.
    disconnect(&regole, nullptr, this, nullptr);
}

void FrmPlay::Form_Load()
{
    CreaControlli();
    SoloPredefinitoSuInvio(this);
    regole.ImpostaArea(PicPlay->width(), PicPlay->height());
    regole.LeggiRecord();   // nothing without a learner name

    txtCustom->setMaxLength(RegoleGioco::LunghezzaPersonalizzata);
    for (int i = 0; i < RegoleGioco::NumeroOpzioni; ++i)
        optDifficulty[size_t(i)]->setText(testi.opzioni[size_t(i)]);
    optDifficulty[0]->setChecked(true);
    hsSpeed->setValue(4);
    hsTime->setValue(1);
    hsSpeed->setEnabled(false);
    hsTime->setEnabled(false);

    ColoriSfondo();
    lblAllenamento->setText(testi.lblAllenamento);
    lblGioco->setText(testi.lblGioco);
    lblVelocita->setText(testi.lblVelocita);
    lblTimeLbl->setText(testi.lblTimeLbl);
    lblPunti->setText(testi.lblPunti);
    cmdExit->setText(testi.cmdExit);
    cmdNuovo->setToolTip(testi.cmdNuovoSuggerimento);
    cmdStart->setText(testi.cmdStart);
    // Names a screen reader gives the controls that show no words of their own.
    cmdNuovo->setAccessibleName(testi.cmdNuovoSuggerimento);
    hsSpeed->setAccessibleName(testi.lblVelocita);
    hsTime->setAccessibleName(testi.lblTimeLbl);
    txtCustom->setAccessibleName(testi.opzioni[7]);
    hsTime_Change();

    // Key preview: the window sees every key before its controls do.
    installEventFilter(this);
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);

    optDifficulty_Click(0);
    Mostra();
}

int FrmPlay::exec()
{
    const QScreen *schermo = QGuiApplication::primaryScreen();
    move(schermo ? schermo->geometry().topLeft() : QPoint(0, 0));
    setWindowState(windowState() | Qt::WindowFullScreen);
    return QDialog::exec();
}

void FrmPlay::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    activateWindow();
    if (optDifficulty[size_t(regole.difficolta())]->isVisible())
        optDifficulty[size_t(regole.difficolta())]->setFocus();
}

void FrmPlay::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    p.drawImage(e->rect(), sfondo_, e->rect());
}

// --- What the rules say

void FrmPlay::Mostra()
{
    const RegoleGioco::Modifiche m = regole.prendiModifiche();
    if (!m.area.isEmpty())
        PicPlay->update(m.area);
    const unsigned parti = m.parti;
    const int64_t adesso = ora();
    if (parti & RegoleGioco::Totale) {
        lblTotal->setText(regole.lblTotal().testo);
        Colore(lblTotal, QPalette::WindowText, regole.lblTotal().colore);
    }
    if (parti & RegoleGioco::Record) {
        lblWinner->setText(regole.lblWinner().testo);
        Colore(lblWinner, QPalette::WindowText, regole.lblWinner().colore);
        lblImgWinner->setPixmap(regole.coloreTrofeo() == RegoleGioco::Nero() ? trofeo_ : trofeoAcceso_);
    }
    if (parti & RegoleGioco::Allenamento) {
        lblDigOK->setText(regole.lblDigOK());
        lblDigKO->setText(regole.lblDigKO());
        lblTotDigit->setText(regole.lblTotDigit());
        lblScoreTraining->setText(regole.lblScoreTraining());
    }
    if (parti & RegoleGioco::Orologio)
        picProgressRound->update();
    if (parti & RegoleGioco::Errore)
        imgErrore->setVisible(regole.erroreVisibile());
    if (parti & RegoleGioco::Pannelli) {
        picLevel->setVisible(regole.picLevelVisibile());
        picDisplayPlay->setVisible(regole.pannelloGioco());
        picDisplayTraining->setVisible(regole.pannelloAllenamento());
    }
    if (parti & RegoleGioco::Comandi) {
        cmdStart->setEnabled(regole.cmdStartAbilitato());
        cmdNuovo->setEnabled(regole.cmdNuovoAbilitato());
        cmdExit->setEnabled(regole.cmdExitAbilitato());
    }
    if (parti & RegoleGioco::Timer) {
        const int intervallo = regole.intervalloLettere();
        if (!regole.timerLettersAttivo()) {
            timerLetters->stop();
            timerFotogrammi->stop();
            moto_.ferma(adesso);
        } else if (!timerLetters->isActive() || timerLetters->interval() != intervallo) {
            timerLetters->start(intervallo);
            moto_.avvia(adesso, intervallo);
            timerFotogrammi->start();
        }
        if (!regole.timerScoreAttivo())
            timerScore->stop();
        else if (!timerScore->isActive())
            timerScore->start(RegoleGioco::IntervalloPunteggio);
    }
    if ((parti & RegoleGioco::Personalizzato) && txtCustom->text() != regole.txtCustom())
        txtCustom->setText(regole.txtCustom());
    // The characters where they are drawn now, between the rules' ticks.
    PicPlay->Fotogramma(moto_.frazione(adesso));
}

void FrmPlay::timerFotogrammi_Timer()
{
    PicPlay->Fotogramma(moto_.frazione(ora()));
}

int64_t FrmPlay::ora() const
{
    return s.servizi.clock ? s.servizi.clock->tickMs() : 0;
}

void FrmPlay::RecordPerso()
{
    // Which file and why, at the end of the game rather than at the program's exit.
    if (s.servizi.dialogs)
        s.avvisoScrittura.Avvisa(s.gestoreIni, *s.servizi.dialogs, this);
}

// --- Options panel

void FrmPlay::optDifficulty_Click(int indice)
{
    regole.setDifficolta(indice);
    const bool allenamento = indice >= 3;
    const bool personalizzato = indice == RegoleGioco::OpzionePersonalizzata;
    hsSpeed->setEnabled(allenamento);
    hsTime->setEnabled(allenamento);
    txtCustom->setEnabled(personalizzato);
    Colore(txtCustom, QPalette::Base, personalizzato ? QColor(255, 255, 255) : QColor(192, 192, 192));
    if (personalizzato)
        txtCustom->setFocus();
    picLevel->EvidenziaGruppo(allenamento ? lblAllenamento->y() : lblGioco->y());
    s.Suona(111);
}

void FrmPlay::hsTime_Change()
{
    const double minuti = double(hsTime->value() * 150) / 60.0;
    lblTime->setText(testo::formato(minuti, QStringLiteral("#.0"), s.localeInterfaccia()) + QStringLiteral(" min"));
}

bool FrmPlay::txtCustom_KeyPress(QObject *o, QEvent *e)
{
    if (o != txtCustom)
        return false;
    // A blank, or a character the box already holds, is swallowed.
    QString testo;
    if (e->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(e);
        if (k->modifiers() & Qt::ControlModifier)
            return false;
        testo = k->text();
        if (testo.isEmpty() || !testo.at(0).isPrint())
            return false;
    } else if (e->type() == QEvent::InputMethod) {
        testo = static_cast<QInputMethodEvent *>(e)->commitString();
    } else {
        return false;
    }
    QString contenuto = txtCustom->text();
    if (txtCustom->hasSelectedText())
        contenuto.remove(txtCustom->selectionStart(), txtCustom->selectedText().size());
    for (QChar c : testo) {
        if (!RegoleGioco::CarattereAmmesso(contenuto, c))
            return true;
        contenuto += c;
    }
    return false;
}

// --- Start, new game, closing

void FrmPlay::cmdStart_Click()
{
    if (!regole.picLevelVisibile() || !regole.cmdStartAbilitato())
        return;
    // Keys go to the play area once the options panel hides.
    PicPlay->setFocus();
    caratteri_.azzera();
    moto_.azzera();
    if (regole.cmdStart_Click() == RegoleGioco::Avvio::InsiemeCorto) {
        s.servizi.dialogs->message(this, QStringLiteral("Tastavia"),
                                   testi.messaggio(TestiGioco::InsiemeCorto),
                                   platform::Dialogs::Information, platform::Dialogs::Ok);
        txtCustom->setFocus();
    }
}

void FrmPlay::cmdNuovo_Click()
{
    regole.cmdNuovo_Click();
    optDifficulty[size_t(regole.difficolta())]->setFocus();
}

void FrmPlay::cmdExit_Click()
{
    if (chiusa)
        return;
    regole.cmdExit_Click();
    Form_Unload();
}

void FrmPlay::Form_Unload()
{
    if (chiusa)
        return;
    chiusa = true;
    timerLetters->stop();
    timerScore->stop();
    timerFotogrammi->stop();
    if (s.windowsNT5 && isVisible())
        DissolviFinestra();
    hide();
    done(QDialog::Accepted);
}

void FrmPlay::DissolviFinestra()
{
    Dissolvenza(this, 250, 50, 5, [this](int ms) {
        if (s.pausa)
            s.pausa(ms);
        return 258;
    });
}

void FrmPlay::reject()
{
    // Esc: the cancel button, only while it shows and can be pressed.
    if (!chiusa && regole.cmdExitAbilitato())
        cmdExit_Click();
}

void FrmPlay::closeEvent(QCloseEvent *e)
{
    if (chiusa) {
        e->accept();
        return;
    }
    // Closed by the window system: as the close button, and not during an announcement.
    e->ignore();
    reject();
}

// --- Keys

void FrmPlay::Form_KeyUp(int tasto)
{
    if (tasto != 20 || !s.TastoAttivo(20))
        return;
    // Nothing falls behind the box: a character landing there would cost points.
    const RegoleGioco::Sospensione sospesa = regole.Sospendi();
    s.servizi.dialogs->message(this, QStringLiteral("Tastavia"), testi.messaggio(TestiGioco::AvvisoMaiuscole),
                               platform::Dialogs::Warning, platform::Dialogs::Ok);
    s.SpegniBloccoMaiuscole();
    if (!chiusa)
        regole.Riprendi(sospesa);
}

bool FrmPlay::TastoGiocato(QEvent *e)
{
    QList<int> codici;
    if (e->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(e);
        codici = caratteri_.daTasto(*k);
        if (codici.isEmpty()) {
            // A dead key waits for the next one; other keys (Esc...) go on.
            return testo::tastoMorto(k->key());
        }
    } else {
        codici = caratteri_.daCommit(*static_cast<QInputMethodEvent *>(e));
    }
    for (int codice : codici)
        regole.Form_KeyPress(codice);
    return true;
}

bool FrmPlay::eventFilter(QObject *o, QEvent *e)
{
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
        // While the characters fall every typed character is judged, whichever
        // control has the focus; otherwise the controls get their keys.
        if (regole.inCorso())
            return TastoGiocato(e);
        if (regole.picLevelVisibile())
            return txtCustom_KeyPress(o, e);
        // Announcements and pauses: keys are not judged, and no control takes them.
        if (e->type() == QEvent::KeyPress) {
            const auto *k = static_cast<QKeyEvent *>(e);
            return !k->text().isEmpty() && k->text().at(0).isPrint();
        }
        return true;
    case QEvent::KeyRelease: {
        const auto *k = static_cast<QKeyEvent *>(e);
        // Once per release: at the control that had the key, or the window.
        QWidget *destinatario = QApplication::focusWidget();
        if (k->key() == Qt::Key_CapsLock && !k->isAutoRepeat() && o == (destinatario ? destinatario : this))
            Form_KeyUp(20);
        return false;
    }
    default:
        return false;
    }
}
