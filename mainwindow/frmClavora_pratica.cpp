// What the main window shows of the practice: the start of a line, each
// keystroke's feedback, the clock and gauge, the end of a line and the restart.
// The rules themselves are the engine's (Pratica).

#include "mainwindow/LineaInput.h"
#include "mainwindow/Pannelli.h"
#include "practice/Punteggio.h"
#include "mainwindow/frmClavora.h"
#include "keyboard/TastieraVirtuale.h"
#include "ui/Caratteri.h"
#include "ui/Immagini.h"
#include "ui/modGradient.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const QColor coloreInput(156, 196, 228);
const QColor coloreLampo(128, 255, 255);

} // namespace

void frmClavora::cmdStart_Click()
{
    NascondiPopup();
    Attivati();
    lblMenu[2]->setEnabled(false);
    lblMenu[8]->setEnabled(false);
    picKeyword->RipristinaTastiera();
    lblTime->setText("00:00");
    shpProgressTime->resize(0, shpProgressTime->height());
    shpProgressTime->hide();
    shpIndex->resize(0, shpIndex->height());
    lblMenu[7]->hide();
    shpMenu[7]->hide();
    QApplication::processEvents();
    picLevel->hide();
    picMenu->hide();

    const Pratica::EsitoAvvio esito = pratica.Avvia(SceltaCorrente());
    switch (esito.esito) {
    case Pratica::Avvio::Chiudi:
        Chiudi();
        return;
    case Pratica::Avvio::ErroreFile:
        s.servizi.dialogs->message(this, "Tastavia",
                                   testi.messaggio(37) + "\r\n" + esito.fileNonLetto +
                                       Esercizi::MotivoRifiuto(esito.rifiuto, esito.fileNonLetto, lingua),
                                   platform::Dialogs::Critical, platform::Dialogs::Ok);
        Reset();
        return;
    case Pratica::Avvio::Reset:
        Reset();
        return;
    case Pratica::Avvio::Riga:
        break;
    }
    if (s.modoFileTesto)
        AvvioFileTesto(esito);
    else
        AvvioFrase(esito);
    AvvioComune();
}

void frmClavora::Reset()
{
    const bool prossimaLezione = pratica.Reset();
    lblMenu[2]->setEnabled(true);
    lblMenu[8]->setEnabled(true);
    picKeyword->setTastoAbilitato(tastiera::TastoMenu, true);
    lblSmile->clear();
    lblSmile->setAccessibleName({});
    lblSmile->setAutoFillBackground(false);
    lblFraseCorr->clear();
    lblFraseCorr->setFont(FontTesto(fontFrase));
    txtInput->setFont(FontTesto(fontFrase));
    picMessaggio->hide();
    txtInput->setReadOnly(true);
    txtInput->clear();
    picKeyword->NascondiErroreTasto();
    if (picKeyword->evidenziaAttivo())
        picKeyword->NascondiEvidenziatori();
    AzzeraMarcatoriLivello();
    AzzeraMedie();
    MostraContatori();
    lblNumeroFrase->clear();
    picMax->hide();
    imgMedia[0]->hide();
    imgMedia[1]->hide();
    setWindowTitle("Tastavia");
    if (pratica.modoCorso() && prossimaLezione) {
        // After a finished run the course goes on with the next lesson, and
        // with the first one after the last.
        picMenu->show();
        if (prossimaLezione && cboListFile->count() > 0)
            cboListFile->setCurrentIndex((cboListFile->currentIndex() + 1) % cboListFile->count());
        pratica.ScegliFile(SceltaCorrente().voce);
        pratica.setStartAbilitato(true);
        FlashBotton();
        picNotebook->setFocus();
    } else {
        if (fontiDisponibili)
            picMenu->show();
        picLevel->show();
        // Back from the information window with the course chosen, the
        // welcome and the mode panel come back too; Enter takes the lesson
        // the list shows.
        optMenu[4]->setEnabled(false);
        SalutoIniziale();
        optMenu[4]->setEnabled(true);
    }
}

// The three level markers back to their quiet colours.
void frmClavora::AzzeraMarcatoriLivello()
{
    const QColor spento[3] = {QColor(0, 192, 0), QColor(192, 192, 0), QColor(192, 64, 0)};
    for (int i = 0; i < 3; ++i)
        ImpostaColori(lblMediaLevel[size_t(i + 3)], spento[i]);
}

void frmClavora::AzzeraMedie()
{
    for (int i = 0; i < 3; ++i)
        lblMediaLevel[size_t(i)]->clear();
}

