#include "results/frmClassifica.h"

#include "settings/MotivoFile.h"

#include "practice/modClavora.h"
#include "results/PdfRisultati.h"
#include "ui/Accessibile.h"
#include "ui/Caratteri.h"
#include "ui/FinestraSecondaria.h"
#include "ui/GuardiaTasti.h"
#include "ui/Immagini.h"
#include "ui/SchemiColori.h"
#include "ui/modGradient.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

using namespace risultati;

namespace {

// The window's layout, in millimetres.
constexpr double larghezzaFinestra = 176;
constexpr double altezzaFinestra = 118;
constexpr double altezzaBarra = 7;
constexpr double altoTabelle[3] = {16, 50, 85};
constexpr double destraLivelli = 118;     // headings and their strips end here
constexpr double colonnaDestra = 124;     // message and buttons
constexpr double larghezzaColonna = 48;
constexpr int passoGriglia = 26;          // pixels between the grid lines

const QColor coloriIntestazioni[3] = {QColor(0xC0, 0xFF, 0xC0), QColor(0xFF, 0xFF, 0x80),
                                      QColor(0xFF, 0x80, 0x80)};

QPixmap Striscia(int livello)
{
    return ImmaginePng(QStringLiteral(":/images/practice/bmp%1.png").arg(301 + livello));
}

} // namespace

frmClassifica::frmClassifica(modClavora &stato, TestoLingua lingua, QWidget *parent)
    : QDialog(parent), stato_(stato), lingua_(std::move(lingua))
{
    setWindowTitle(QStringLiteral("Tastavia"));
    setModal(true);
    dpmm_ = logicalDpiX() / 25.4;
    CreaControlli();
    Form_Load();
    // Opened by the Enter that ended a level: the next keys of the learner's
    // rhythm must not answer it, and Enter is always "Continua".
    new GuardiaTasti(this, stato_.servizi.clock);
    cmdRisp[0]->setDefault(true);
    SoloPredefinitoSuInvio(this);
}

frmClassifica::~frmClassifica()
{
    if (!chiuso_)
        Form_Unload();
}

int frmClassifica::mm(double millimetri) const
{
    return int(std::lround(millimetri * dpmm_));
}

void frmClassifica::CreaControlli()
{
    setFixedSize(mm(larghezzaFinestra), mm(altezzaFinestra));

    picBar = new QLabel(this);
    picBar->setObjectName(QStringLiteral("picBar"));
    picBar->setGeometry(0, 0, width(), mm(altezzaBarra));
    picBar->setFont(FontTesto(10, true));
    picBar->setIndent(mm(3));

    for (size_t k = 0; k < 3; ++k) {
        const double alto = altoTabelle[k];
        imgGrad[k] = new QLabel(this);
        imgGrad[k]->setScaledContents(true);
        imgGrad[k]->setGeometry(mm(4), mm(alto - 6), mm(destraLivelli - 4), mm(5));
        lbllivelli[k] = new QLabel(this);
        lbllivelli[k]->setObjectName(QStringLiteral("lbllivelli%1").arg(k));
        lbllivelli[k]->setFont(FontTesto(9, true));
        lbllivelli[k]->setAutoFillBackground(true);
        QPalette colore = lbllivelli[k]->palette();
        colore.setColor(QPalette::Window, coloriIntestazioni[k]);
        colore.setColor(QPalette::WindowText, Qt::black);
        lbllivelli[k]->setPalette(colore);
        lbllivelli[k]->move(mm(4), mm(alto - 6));
        imgRisultato[k] = new QLabel(this);
        imgRisultato[k]->setObjectName(QStringLiteral("imgRisultato%1").arg(k));
        imgRisultato[k]->setScaledContents(true);
        imgRisultato[k]->setGeometry(mm(101), mm(alto + 4.5), mm(16), mm(16));
    }

    lblShowMess = new QLabel(this);
    lblShowMess->setObjectName(QStringLiteral("lblShowMess"));
    lblShowMess->setWordWrap(true);
    lblShowMess->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblShowMess->setFont(FontTesto(9));
    lblShowMess->setGeometry(mm(colonnaDestra + 2), mm(13), mm(larghezzaColonna - 4), mm(60));

    cmdPrint = new QPushButton(this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setGeometry(mm(colonnaDestra), mm(79), mm(23), mm(8));
    cmdPDF = new QPushButton(this);
    cmdPDF->setObjectName(QStringLiteral("cmdPDF"));
    cmdPDF->setGeometry(mm(colonnaDestra + 25), mm(79), mm(23), mm(8));

    imgFrecciaReturn = new QLabel(this);
    imgFrecciaReturn->setScaledContents(true);
    imgFrecciaReturn->setGeometry(mm(colonnaDestra), mm(93), mm(10), mm(10));
    for (size_t i = 0; i < 2; ++i) {
        cmdRisp[i] = new QPushButton(this);
        cmdRisp[i]->setObjectName(QStringLiteral("cmdRisp%1").arg(i));
        cmdRisp[i]->setFont(FontTesto(10, true));
        cmdRisp[i]->setGeometry(mm(colonnaDestra + 12), mm(i == 0 ? 93 : 105), mm(36), mm(9));
        connect(cmdRisp[i], &QPushButton::clicked, this, [this, i] { cmdRisp_Click(int(i)); });
    }
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdPDF, &QPushButton::clicked, this, [this] { cmdPDF_Click(); });
}

