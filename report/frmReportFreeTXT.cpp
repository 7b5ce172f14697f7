#include "report/frmReportFreeTXT.h"

#include "practice/modClavora.h"
#include "ui/Accessibile.h"
#include "ui/Caratteri.h"
#include "ui/FinestraSecondaria.h"
#include "ui/GuardiaTasti.h"
#include "ui/Immagini.h"
#include "ui/SchemiColori.h"
#include "ui/modGradient.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace {

constexpr int kLarghezza = 470, kAltezza = 410, kAltezzaBarra = 52;

// A small sheet whose lines are written one after the other, then again.
class Animazione : public QWidget {
public:
    explicit Animazione(QWidget *parent) : QWidget(parent)
    {
        setFixedSize(40, 48);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        auto *t = new QTimer(this);
        t->setInterval(120);
        connect(t, &QTimer::timeout, this, [this] {
            passo_ = (passo_ + 1) % kPassi;
            update();
        });
        t->start();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath foglio;
        foglio.moveTo(4.5, 2.5);
        foglio.lineTo(27.5, 2.5);
        foglio.lineTo(35.5, 10.5);
        foglio.lineTo(35.5, 45.5);
        foglio.lineTo(4.5, 45.5);
        foglio.closeSubpath();
        p.setPen(QPen(QColor(120, 130, 140), 1));
        p.setBrush(Qt::white);
        p.drawPath(foglio);
        p.drawLine(QPointF(27.5, 2.5), QPointF(27.5, 10.5));
        p.drawLine(QPointF(27.5, 10.5), QPointF(35.5, 10.5));
        // Six lines of 24 pixels, written at 4 pixels a step.
        p.setPen(QPen(QColor(29, 95, 156), 2, Qt::SolidLine, Qt::RoundCap));
        int resto = passo_ * 4;
        for (int riga = 0; riga < 6 && resto > 0; ++riga) {
            const int lunghezza = std::min(resto, riga == 5 ? 14 : 24);
            const double y = 15 + riga * 5;
            p.drawLine(QPointF(8, y), QPointF(8 + lunghezza, y));
            resto -= lunghezza;
        }
    }

private:
    static constexpr int kPassi = 42;   // 134 pixels of writing, then a short rest
    int passo_ = kPassi / 2;   // half a sheet written at first
};

} // namespace

frmReportFreeTXT::frmReportFreeTXT(modClavora &stato, TestoLingua lingua, QWidget *proprietario,
                                   QLocale locale)
    : QDialog(proprietario), report(stato, lingua, std::move(locale)), s(stato)
{
    setWindowTitle(QStringLiteral("Tastavia"));
    setModal(true);
    setFixedSize(kLarghezza, kAltezza);

    picBar = new QWidget(this);
    picBar->setObjectName(QStringLiteral("picBar"));
    picBar->setGeometry(0, kAltezza - kAltezzaBarra, kLarghezza, kAltezzaBarra);
    imgFrecciaReturn = new QLabel(picBar);
    imgFrecciaReturn->setObjectName(QStringLiteral("imgFrecciaReturn"));
    imgFrecciaReturn->setFixedSize(32, 32);
    cmdCreaPDF = new QPushButton(picBar);
    cmdCreaPDF->setObjectName(QStringLiteral("cmdCreaPDF"));
    cmdChiudi = new QPushButton(picBar);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    for (QPushButton *b : {cmdCreaPDF, cmdChiudi})
        b->setMinimumWidth(110);
    auto *riga = new QHBoxLayout(picBar);
    riga->setContentsMargins(14, 8, 14, 8);
    riga->addWidget(imgFrecciaReturn);
    riga->addWidget(cmdCreaPDF);
    riga->addStretch(1);
    riga->addWidget(cmdChiudi);

    imgAnimazione = new Animazione(this);
    imgAnimazione->setObjectName(QStringLiteral("imgAnimazione"));
    imgAnimazione->move(kLarghezza - imgAnimazione->width() - 18, kAltezzaStriscia + 12);

    connect(cmdCreaPDF, &QPushButton::clicked, this, [this] { cmdCreaPDF_Click(); });
    connect(cmdChiudi, &QPushButton::clicked, this, [this] { cmdChiudi_Click(); });

    Form_Load(lingua);
    // Opened by the last key of the text: the keys typed on out of habit do
    // not make a PDF, and Enter always means the default button.
    new GuardiaTasti(this, s.servizi.clock);
    SoloPredefinitoSuInvio(this);
}