void frmClavora::AvvioFrase(const Pratica::EsitoAvvio &esito)
{
    const int livello = s.livelloCorrente;
    if (pratica.numeroFrase() == 1)
        AzzeraMedie();   // a new run
    AzzeraMarcatoriLivello();
    const QColor vivo[3] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
    ImpostaColori(lblMediaLevel[size_t(2 + livello)], vivo[livello - 1]);
    imgGradiente->setPixmap(ImmaginePng(QString(":/images/practice/bmp%1.png").arg(300 + livello)));
    lblNumeroFrase->setText(QString::number(esito.numeroInLivello));
    setWindowTitle(esito.titolo);

    lblFraseCorr->setFont(FontTesto(fontFrase));
    lblFraseCorr->setGeometry(5, 0, picDisplay->width() - 10, 60);
    lblFraseCorr->setWordWrap(false);   // the model line is cut to fit, never wrapped
    lblFraseCorr->setText(pratica.rigaCorrente());
    txtInput->setFont(FontTesto(fontFrase));
    shpProgressTime->hide();
    MostraContatori();
    if (esito.nuovoLivello)
        DisegnaRecord(pratica.larghezzaRecord(), livello);
}

void frmClavora::AvvioFileTesto(const Pratica::EsitoAvvio &esito)
{
    lblFraseCorr->setFont(FontTesto(fontTesto));
    lblFraseCorr->setGeometry(5, 50, picDisplay->width() * 2, 60);
    lblFraseCorr->setWordWrap(false);
    lblFraseCorr->ScorriA(pratica.rigaCorrente(), 0, 70);
    txtInput->setFont(FontTesto(fontTesto));
    MostraContatori();
    lblNumeroFrase->clear();
    setWindowTitle(esito.titolo);
    shpProgressTime->show();
}

void frmClavora::AvvioComune()
{
    shpIndex->setGeometry(lblFraseCorr->x(), lblFraseCorr->y(), 0,
                          QFontMetrics(lblFraseCorr->font()).height());
    picKeyword->setTastoAbilitato(tastiera::TastoMenu, false);   // no 2D/3D switch while typing
    lblFraseCorr->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picMessaggio->hide();
    txtInput->setReadOnly(false);
    txtInput->clear();
    txtInput->setFocus();
    imgGradiente->resize(pratica.larghezzaAttuale(), imgGradiente->height());
    AggiornaTastiera();
    MostraTastoAtteso();
}

// Highlights the key of the expected character and moves the progress marker
// behind the typed part of the model line.
void frmClavora::MostraTastoAtteso()
{
    const QString &carattere = pratica.carattereAtteso();
    const int pos = pratica.posizioneAtteso();
    const bool trovato = picKeyword->EvidenziaTasto(carattere, s.modoFileTesto);
    txtInput->setAccessibleDescription(testi.controlli.DescrizioneProssimo(carattere));
    // A character without a key: the menu label that types it for the learner.
    if (!trovato && !s.modoFileTesto) {
        lblMenu[7]->show();
        shpMenu[7]->show();
        lblMenu[7]->raise();
    }
    if (pos <= 1)
        return;
    const QFontMetrics fm(lblFraseCorr->font());
    if (s.modoFileTesto) {
        // The input line does not hold the key being taken yet: hence the + 1.
        shpIndex->resize(lblFraseCorr->LarghezzaFino(txtInput->text().size() + 1), shpIndex->height());
    } else {
        const QChar precedente = pratica.rigaCorrente().at(pos - 2);
        if (precedente != '\r' && precedente != '\n')
            shpIndex->resize(shpIndex->width() + fm.horizontalAdvance(precedente), shpIndex->height());
    }
}

void frmClavora::MostraContatori()
{
    if (s.modoFileTesto) {
        lblNumBatt[0]->setText(QString::number(s.totaleBattute));
        lblNumBatt[1]->setText(QString::number(s.totaleErrori));
    } else {
        lblNumBatt[0]->setText(QString::number(pratica.battuteFrase()) + separatore +
                               QString::number(s.totaleBattute));
        lblNumBatt[1]->setText(QString::number(pratica.erroriFrase()) + separatore +
                               QString::number(s.totaleErrori));
    }
}

