#include "ui/frmInfo.h"
#include "ui/GuardiaTasti.h"

#include "ui/Caratteri.h"

#include "ui/SchemiColori.h"
#include "ui/Immagini.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QHBoxLayout>

namespace {

// The project's version, given by the build.
#ifndef TASTAVIA_VERSIONE
#define TASTAVIA_VERSIONE "0.0.0"
#endif

QString T(const TestoLingua &lingua, const char *id, const char *predefinito)
{
    return Testo(lingua, QString::fromLatin1(id), QString::fromUtf8(predefinito));
}

} // namespace

QString frmInfo::testoVersione(const TestoLingua &lingua)
{
    return T(lingua, "0067", "Versione") + " " + QStringLiteral(TASTAVIA_VERSIONE);
}

frmInfo::frmInfo(Azioni azioni, TestoLingua lingua, QWidget *parent)
    : QDialog(parent), azioni_(std::move(azioni)), lingua_(std::move(lingua))
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
    lblVersione = new QLabel(this);
    lblVersione->setFont(FontTesto(10));
    lblCrediti = new QLabel(this);
    lblCrediti->setWordWrap(true);

    cmdGuida = new QPushButton(this);
    cmdLingua = new QPushButton(this);
    cmdStampa = new QPushButton(this);
    cmdChiudi = new QPushButton(this);
    cmdChiudi->setDefault(true);
    cmdStampa->setEnabled(azioni_.stampanteDisponibile);

    connect(cmdGuida, &QPushButton::clicked, this, [this] {
        if (azioni_.apriGuida)
            azioni_.apriGuida();
    });
    connect(cmdLingua, &QPushButton::clicked, this, [this] {
        if (azioni_.apriLingua)
            azioni_.apriLingua(this);
        ApplicaTesti();
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
    // After the language window, the focus is back on "Lingua...": Enter is still OK.
    SoloPredefinitoSuInvio(this);

    ApplicaTesti();
}

void frmInfo::ApplicaTesti()
{
    lblVersione->setText(testoVersione(lingua_));
    lblCrediti->setText(T(lingua_, "0068", "Corso di dattilografia per la tastiera francese AZERTY.") + "\n" +
                        T(lingua_, "0069", "Frasi, lezioni ed esercizi in francese.") + "\n\n" +
                        T(lingua_, "0070", "Programma, suoni e immagini: gli autori di Tastavia.") + "\n" +
                        T(lingua_, "0071", "Caratteri: Liberation e DejaVu."));
    cmdGuida->setText(T(lingua_, "0072", "Guida"));
    cmdLingua->setText(T(lingua_, "0073", "Lingua..."));
    cmdLingua->setToolTip(T(lingua_, "1003", "Sceglie la lingua dei testi del programma"));
    cmdStampa->setText(T(lingua_, "0074", "Stampa tastiera"));
    cmdStampa->setToolTip(azioni_.stampanteDisponibile ? QString()
                                                       : T(lingua_, "0115", "Nessuna stampante disponibile"));
    cmdChiudi->setText(T(lingua_, "0066", "OK"));
}

void frmInfo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    SfondoBarra(p, rect());
}