void frmClassifica::Form_Load()
{
    // The answer is unknown until a button closes the window; then the texts.
    stato_.sceltaRisultati = -1;
    report_ = PreparaReport(stato_, lingua_, stato_.localeInterfaccia());
    const TestiRisultati &t = report_.testi;
    cmdRisp[0]->setText(t.continua);
    cmdRisp[0]->setToolTip(t.continuaSuggerimento);
    cmdRisp[1]->setText(t.termina);
    cmdRisp[1]->setToolTip(t.terminaSuggerimento);
    cmdPrint->setText(t.stampa);
    cmdPrint->setToolTip(t.stampaSuggerimento);
    cmdPDF->setText(t.pdf);
    cmdPDF->setToolTip(t.pdfSuggerimento);
    for (size_t k = 0; k < 3; ++k) {
        lbllivelli[k]->setText(t.intestazioni[k]);
        lbllivelli[k]->adjustSize();
    }

    // Above the others, with a dialog's frame.
    SempreInPrimoPiano(this, true);
    BordoDialogo(this);

    // What the buttons do.
    lblShowMess->setText(MostraMessaggio(t, stato_.tipoFineLivello, stato_.livelloCorrente));

    // The hand cursor; printing only with a printer.
    const QPixmap mano = ImmaginePng(QStringLiteral(":/cursors/mano.png"));
    const QCursor cursoreMano = mano.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(mano, 10, 2);
    for (QPushButton *b : {cmdRisp[0], cmdRisp[1], cmdPrint, cmdPDF})
        b->setCursor(cursoreMano);
    cmdPrint->setEnabled(stato_.StampanteDisponibile());

    // The symbols of the mode, the level strips, the report's name.
    CaricaSimboli();
    for (size_t k = 0; k < 3; ++k)
        imgGrad[k]->setPixmap(Striscia(int(k)));
    imgTastiera = ImmaginePng(QStringLiteral(":/images/results/tastiera.png"));
    picBar->setText(t[RisultatiDi] + report_.nomeReport);

    // The background and the tables of the levels reached, drawn once.
    MostraRisultati();
    MostraTotali();
    DisegnaSfondo();
    TestiAccessibili();

    // The arrow towards "Continua"; the title strip. The opening sound is
    // played by the main window as it opens the window.
    imgFrecciaReturn->setPixmap(ImmaginePng(QStringLiteral(":/images/results/icon442.png")));
    SfondoBarra(picBar);
    cmdRisp[0]->setFocus();
}

// Each table reached, painted on the background, as text for a screen reader.
void frmClassifica::TestiAccessibili()
{
    const TestiRisultati &t = report_.testi;
    for (size_t k = 0; k < 3; ++k) {
        if (!tabelleAccessibili_[k])
            tabelleAccessibili_[k] = accessibile::PannelloTesto(
                this, QRect(mm(4), mm(altoTabelle[k] - 1), mm(destraLivelli - 4), mm(28)));
        tabelleAccessibili_[k]->setVisible(int(k) < report_.cifre.numeroLivelli);
        const CifreLivello &c = report_.cifre.livelli[k];
        QStringList righe;
        for (size_t i = 0; i < 5; ++i)
            righe << t[EtichettaFrase] + QString::number(i + 1) + t.etichettaUnita + c.velocita[i] + QStringLiteral(", ") +
                         t[EtichettaPunteggio] + QStringLiteral(" ") + c.punteggi[i];
        righe << t[EtichettaMedia] + t.etichettaUnita + c.velocitaMedia + QStringLiteral(", ") + t[EtichettaPunteggio] +
                     QStringLiteral(" ") + c.punteggio;
        accessibile::ImpostaTesto(tabelleAccessibili_[k], t.intestazioni[k].trimmed(), righe.join(QLatin1Char('\n')));
    }
}

void frmClassifica::CaricaSimboli()
{
    const int serie = stato_.indiceModo == 1 ? 1 : 0;
    for (int k = 0; k < 5; ++k)
        imgSimbolo[size_t(k)] = ImmaginePng(RisorsaSimbolo(k, serie));
}