void frmClavora::txtInput_KeyPress(int &k)
{
    if (!pratica.rigaCompletata())
        txtInput->end(false);
    const int digitato = k;
    const Pratica::EsitoTasto e = pratica.GiudicaTasto(k);
    k = e.codice;
    if (e.segnalaErrore)
        SegnalaErrore(digitato, e.soloMaiuscole);
    if (e.erroreContato) {
        MostraContatori();
        FaccinaErrori();
    }
    if (!e.preso)
        return;

    if (s.modoFileTesto) {
        // The input line shows the last 29 characters typed, the model line the
        // text from the first of them.
        if (txtInput->text().size() > 28) {
            txtInput->setText(txtInput->text().mid(1, 28));
            txtInput->end(false);
        }
        lblFraseCorr->ScorriA(pratica.rigaCorrente(), pratica.inizioTestoMostrato(), 100);
    } else if (e.secondaRiga) {
        shpIndex->setGeometry(lblFraseCorr->x(),
                              lblFraseCorr->y() + QFontMetrics(lblFraseCorr->font()).height() - 1,
                              0, shpIndex->height());
    }
    MostraContatori();
    if (e.primoTasto) {
        if (!s.modoFileTesto) {
            picMax->show();
            imgMedia[0]->show();
            imgMedia[1]->show();
        }
        lblMenu[2]->setEnabled(false);
        lblMenu[8]->setEnabled(false);
    }
    if (e.avanzato)
        MostraTastoAtteso();
    FaccinaErrori();
    if (e.fineRiga) {
        if (picKeyword->evidenziaAttivo())
            picKeyword->NascondiEvidenziatori();
        FineRigaFinestra();
    }
}

void frmClavora::FineRigaFinestra()
{
    shpIndex->resize(0, shpIndex->height());
    // The last key was held back from the input line: it is added here.
    if (pratica.carattereAtteso() != "\r")
        txtInput->setText(txtInput->text() + pratica.carattereAtteso());
    pratica.setStartAbilitato(true);
    picKeyword->NascondiErroreTasto();
    picKeyword->RipristinaTastiera();
    shpProgressTime->hide();
    const Pratica::EsitoFineRiga f = pratica.FineRiga();
    if (f.fileTesto) {
        s.AttendiSecondi(1, true);
        if (!chiusa)
            ShowWithBackdrop(3);
    } else {
        MostraFineRiga(f);
    }
    if (chiusa)
        return;
    lblFraseCorr->repaint();
    QApplication::processEvents();
    s.AttendiSecondi(1, true);
    if (chiusa)
        return;
    switch (pratica.DopoFineRiga()) {
    case Pratica::Seguito::Lampeggia:
        FlashBotton();
        break;
    case Pratica::Seguito::Chiudi:
        lblMenu_Click(0);
        break;
    case Pratica::Seguito::Ricomincia:
        ComandoRicomincia();
        break;
    }
    pratica.ChiusuraTerminata();
}

void frmClavora::MostraFineRiga(const Pratica::EsitoFineRiga &f)
{
    if (f.restringiBarra)
        DisegnaRecord(pratica.larghezzaRecord(), 0);
    if (f.mediaLivello && s.livelloCorrente >= 1 && s.livelloCorrente <= 3)
        lblMediaLevel[size_t(s.livelloCorrente - 1)]->setText(QString::number(*f.mediaLivello));
    lblMessaggio->setText(f.messaggio);
    imgIconaPunteggio->setPixmap(ImmaginePng(QString(":/images/practice/icon%1.png").arg(f.icona)));
    picMessaggio->show();
    QApplication::processEvents();
}

void frmClavora::txtInput_KeyDown(int tasto, bool &annulla)
{
    if (tasto == Qt::Key_Left || tasto == Qt::Key_Right || tasto == Qt::Key_Up ||
        tasto == Qt::Key_Down) {
        annulla = true;
    } else if (tasto == Qt::Key_Pause && pratica.cronometroAttivo()) {
        annulla = true;
        PausaEsercizio();
    }
}

void frmClavora::SegnalaErrore(int k, bool soloMaiuscole)
{
    if (!s.modoEsperto && picKeyword->evidenziaAttivo()) {
        if (soloMaiuscole) {
            picKeyword->NascondiErroreTasto();
            return;
        }
        const int tasto = k >= 0 && k < 256 ? picKeyword->indiceTastoPerCodice(uint8_t(k)) : -1;
        if (tasto >= 0)
            picKeyword->MostraErroreTasto(tasto);
    }
    for (const QColor &c : {coloreLampo, coloreInput, coloreLampo, coloreInput}) {
        ImpostaColori(txtInput, c);
        if (s.pausa)
            s.pausa(5);
        txtInput->repaint();
    }
}

void frmClavora::FaccinaErrori()
{
    const int fascia = pratica.fasciaErrori();
    if (fascia < 0)
        return;
    // From the best ratio to the worst; the letter names the band.
    static const struct { const char *simbolo; const char *lettera; QColor colore; } fasce[4] = {
        {"★", "B", QColor(0, 255, 255)}, {"☺", "A", QColor(0, 255, 0)},
        {"☹", "C", QColor(255, 255, 192)}, {"✖", "D", QColor(255, 128, 128)}};
    lblSmile->setText(QString::fromUtf8(fasce[fascia].simbolo));
    lblSmile->setAccessibleName(fasce[fascia].lettera);
    ImpostaColori(lblSmile, fasce[fascia].colore);
}