void frmReportFreeTXT::Form_Load(const TestoLingua &lingua)
{
    const bool daLingua = s.fileLinguaPresente;
    auto didascalia = [&](const report::VoceTesto &v) {
        const QString predefinito = QString::fromUtf8(v.predefinito);
        return daLingua ? Testo(lingua, QString::fromLatin1(v.id), predefinito) : predefinito;
    };
    cmdChiudi->setText(didascalia(report::kTestoChiudi));
    cmdCreaPDF->setText(didascalia(report::kTestoCreaPDF));
    cmdCreaPDF->setDefault(true);

    BordoDialogo(this);
    SempreInPrimoPiano(this, true);
    primoPiano_ = true;
    SfondoBarra(picBar);

    const QPixmap mano = ImmaginePng(QStringLiteral(":/cursors/mano.png"));
    const QCursor cursoreMano = mano.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(mano, 10, 2);
    cmdChiudi->setCursor(cursoreMano);
    cmdCreaPDF->setCursor(cursoreMano);
    imgFrecciaReturn->setPixmap(ImmaginePng(QStringLiteral(":/images/report/freccia-return.png")));
    striscia_ = ImmaginePng(QStringLiteral(":/images/report/striscia.png"));
    // The opening sound (106) is played by the main window as it opens the report.

    // The painted figures, readable by a screen reader.
    figure_ = accessibile::PannelloTesto(this, QRect(kXRighe, kYRighe, kLarghezza - kXRighe, kAltezza / 2));
    accessibile::ImpostaTesto(figure_, report.Titolo(), report.RigheRisultati().join(QLatin1Char('\n')));
}

void frmReportFreeTXT::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    DisegnaSfondo(p);
    DisegnaRisultati(p);
}

void frmReportFreeTXT::DisegnaSfondo(QPainter &p)
{
    const int alto = kAltezzaStriscia;
    const int basso = height() - kAltezzaBarra;
    const uint32_t bianco = ColoreRGB(255, 255, 255), grigio = ColoreRGB(244, 244, 244);
    GradientFill(p, 0, 0, width(), basso, bianco, bianco, grigio, grigio, true);
    p.setPen(QColor(218, 218, 218));
    for (int x = 26; x < width(); x += 26)
        p.drawLine(x, alto, x, basso);
    for (int y = alto + 26; y < basso; y += 26)
        p.drawLine(0, y, width(), y);
    if (!striscia_.isNull())
        p.drawTiledPixmap(QRect(0, 0, width(), alto), striscia_);
}

void frmReportFreeTXT::DisegnaRisultati(QPainter &p)
{
    // Text is placed by the top of its line, as the figures were laid out.
    const QFont titolo = FontTesto(14, true);
    p.setFont(titolo);
    const int ascesaTitolo = QFontMetrics(titolo).ascent();
    p.setPen(QColor(224, 224, 224));
    p.drawText(kXTitolo, kYTitolo + ascesaTitolo, report.Titolo());
    p.setPen(Qt::black);
    p.drawText(kXTitolo - 1, kYTitolo - 1 + ascesaTitolo, report.Titolo());

    const QFont righe = FontTesto(12);
    p.setFont(righe);
    const QFontMetrics m(righe);
    int y = kYRighe;
    for (const QString &r : report.RigheRisultati()) {
        p.drawText(kXRighe, y + m.ascent(), r);
        y += m.height() + kSpazioRighe;
    }
}

void frmReportFreeTXT::cmdCreaPDF_Click()
{
    EsportaPDF();
}

void frmReportFreeTXT::EsportaPDF()
{
    // The viewer must be able to come to the front; the window stays ordinary.
    if (primoPiano_) {
        SempreInPrimoPiano(this, false);
        primoPiano_ = false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    const report::ReportFreeTXT::EsitoPDF esito = report.GeneraPDF();
    QApplication::restoreOverrideCursor();
    using Esito = report::ReportFreeTXT::EsitoPDF;
    if (esito.tipo != Esito::Aperto && s.servizi.dialogs)
        s.servizi.dialogs->message(this, QStringLiteral("Tastavia"), esito.messaggio,
                                   esito.tipo == Esito::NonAperto ? platform::Dialogs::Information
                                                                  : platform::Dialogs::Critical,
                                   platform::Dialogs::Ok);
}

void frmReportFreeTXT::done(int r)
{
    // "Chiudi", the close box and Esc all end here; the file goes once.
    if (!chiuso_) {
        chiuso_ = true;
        Form_Unload();
    }
    QDialog::done(r);
}

void frmReportFreeTXT::Form_Unload()
{
    report.Chiudi();
}
