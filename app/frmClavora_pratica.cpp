// The practice engine of the main window: starting a line, judging every
// keystroke, the clock and gauge, the end of a line and the restart.

#include "app/LineaInput.h"
#include "app/Punteggio.h"
#include "app/frmClavora.h"
#include "keyboard/TastieraVirtuale.h"
#include "platform/Testo.h"
#include "ui/Caratteri.h"
#include "ui/frmShadow.h"
#include "ui/modGradient.h"
#include "ui/Immagini.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
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
    // 2-3: everything back to the start of a line.
    lblMenu[2]->setEnabled(false);
    fermaLampeggio = true;
    picKeyword->RipristinaTastiera();
    lblTime->setText("00:00");
    shpProgressTime->resize(0, shpProgressTime->height());
    shpProgressTime->hide();
    shpIndex->resize(0, shpIndex->height());
    s.modoFileTesto = esercizi.fileDaComando;
    s.tempoEsercizio = QTime(0, 0, 0);
    QApplication::processEvents();
    picLevel->hide();
    picMenu->hide();

    // 4-5: the file of the list, then the next line.
    if (!optMenu[0]->isChecked() && cboListFile->currentIndex() >= 0 && rigaComando.isEmpty()) {
        QString voce = cboListFile->currentText();
        esercizi.ScegliFile(voce, modoCorso);
    }
    ProssimaFrase();
    if (chiusa)
        return;
    if (richiestaRiavvio) {
        Reset();
        return;
    }
    if (s.modoFileTesto)
        AvvioFileTesto();
    else
        AvvioFrase();
    AvvioComune();
}