void frmClavora::Timer1_Timer()
{
    const Pratica::EsitoOrologio o = pratica.Timer1_Timer();
    lblTime->setText(o.tempo);
    QWidget *barra = s.modoFileTesto ? static_cast<QWidget *>(shpProgressTime) : imgGradiente;
    barra->resize(o.larghezza, barra->height());
}

void frmClavora::FlashBotton()
{
    pratica.setFermaLampeggio(false);
    picKeyword->setGrassetto(tastiera::TastoInvioAlto, true);
    picKeyword->DisegnaTasto(tastiera::TastoInvioBasso, 0);
    picKeyword->DisegnaTasto(tastiera::TastoInvioAlto, 0);
    Timer2->start();
}

void frmClavora::Timer2_Timer()
{
    if (pratica.fermaLampeggio()) {
        Timer2->stop();
        picKeyword->setGrassetto(tastiera::TastoInvioAlto, false);
        picKeyword->setColoreTesto(tastiera::TastoInvioAlto, Qt::black);
        imgPremi->hide();
        return;
    }
    // The picture blinks by its content: showing and hiding the label would
    // make Qt ask the display server where the pointer is, twice a blink.
    if (premiAcceso_.isNull()) {
        premiAcceso_ = imgPremi->pixmap();
        premiSpento_ = QPixmap(premiAcceso_.size());
        premiSpento_.fill(Qt::transparent);
    }
    if (!imgPremi->isVisible()) {
        imgPremi->setPixmap(premiAcceso_);
        imgPremi->show();
    } else {
        imgPremi->setPixmap(imgPremi->pixmap().cacheKey() == premiAcceso_.cacheKey() ? premiSpento_ : premiAcceso_);
    }
    // The learner went to another program: the pop-up, above every window, goes.
    if (!QApplication::activeWindow())
        NascondiPopup();
}

void frmClavora::PausaEsercizio()
{
    const QString testoBox = pratica.InizioPausa();
    s.servizi.dialogs->message(this, "Tastavia", testoBox, platform::Dialogs::Information,
                               platform::Dialogs::Ok);
    pratica.FinePausa();
    Attivati();
}

void frmClavora::ImpostaModo(int indice)
{
    pratica.ImpostaModo(indice);
    ImpostaColori(shpIndex, s.modoEsperto ? QColor(255, 0, 0) : QColor(0, 0, 255));
    const int migliore = s.modoEsperto ? 429 : 424;
    const int peggiore = s.modoEsperto ? 425 : 420;
    imgMedia[0]->setPixmap(ImmaginePng(QString(":/images/practice/icon%1.png").arg(migliore)));
    imgMedia[1]->setPixmap(ImmaginePng(QString(":/images/practice/icon%1.png").arg(peggiore)));
}

void frmClavora::ComandoRicomincia()
{
    if (!pratica.rigaComando().isEmpty()) {
        s.servizi.dialogs->message(this, "Tastavia", testi.messaggio(4),
                                   platform::Dialogs::Information, platform::Dialogs::Ok);
        Attivati();
        return;
    }
    if (pratica.cronometroAttivo()) {
        pratica.AttivaCronometro(false);
        cronometroFermatoQui_ = true;
    }
    const auto r = s.servizi.dialogs->message(this, "Tastavia", testi.messaggio(5),
                                              platform::Dialogs::Question,
                                              platform::Dialogs::YesNo);
    Attivati();
    if (r != platform::Dialogs::AnsYes) {
        if (s.modoFileTesto)
            Chiudi();
        else if (cronometroFermatoQui_)
            pratica.AttivaCronometro(true);
        cronometroFermatoQui_ = false;
        return;
    }
    cronometroFermatoQui_ = false;
    lblMenu[2]->setEnabled(true);
    lblMenu[8]->setEnabled(true);
    pratica.AttivaCronometro(false);
    optMenu[0]->setChecked(true);
    optMenu_Click(0);
    pratica.setModoCorso(false);
    pratica.RichiediRiavvio();
    picDisplay->setFocus();
    ShowWithBackdrop(1);
    cmdStart_Click();
}

void frmClavora::DisegnaRecord(int larghezza, int livello)
{
    picMax->resize(qMax(0, larghezza), picMax->height());
    if (livello == 0 || larghezza <= 0)
        return;
    QPixmap barra(larghezza + (livello == 3 ? 5 : 0), picMax->height());
    barra.fill(Qt::transparent);
    QPainter p(&barra);
    for (int y = 0; y < barra.height(); ++y) {
        p.setPen(ColoreQt(ColoreRigaRecord(livello, y)));
        p.drawLine(0, y, barra.width(), y);
    }
    p.end();
    picMax->setPixmap(barra);
}