void frmClassifica::MostraRisultati()
{
    const int livelli = report_.cifre.numeroLivelli;
    for (size_t k = 0; k < 3; ++k) {
        const bool visibile = int(k) < livelli;
        lbllivelli[k]->setVisible(visibile);
        imgGrad[k]->setVisible(visibile);
        imgRisultato[k]->setVisible(visibile);
        if (visibile)
            imgRisultato[k]->setPixmap(imgSimbolo[size_t(report_.cifre.livelli[k].simbolo)]);
    }
}

void frmClassifica::MostraTotali()
{
    // Only once the run is over, as the printed page and the PDF state them:
    // a band under the tables, the window taller by its height.
    if (stato_.tipoFineLivello != 2)
        return;
    constexpr double altezzaTotali = 22;
    const int sopra = height();
    setFixedSize(width(), mm(altezzaFinestra + altezzaTotali));
    const RigheTotali r = Totali(report_);
    lblTotali = new QLabel(this);
    lblTotali->setObjectName(QStringLiteral("lblTotali"));
    lblTotali->setFont(FontTesto(10));
    lblTotali->setTextFormat(Qt::PlainText);
    lblTotali->setText(r.titolo + QStringLiteral("\n") + r.velocita + QStringLiteral("     ") + r.punteggio +
                       QStringLiteral("\n") + r.rapporto);
    lblTotali->setGeometry(mm(8), sopra + mm(2), mm(destraLivelli - 28), mm(altezzaTotali - 4));
    lblTotali->show();
    imgTotali = new QLabel(this);
    imgTotali->setObjectName(QStringLiteral("imgTotali"));
    imgTotali->setScaledContents(true);
    imgTotali->setPixmap(imgSimbolo[size_t(report_.cifre.simboloComplessivo)]);
    imgTotali->setGeometry(mm(101), sopra + mm(2), mm(16), mm(16));
    imgTotali->show();
}

void frmClassifica::DisegnaSfondo()
{
    const qreal dpr = devicePixelRatioF();
    sfondo_ = QPixmap(size() * dpr);
    sfondo_.setDevicePixelRatio(dpr);
    QPainter p(&sfondo_);
    GradientFill(p, 0, 0, width(), height(), ColoreRGB(255, 255, 255), ColoreRGB(255, 255, 255),
                 ColoreRGB(244, 244, 244), ColoreRGB(244, 244, 244), true);

    // The strip across the top, then the grid below it.
    const QPixmap striscia = ImmaginePng(QStringLiteral(":/images/results/striscia.png"));
    int sotto = mm(altezzaBarra);
    if (!striscia.isNull()) {
        p.drawTiledPixmap(QRect(0, sotto, width(), striscia.height()), striscia);
        sotto += striscia.height();
    }
    p.setPen(QColor(0xDA, 0xDA, 0xDA));
    for (int y = sotto + passoGriglia; y < height(); y += passoGriglia)
        p.drawLine(0, y, width(), y);
    for (int x = passoGriglia; x < width(); x += passoGriglia)
        p.drawLine(x, sotto, x, height());

    // The message's panel.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0xB8, 0xC4, 0xD0));
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawRoundedRect(QRectF(mm(colonnaDestra), mm(11), mm(larghezzaColonna), mm(64)), mm(2), mm(2));
    p.setRenderHint(QPainter::Antialiasing, false);

    Penna penna(p, dpmm_);
    scritteTabelle_.clear();
    penna.setRegistro(&scritteTabelle_);
    for (int k = 1; k <= report_.cifre.numeroLivelli; ++k)
        MostraLivello(penna, altoTabelle[k - 1], report_, k);
}

void frmClassifica::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, sfondo_);
}