void frmClavora::Reset()
{
    lblMenu[2]->setEnabled(true);
    picKeyword->setTastoAbilitato(tastiera::TastoMenu, true);
    lblSmile->clear();
    lblSmile->setAccessibleName({});
    lblSmile->setAutoFillBackground(false);
    richiestaRiavvio = false;
    s.fileEsercizio.clear();
    lblFraseCorr->clear();
    lblFraseCorr->setFont(FontTesto(fontFrase));
    txtInput->setFont(FontTesto(fontFrase));
    picMessaggio->hide();
    txtInput->setReadOnly(true);
    txtInput->clear();
    rigaCompletata = false;
    picKeyword->NascondiErroreTasto();
    if (picKeyword->evidenziaAttivo())
        picKeyword->NascondiEvidenziatori();
    AzzeraMarcatoriLivello();
    AzzeraMedie();
    lblNumBatt[0]->setText("0" + separatore + "0");
    lblNumBatt[1]->setText("0" + separatore + "0");
    battuteFrase = erroriFrase = 0;
    lblNumeroFrase->clear();
    carattereAtteso.clear();
    picMax->hide();
    imgMedia[0]->hide();
    imgMedia[1]->hide();
    setWindowTitle("Tastavia");
    posizione = 0;
    s.totaleErrori = s.totaleBattute = 0;
    esercizi.AzzeraGiro();
    if (modoCorso) {
        // The course goes on with the lesson after the one just finished.
        picMenu->show();
        if (cboListFile->currentIndex() + 1 < cboListFile->count())
            cboListFile->setCurrentIndex(cboListFile->currentIndex() + 1);
        QString voce = cboListFile->currentText();
        esercizi.ScegliFile(voce, modoCorso);
        cmdStart->setEnabled(true);
        FlashBotton();
        picNotebook->setFocus();
    } else {
        if (fontiDisponibili)
            picMenu->show();
        picLevel->show();
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

// A new run: no speeds, no level averages, no running sum.
void frmClavora::AzzeraMedie()
{
    for (int i = 0; i < 3; ++i)
        lblMediaLevel[size_t(i)]->clear();
    s.velocitaFrase.fill(0);
    sommaPunti = 0;
}

void frmClavora::AvvioFrase()
{
    lblFraseCorr->setFont(FontTesto(fontFrase));
    lblFraseCorr->setGeometry(5, 0, picDisplay->width() - 10, 60);
    lblFraseCorr->setWordWrap(false);   // the model line is cut to fit, never wrapped
    lblFraseCorr->setText(esercizi.rigaCorrente);
    txtInput->setFont(FontTesto(fontFrase));
    shpProgressTime->hide();
    lblNumBatt[0]->setText("0" + separatore + QString::number(s.totaleBattute));
    lblNumBatt[1]->setText("0" + separatore + QString::number(s.totaleErrori));
    const int n = esercizi.numeroFrase;
    if (n == 1 || n == 6 || n == 11) {
        DisegnaRecord(larghezzaIndicatore, s.livelloCorrente);
        primaFrase = true;
    }
}

void frmClavora::AvvioFileTesto()
{
    lblFraseCorr->setFont(FontTesto(fontTesto));
    lblFraseCorr->setGeometry(5, 50, picDisplay->width() * 2, 60);
    lblFraseCorr->setWordWrap(false);
    lblFraseCorr->setText(esercizi.rigaCorrente.left(70));
    txtInput->setFont(FontTesto(fontTesto));
    lblNumBatt[0]->setText("0");
    lblNumBatt[1]->setText("0");
    lblNumeroFrase->clear();
    primaFrase = true;
    s.livelloCorrente = 3;
    s.numParole = 0;
    setWindowTitle("Tastavia  - File: " + modClavora::NomeFile(s.fileEsercizio));
    const qsizetype n = esercizi.rigaCorrente.size();
    passoProgresso = n > 0 ? float(lblNumBatt[0]->width() * 2) / float(n) : 0.f;
    shpProgressTime->show();
}

void frmClavora::AvvioComune()
{
    shpIndex->setGeometry(lblFraseCorr->x(), lblFraseCorr->y(), 0,
                          QFontMetrics(lblFraseCorr->font()).height());
    picKeyword->setTastoAbilitato(tastiera::TastoMenu, false);   // no 2D/3D switch while typing
    lblFraseCorr->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picMessaggio->hide();
    rigaCompletata = false;
    if (s.TastoAttivo(20))
        s.SpegniBloccoMaiuscole();
    txtInput->setReadOnly(false);
    txtInput->clear();
    txtInput->setFocus();
    ImpostaLarghezzaIndicatore(0);
    cmdStart->setEnabled(false);
    battuteFrase = erroriFrase = 0;
    s.Suona(104);
    AvanzaCarattere(true);
}

void frmClavora::AvanzaCarattere(bool riavvia)
{
    if (riavvia)
        posizione = 0;
    const QString &riga = esercizi.rigaCorrente;
    if (posizione == 1) {
        AttivaCronometro(true);
        inizioRiga = s.servizi.clock->now();
        if (!s.modoFileTesto) {
            picMax->show();
            imgMedia[0]->show();
            imgMedia[1]->show();
        }
        lblMenu[2]->setEnabled(false);
    }
    if (posizione >= riga.size()) {
        rigaCompletata = true;
        if (picKeyword->evidenziaAttivo())
            picKeyword->NascondiEvidenziatori();
        return;
    }
    ++posizione;
    QChar c = riga.at(posizione - 1);
    if (s.modoFileTesto) {
        if (c == QChar(0x2019))
            c = '\'';
        else if (c == QChar(0x201C) || c == QChar(0x201D))
            c = '"';
        else if (c == ' ' && s.numParole < INT32_MAX)
            ++s.numParole;
    }
    carattereAtteso = QString(c);
    EvidenziaTasto(carattereAtteso, posizione);
    // The LF after a CR is never expected.
    if (c == '\r' && posizione < riga.size() && riga.at(posizione) == '\n')
        ++posizione;
}

void frmClavora::EvidenziaTasto(const QString &carattere, int pos)
{
    const bool trovato = picKeyword->EvidenziaTasto(carattere, s.modoFileTesto);
    // A character without a key: the menu label that types it for the learner.
    if (!trovato && !s.modoFileTesto) {
        lblMenu[7]->show();
        shpMenu[7]->show();
        lblMenu[7]->raise();
    }
    // The progress marker behind the typed part of the model line.
    if (pos > 1) {
        const QFontMetrics fm(lblFraseCorr->font());
        if (s.modoFileTesto) {
            const QString mostrato = lblFraseCorr->text();
            shpIndex->resize(fm.horizontalAdvance(mostrato.left(txtInput->text().size() + 1)),
                             shpIndex->height());
        } else {
            const QChar precedente = esercizi.rigaCorrente.at(pos - 2);
            if (precedente != '\r' && precedente != '\n')
                shpIndex->resize(shpIndex->width() + fm.horizontalAdvance(precedente),
                                 shpIndex->height());
        }
    }
}

void frmClavora::txtInput_KeyPress(int &k)
{
    if (rigaCompletata || chiusuraInCorso) {
        k = 0;
        return;
    }
    txtInput->end(false);
    if (carattereAtteso.isEmpty() || k == 27)
        return;
    // A character outside the code page (-1) matches no key.
    const int atteso = testo::codiceAnsi(carattereAtteso.at(0));
    if (s.modoFileTesto) {
        if (k == 13 || k == 8) {
            k = 0;
            return;
        }
        if (k == atteso) {
            s.Suona(107);
        } else {
            incrementa(s.totaleErrori);
            lblNumBatt[1]->setText(QString::number(s.totaleErrori));
            s.Suona(101);
        }
    } else {
        if (k == atteso) {
            s.Suona(107);
        } else {
            if (k != 13 || Timer1->isActive()) {
                s.Suona(101);
                SegnalaErrore(k);
            }
            k = 0;
            if (!rigaCompletata && Timer1->isActive()) {
                incrementa(erroriFrase);
                incrementa(s.totaleErrori);
                lblNumBatt[1]->setText(QString::number(erroriFrase) + separatore +
                                       QString::number(s.totaleErrori));
                FaccinaErrori();
            }
            if (s.TastoAttivo(20))
                s.SpegniBloccoMaiuscole();
            return;
        }
    }

    // The key is taken.
    if (s.modoFileTesto) {
        if (txtInput->text().size() > 28) {
            txtInput->setText(txtInput->text().mid(1, 28));
            txtInput->end(false);
        }
        lblFraseCorr->setText(esercizi.rigaCorrente.mid(qMax(0, battuteFrase - 27), 100));
    } else if (k == 13) {
        // The second line of a two-line sentence.
        shpIndex->setGeometry(lblFraseCorr->x(),
                              lblFraseCorr->y() + QFontMetrics(lblFraseCorr->font()).height() - 1,
                              0, shpIndex->height());
    }
    incrementa(battuteFrase);
    incrementa(s.totaleBattute);
    lblNumBatt[0]->setText(s.modoFileTesto ? QString::number(s.totaleBattute)
                                           : QString::number(battuteFrase) + separatore +
                                                 QString::number(s.totaleBattute));
    AvanzaCarattere();
    FaccinaErrori();

    if (!rigaCompletata)
        return;
    // The end of the line.
    chiusuraInCorso = true;
    k = 0;
    shpIndex->resize(0, shpIndex->height());
    if (carattereAtteso != "\r")
        txtInput->setText(txtInput->text() + carattereAtteso);
    cmdStart->setEnabled(true);
    picKeyword->NascondiErroreTasto();
    picKeyword->RipristinaTastiera();
    shpProgressTime->hide();
    FineRiga();
    if (chiusa)
        return;
    lblFraseCorr->repaint();
    QApplication::processEvents();
    s.AttendiSecondi(1, true);
    if (chiusa)
        return;
    if (!s.modoFileTesto)
        FlashBotton();
    else if (esercizi.fileDaComando)
        lblMenu_Click(0);
    else
        ComandoRicomincia();
    chiusuraInCorso = false;
}

void frmClavora::txtInput_KeyDown(int tasto, bool &annulla)
{
    if (tasto == Qt::Key_Left || tasto == Qt::Key_Right || tasto == Qt::Key_Up ||
        tasto == Qt::Key_Down) {
        annulla = true;
    } else if (tasto == Qt::Key_Pause && Timer1->isActive()) {
        annulla = true;
        PausaEsercizio();
    }
}

void frmClavora::SegnalaErrore(int k)
{
    if (!s.modoEsperto && picKeyword->evidenziaAttivo()) {
        const QString digitato(testo::daCodiceAnsi(k));
        if (digitato.toUpper() == carattereAtteso.toUpper()) {
            picKeyword->NascondiErroreTasto();
            return;
        }
        const int tasto = picKeyword->indiceTastoPerCodice(uint8_t(k));
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
    if (s.totaleBattute <= 0)
        return;
    const double r = double(s.totaleErrori) / double(s.totaleBattute) * 100.0;
    const double soglie[2][3] = {{2, 3, 4}, {0.5, 0.75, 1}};
    const auto &t = soglie[s.modoEsperto ? 1 : 0];
    // From the best ratio to the worst; the letter names the band.
    struct { const char *simbolo; const char *lettera; QColor colore; } fasce[4] = {
        {"★", "B", QColor(0, 255, 255)}, {"☺", "A", QColor(0, 255, 0)},
        {"☹", "C", QColor(255, 255, 192)}, {"✖", "D", QColor(255, 128, 128)}};
    const int i = r <= t[0] ? 0 : r <= t[1] ? 1 : r <= t[2] ? 2 : 3;
    lblSmile->setText(QString::fromUtf8(fasce[i].simbolo));
    lblSmile->setAccessibleName(fasce[i].lettera);
    ImpostaColori(lblSmile, fasce[i].colore);
}

void frmClavora::AttivaCronometro(bool on)
{
    if (on)
        Timer1->start();
    else
        Timer1->stop();
    lblTime->setAutoFillBackground(on);
}

void frmClavora::ImpostaLarghezzaIndicatore(int larghezza)
{
    larghezzaAttuale = larghezza;
    imgGradiente->resize(larghezza, imgGradiente->height());
}

void frmClavora::Timer1_Timer()
{
    const qint64 e = qMax<qint64>(0, inizioRiga.secsTo(s.servizi.clock->now()));
    lblTime->setText(testo::dueCifre(int(e / 60 % 60)) + ":" + testo::dueCifre(int(e % 60)));
    if (s.modoFileTesto) {
        shpProgressTime->resize(int(s.totaleBattute * passoProgresso), shpProgressTime->height());
        return;
    }
    const float t = posizione > 1 ? float(e) / float(posizione - 1) : 0.f;
    const int f = int(testo::arrotonda(double(larghezzaIndicatore) / (double(s.tempoObiettivo) * 10.0)));
    const long long w = testo::arrotonda(double(f) * double(t));
    ImpostaLarghezzaIndicatore(int(qMin<long long>(w, larghezzaIndicatore)));
}

void frmClavora::FlashBotton()
{
    fermaLampeggio = false;
    picKeyword->setGrassetto(tastiera::TastoInvioAlto, true);
    picKeyword->DisegnaTasto(tastiera::TastoInvioBasso, 0);
    picKeyword->DisegnaTasto(tastiera::TastoInvioAlto, 0);
    Timer2->start();
}

void frmClavora::Timer2_Timer()
{
    if (fermaLampeggio) {
        Timer2->stop();
        picKeyword->setGrassetto(tastiera::TastoInvioAlto, false);
        picKeyword->setColoreTesto(tastiera::TastoInvioAlto, Qt::black);
        imgPremi->hide();
        return;
    }
    imgPremi->setVisible(!imgPremi->isVisible());
}

void frmClavora::PausaEsercizio()
{
    const QDateTime p = s.servizi.clock->now();
    AttivaCronometro(false);
    QString testoBox;
    if (s.modoFileTesto) {
        const qint64 m = testo::arrotonda(double(QFileInfo(s.fileEsercizio).size() - s.totaleBattute) / 260.0);
        testoBox = testiMessaggi.value(39) + " " + (m < 1 ? QString("< 1") : QString::number(m)) +
                   " " + testiMessaggi.value(36) + "\r\n" + testiMessaggi.value(38);
    } else {
        testoBox = testiMessaggi.value(38);
    }
    s.servizi.dialogs->message(this, "Tastavia", testoBox, platform::Dialogs::Information,
                               platform::Dialogs::Ok);
    inizioRiga = inizioRiga.addSecs(p.secsTo(s.servizi.clock->now()));
    AttivaCronometro(true);
}

void frmClavora::ImpostaModo(int indice)
{
    s.indiceModo = indice;
    s.modoEsperto = indice != 0;
    s.nomeModo = testiMessaggi.value(s.modoEsperto ? 30 : 29);
    ImpostaColori(shpIndex, s.modoEsperto ? QColor(255, 0, 0) : QColor(0, 0, 255));
    s.tempoObiettivo = s.modoEsperto ? 0.2f : 0.4f;
    const int migliore = s.modoEsperto ? 429 : 424;
    const int peggiore = s.modoEsperto ? 425 : 420;
    imgMedia[0]->setPixmap(ImmaginePng(QString(":/images/practice/icon%1.png").arg(migliore)));
    imgMedia[1]->setPixmap(ImmaginePng(QString(":/images/practice/icon%1.png").arg(peggiore)));
}

void frmClavora::ComandoRicomincia()
{
    if (!rigaComando.isEmpty()) {
        s.servizi.dialogs->message(this, "Tastavia", testiMessaggi.value(4),
                                   platform::Dialogs::Information, platform::Dialogs::Ok);
        return;
    }
    if (Timer1->isActive()) {
        Timer1->stop();
        cronometroFermatoQui_ = true;
    }
    const auto r = s.servizi.dialogs->message(this, "Tastavia", testiMessaggi.value(5),
                                              platform::Dialogs::Question,
                                              platform::Dialogs::YesNo);
    if (r != platform::Dialogs::AnsYes) {
        if (s.modoFileTesto)
            Chiudi();
        else if (cronometroFermatoQui_)
            Timer1->start();
        cronometroFermatoQui_ = false;
        return;
    }
    cronometroFermatoQui_ = false;
    lblMenu[2]->setEnabled(true);
    AttivaCronometro(false);
    optMenu[0]->setChecked(true);
    optMenu_Click(0);
    modoCorso = false;
    richiestaRiavvio = true;
    picDisplay->setFocus();
    ShowWithBackdrop(1);
    cmdStart_Click();
}

void frmClavora::ProssimaFrase()
{
    if (s.modoFileTesto) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool letto = esercizi.CaricaFileTesto();
        QApplication::restoreOverrideCursor();
        if (!letto) {
            s.servizi.dialogs->message(this, "Tastavia",
                                       testiMessaggi.value(37) + "\r\n" + s.fileEsercizio,
                                       platform::Dialogs::Critical, platform::Dialogs::Ok);
            s.fileEsercizio.clear();
            s.modoFileTesto = false;
            esercizi.fileDaComando = false;
            richiestaRiavvio = true;
        }
        return;
    }
    fermaLampeggio = true;
    ++esercizi.numeroFrase;
    lblMenu[7]->hide();
    shpMenu[7]->hide();
    QApplication::processEvents();

    int &n = esercizi.numeroFrase;
    if (n == 6 || n == 11) {
        s.tipoFineLivello = 1;
        s.sceltaRisultati = ShowWithBackdrop(2);
        if (s.sceltaRisultati != 0) {
            Chiudi();
            return;
        }
    } else if (n >= 16) {
        s.tipoFineLivello = 2;
        s.sceltaRisultati = ShowWithBackdrop(2);
        QApplication::processEvents();
        update();
        if (s.sceltaRisultati != 0) {
            if (modoCorso)
                SalvaSegnalibro();
            Chiudi();
            return;
        }
        n = 1;
        s.livelloCorrente = 1;
        s.totaleErrori = s.totaleBattute = 0;
        esercizi.frasiUsate.fill(0);
        AzzeraMedie();
        if (modoCorso)
            SalvaSegnalibro();
        if (!rigaComando.isEmpty() || cboListFile->count() == 0) {
            // A new run starts at once.
        } else {
            richiestaRiavvio = true;
            n = 0;
            return;
        }
    }

    QString sorgente = s.fileEsercizio.isEmpty() ? testiMessaggi.value(0)
                                                 : " - " + modClavora::NomeFile(s.fileEsercizio);
    sorgente = sorgente.left(30);
    AzzeraMarcatoriLivello();
    s.livelloCorrente = Esercizi::LivelloDiFrase(n);
    const int inLivello = n - 5 * (s.livelloCorrente - 1);
    const QColor vivo[3] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
    ImpostaColori(lblMediaLevel[size_t(2 + s.livelloCorrente)], vivo[s.livelloCorrente - 1]);
    imgGradiente->setPixmap(
        ImmaginePng(QString(":/images/practice/bmp%1.png").arg(300 + s.livelloCorrente)));
    lblNumeroFrase->setText(QString::number(inLivello));
    setWindowTitle("Tastavia " + sorgente + " " + testiMessaggi.value(s.livelloCorrente) + " " +
                   QString::number(inLivello));

    const int d = esercizi.EstraiFrase(*s.servizi.random, s.servizi.clock->now());
    esercizi.rigaCorrente = esercizi.RigaPerFrase(d);
}

void frmClavora::FineRiga()
{
    AttivaCronometro(false);
    const QDateTime adesso = s.servizi.clock->now();
    const int secondi = SecondiRiga(inizioRiga, adesso);
    float v = VelocitaRiga(int(esercizi.rigaCorrente.size()), secondi);

    if (s.modoFileTesto) {
        s.tempoEsercizio = QTime(0, 0).addSecs(secondi);
        s.AttendiSecondi(1, true);
        ShowWithBackdrop(3);
        return;
    }
    if (v == 0)
        v = 5;
    const EsitoRecord record = ValutaRecord(picMax->width(), larghezzaAttuale, primaFrase);
    if (record.restringiBarra)
        DisegnaRecord(larghezzaAttuale, 0);
    s.Suona(record.suono);
    const int n = esercizi.numeroFrase;
    if (n >= 1 && n <= 15)
        s.velocitaFrase[size_t(n)] = v;
    const int punteggio = PunteggioFrase(v, s.tempoObiettivo);
    const auto media = MediaDopoFrase(sommaPunti, n, s.livelloCorrente, punteggio,
                                      s.velocitaFrase, s.tempoObiettivo);
    if (media && s.livelloCorrente >= 1 && s.livelloCorrente <= 3)
        lblMediaLevel[size_t(s.livelloCorrente - 1)]->setText(QString::number(*media));

    TestiFineRiga testi;
    testi.testo6 = testiMessaggi.value(6);
    testi.testo7 = testiMessaggi.value(7);
    testi.testo8 = testiMessaggi.value(8);
    testi.testo9 = testiMessaggi.value(9);
    testi.testo10 = testiMessaggi.value(10);
    testi.testo33 = testiMessaggi.value(33);
    testi.lodiNormali = lodiNormali;
    testi.lodiRecord = lodiRecord;
    testi.unitaVelocita = s.unitaVelocita;
    const int indice = NumeroCasuale(*s.servizi.random, *s.servizi.clock, 1, 7) - 1;
    lblMessaggio->setText(ComponiMessaggio(testi, punteggio, v, record.record, indice));
    const int icona = 420 + FasciaPunteggio(punteggio, s.indiceModo);
    imgIconaPunteggio->setPixmap(ImmaginePng(QString(":/images/practice/icon%1.png").arg(icona)));
    picMessaggio->show();
    QApplication::processEvents();
    primaFrase = false;
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

int frmClavora::ShowWithBackdrop(int selettore)
{
    s.dialogoDaMostrare = selettore;
    if (selettore == 2 || selettore == 3)
        s.Suona(106);
    const int r = backdrop_ ? backdrop_->ShowWithBackdrop(selettore) : 0;
    QApplication::processEvents();
    return r;
}
