#include "settings/frmLanguage.h"
#include "ui/GuardiaTasti.h"

#include "settings/MotivoFile.h"
#include "settings/modLanguageSupport.h"
#include "ui/Caratteri.h"
#include "ui/Immagini.h"
#include "ui/modGradient.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QAbstractItemView>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QString T(const TestoLingua &lingua, const char *id, const char *predefinito)
{
    return Testo(lingua, QString::fromLatin1(id), QString::fromUtf8(predefinito));
}

} // namespace

frmLanguage::frmLanguage(const QString &cartellaProgramma, const QString &linguaCorrente,
                         bool fileLinguaPresente, platform::Dialogs &dialogs, TestoLingua lingua,
                         QWidget *parent)
    : QDialog(parent),
      cartellaProgramma_(cartellaProgramma),
      linguaCorrente_(linguaCorrente),
      candidata_(linguaCorrente),
      fileLinguaPresente_(fileLinguaPresente),
      dialogs_(dialogs),
      lingua_(std::move(lingua))
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    lblSeleziona = new QLabel(this);
    lblSeleziona->setObjectName(QStringLiteral("lblSeleziona"));
    lblSeleziona->setFont(FontTesto(10, true));
    cboFileLanguage = new QComboBox(this);
    cboFileLanguage->setObjectName(QStringLiteral("cboFileLanguage"));
    cboFileLanguage->setFont(FontTesto(10));
    cboFileLanguage->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboFileLanguage->setMinimumContentsLength(LarghezzaVoci);
    cboFileLanguage->view()->setTextElideMode(Qt::ElideRight);
    cmdInfo = new QPushButton(QStringLiteral("i"), this);
    cmdInfo->setObjectName(QStringLiteral("cmdInfo"));
    cmdInfo->setFont(FontSimboli(11, true));
    cmdInfo->setFixedSize(30, 28);
    cmdChiudi = new QPushButton(this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    cmdChiudi->setDefault(true);
    cmdChiudi->setMinimumWidth(100);

    const QPixmap mano = ImmaginePng(QStringLiteral(":/cursors/mano.png"));
    const QCursor cursoreMano = mano.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(mano, 10, 2);
    for (QWidget *w : {static_cast<QWidget *>(cboFileLanguage), static_cast<QWidget *>(cmdInfo),
                       static_cast<QWidget *>(cmdChiudi)})
        w->setCursor(cursoreMano);

    auto *riga = new QHBoxLayout;
    riga->addWidget(cmdInfo);
    riga->addStretch(1);
    riga->addWidget(cmdChiudi);
    auto *tutto = new QVBoxLayout(this);
    tutto->setContentsMargins(20, 16, 20, 14);
    tutto->setSpacing(10);
    tutto->addWidget(lblSeleziona);
    tutto->addWidget(cboFileLanguage);
    tutto->addSpacing(6);
    tutto->addLayout(riga);

    connect(cboFileLanguage, &QComboBox::currentIndexChanged, this, [this](int indice) {
        if (riempimento_ || indice < 0)
            return;
        vocecandidata_ = cboFileLanguage->itemText(indice);
        candidata_ = modLanguageSupport::LinguaDellaVoce(cboFileLanguage->itemData(indice).toString());
    });
    connect(cmdChiudi, &QPushButton::clicked, this, [this] { cmdChiudi_Click(); });
    connect(cmdInfo, &QPushButton::clicked, this, [this] { cmdInfo_Click(); });
    SoloPredefinitoSuInvio(this);

    Form_Load(cartellaProgramma);
    // A language's entry may be 511 characters long: the list keeps a sensible
    // width (the whole text in its tooltip), and the window fits the screen.
    int larghezza = qMax(340, sizeHint().width());
    if (const QScreen *schermo = screen())
        larghezza = qMin(larghezza, schermo->availableGeometry().width() - 40);
    setFixedSize(larghezza, sizeHint().height());
}

void frmLanguage::Form_Load(const QString &cartellaProgramma)
{
    setWindowTitle(T(lingua_, "0200", "Scelta lingua"));
    lblSeleziona->setText(T(lingua_, "0202", "Seleziona la lingua da usare"));
    cmdChiudi->setText(T(lingua_, "0203", "&Chiudi"));
    cmdChiudi->setToolTip(T(lingua_, "0204", "Conferma la lingua scelta e chiude la finestra"));
    cmdInfo->setToolTip(T(lingua_, "0205", "Informazioni sulla traduzione"));

    // Filling the list selects entries: none of them is the learner's choice.
    riempimento_ = true;
    const modLanguageSupport::ElencoLingue elenco =
        modLanguageSupport::ElencoPerFinestra(cartellaProgramma, linguaCorrente_);
    // Each entry shows the language's name in the interface language and keeps its file's name.
    for (const QString &voce : elenco.voci)
        cboFileLanguage->addItem(modLanguageSupport::NomeVoce(lingua_, voce), voce);
    // The file's own name in full as the tooltip: a long entry is cut in the list.
    for (int i = 0; i < cboFileLanguage->count(); ++i)
        cboFileLanguage->setItemData(i, elenco.voci.value(i), Qt::ToolTipRole);
    cboFileLanguage->setCurrentIndex(elenco.selezionata);
    riempimento_ = false;
    vocecandidata_ = cboFileLanguage->currentText();
}

void frmLanguage::cmdChiudi_Click()
{
    if (candidata_ != linguaCorrente_) {
        const auto risposta = dialogs_.message(
            this, QStringLiteral("Tastavia"),
            T(lingua_, "0201", "Confermi l'impostazione della lingua selezionata?") + QStringLiteral(" ( ") +
                vocecandidata_ + QStringLiteral(" )"),
            platform::Dialogs::Question, platform::Dialogs::YesNo);
        if (risposta == platform::Dialogs::AnsYes) {
            linguaCorrente_ = candidata_;
            // A file that is no regular file or too large is never read: say so.
            const filesicuri::Lettura l = modLanguageSupport::ProblemaFileLingua(cartellaProgramma_, candidata_);
            if (candidata_ != modLanguageSupport::kItaliano && l.esito != filesicuri::Esito::Ok &&
                l.esito != filesicuri::Esito::Mancante)
                dialogs_.message(this, QStringLiteral("Tastavia"),
                                 TestoFileLinguaRifiutato(
                                     modLanguageSupport::FileDellaLingua(cartellaProgramma_, candidata_), l,
                                     modLanguageSupport::kMaxBytesFile, lingua_),
                                 platform::Dialogs::Warning, platform::Dialogs::Ok);
        }
    }
    accept();
}

void frmLanguage::cmdInfo_Click()
{
    dialogs_.message(this, QStringLiteral("Tastavia"),
                     modLanguageSupport::TestoInformazioni(lingua_, fileLinguaPresente_, linguaCorrente_),
                     platform::Dialogs::Information, platform::Dialogs::Ok);
}

void frmLanguage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    SfondoDialogo(p, rect());
}