void frmClassifica::keyPressEvent(QKeyEvent *event)
{
    // Only the two answer buttons close the window; Esc is not one of them.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmClassifica::closeEvent(QCloseEvent *event)
{
    // The program closing its windows closes this one too; the title bar's
    // close button asks as Esc in the main window does.
    if (chiuso_ || !event->spontaneous() || Form_QueryUnload()) {
        event->accept();
        return;
    }
    event->ignore();
}

bool frmClassifica::Form_QueryUnload()
{
    const QString domanda =
        Testo(lingua_, QStringLiteral("0015"), QStringLiteral("Vuoi chiudere il programma?")) + QStringLiteral("\r\n") +
        Testo(lingua_, QStringLiteral("0016"),
              QStringLiteral("(Se chiudi il programma adesso, tutti i dati verranno persi)"));
    const auto r = stato_.servizi.dialogs->message(this, QStringLiteral("Tastavia"), domanda,
                                                   platform::Dialogs::Question, platform::Dialogs::YesNo);
    if (r != platform::Dialogs::AnsYes)
        return false;
    // As "Termina".
    cmdRisp_Click(1);
    return true;
}

void frmClassifica::cmdRisp_Click(int indice)
{
    stato_.sceltaRisultati = indice;
    done(QDialog::Accepted);
}

risultati::Immagini frmClassifica::immaginiStampa() const
{
    Immagini im;
    for (size_t k = 0; k < 5; ++k)
        im.simboli[k] = imgSimbolo[k].toImage();
    im.tastiera = imgTastiera.toImage();
    return im;
}

void frmClassifica::ChiediStampa()
{
    const auto risposta = stato_.servizi.dialogs->message(
        this, QStringLiteral("Tastavia"), report_.testi[DomandaStampa], platform::Dialogs::Question,
        platform::Dialogs::YesNo);
    if (risposta == platform::Dialogs::AnsNo)
        return;
    erroreStampa_ = false;
    StampaRisultati();
}

void frmClassifica::StampaRisultati()
{
    const TestiRisultati &t = report_.testi;
    if (stato_.servizi.clock)
        report_.adesso = stato_.servizi.clock->now();
    const Immagini immagini = immaginiStampa();
    const bool stampato =
        stato_.servizi.printer &&
        stato_.servizi.printer->print(QStringLiteral("Tastavia") + t[NomeDocumentoStampa], false, 1,
                                      [&](QPainter &p, const QRect &, int) {
                                          if (!p.isActive()) {
                                              erroreStampa_ = true;
                                              return;
                                          }
                                          StampaPagina(p, report_, immagini);
                                      });
    if (!stampato)
        erroreStampa_ = true;
    if (erroreStampa_)
        stato_.servizi.dialogs->message(this, QStringLiteral("Tastavia"), t[ErroreStampa],
                                        platform::Dialogs::Critical, platform::Dialogs::Ok);
    else
        stato_.servizi.dialogs->message(this, QStringLiteral("Tastavia"), t[StampaInviata],
                                        platform::Dialogs::Information, platform::Dialogs::Ok);
}

void frmClassifica::EsportaPDF()
{
    // The viewer must be able to come to the front; the window stays below it.
    SempreInPrimoPiano(this, false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    CreaPDF();
    QCoreApplication::processEvents();
    QApplication::restoreOverrideCursor();
}

QString frmClassifica::GetTempDir() const
{
    return stato_.servizi.desktop ? stato_.servizi.desktop->tempPath() : QString();
}

void frmClassifica::CreaPDF()
{
    if (report_.nomeReport.isEmpty())
        report_.nomeReport = QStringLiteral("Tastavia");
    const QString cartella = GetTempDir();
    const TestiRisultati &t = report_.testi;
    // Only the learner's private folder: never a shared one, never the working folder.
    if (cartella.isEmpty()) {
        percorsoPDF_.clear();
        const auto problema = stato_.servizi.desktop ? stato_.servizi.desktop->tempProblem()
                                                     : platform::Desktop::ProblemaCartella{};
        stato_.servizi.dialogs->message(this, QStringLiteral("Tastavia"),
                                        TestoCartellaTemporanea(problema, lingua_),
                                        platform::Dialogs::Critical, platform::Dialogs::Ok);
        return;
    }
    percorsoPDF_ = PercorsoPDF(cartella.endsWith(QLatin1Char('/')) ? cartella : cartella + QLatin1Char('/'),
                               report_.nomeReport);
    if (stato_.servizi.clock)
        report_.adesso = stato_.servizi.clock->now();

    int errore = 0;
    switch (ScriviPDF(percorsoPDF_, report_, stato_.servizi.clock, stato_.servizi.random, &errore)) {
    case EsitoPDF::Creato:
        pdfCreato_ = true;
        // Without a viewer the learner would see nothing happen.
        if (stato_.servizi.desktop &&
            !platform::ApriConApplicazione(*stato_.servizi.desktop, percorsoPDF_, QStringLiteral("application/pdf")))
            stato_.servizi.dialogs->message(this, QStringLiteral("Tastavia"),
                                            t.pdfNonAperto.arg(percorsoPDF_),
                                            platform::Dialogs::Information, platform::Dialogs::Ok);
        break;
    case EsitoPDF::NonCreato:
    case EsitoPDF::NonScritto:
        stato_.servizi.dialogs->message(this, QStringLiteral("Tastavia"),
                                        t.pdfNonScritto + QStringLiteral("\r\n") +
                                            QDir::toNativeSeparators(percorsoPDF_) + QStringLiteral(" (") +
                                            MotivoErrno(errore, lingua_) + QStringLiteral(")"),
                                        platform::Dialogs::Critical, platform::Dialogs::Ok);
        break;
    }
}

void frmClassifica::done(int r)
{
    if (!chiuso_)
        Form_Unload();
    QDialog::done(r);
}

void frmClassifica::Form_Unload()
{
    chiuso_ = true;
    // Only a report this window wrote is removed; a viewer holding it keeps its copy.
    if (pdfCreato_ && !percorsoPDF_.isEmpty())
        QFile::remove(percorsoPDF_);
}
