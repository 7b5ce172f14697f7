#include "ui/frmInfo.h"

#include "ui/Caratteri.h"

#include "ui/SchemiColori.h"
#include "ui/Immagini.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QHBoxLayout>

namespace {
constexpr int kMajor = 1, kMinor = 0, kRevision = 0;
}

QString frmInfo::testoVersione()
{
    return QStringLiteral("Versione ") + QString::number(kMajor) + "." + QString::number(kMinor) +
           "." + QString::number(kRevision);
}

frmInfo::frmInfo(Azioni azioni, QWidget *parent) : QDialog(parent), azioni_(std::move(azioni))
{
    setWindowTitle("Tastavia");
    setModal(true);
    setFixedSize(420, 300);

    auto *icona = new QLabel(this);
    icona->setPixmap(ImmaginePng(":/images/icon/tastavia-64.png"));
    lblNome = new QLabel("Tastavia", this);
    lblNome->setFont(FontTesto(20, true));
    QPalette tavolozza = lblNome->palette();
    tavolozza.setColor(QPalette::WindowText, QColor(22, 74, 128));
    lblNome->setPalette(tavolozza);
    lblVersione = new QLabel(testoVersione(), this);
    lblVersione->setFont(FontTesto(10));
    lblCrediti = new QLabel(QString::fromUtf8(
        "Corso di dattilografia per la tastiera francese AZERTY.\n"
        "Frasi, lezioni ed esercizi in francese.\n\n"
        "Programma, suoni e immagini: gli autori di Tastavia.\n"
        "Caratteri: Liberation e DejaVu."), this);
    lblCrediti->setWordWrap(true);

    cmdGuida = new QPushButton("Guida", this);
    cmdLingua = new QPushButton("Lingua...", this);
    cmdStampa = new QPushButton("Stampa tastiera", this);
    cmdChiudi = new QPushButton("Chiudi", this);
    cmdChiudi->setDefault(true);
    cmdStampa->setEnabled(azioni_.stampanteDisponibile);
    if (!azioni_.stampanteDisponibile)
        cmdStampa->setToolTip("Nessuna stampante disponibile");

    connect(cmdGuida, &QPushButton::clicked, this, [this] {
        if (azioni_.apriGuida)
            azioni_.apriGuida();
    });
    connect(cmdLingua, &QPushButton::clicked, this, [this] {
        if (azioni_.apriLingua)
            azioni_.apriLingua();
    });
    connect(cmdStampa, &QPushButton::clicked, this, [this] {
        stampaRichiesta_ = true;
        accept();
    });
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto *testa = new QHBoxLayout;
    testa->addWidget(icona);
    auto *titoli = new QVBoxLayout;
    titoli->addWidget(lblNome);
    titoli->addWidget(lblVersione);
    testa->addLayout(titoli, 1);
    auto *pulsanti = new QHBoxLayout;
    for (QPushButton *b : {cmdGuida, cmdLingua, cmdStampa})
        pulsanti->addWidget(b);
    pulsanti->addStretch(1);
    pulsanti->addWidget(cmdChiudi);
    auto *tutto = new QVBoxLayout(this);
    tutto->addLayout(testa);
    tutto->addSpacing(8);
    tutto->addWidget(lblCrediti, 1);
    tutto->addLayout(pulsanti);
}

void frmInfo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    SfondoBarra(p, rect());
}
