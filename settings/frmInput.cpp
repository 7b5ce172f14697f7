#include "settings/frmInput.h"
#include "ui/GuardiaTasti.h"

#include "settings/IniManager.h"
#include "settings/NomeUtente.h"
#include "ui/modGradient.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>
#include <utility>

namespace {

const QString kSezione = QStringLiteral("AccessName");

// Keeps the field to one line of characters the files can hold, whether they
// are typed, pasted or set; tells the dialog when it dropped some.
class FiltroNome : public QValidator {
public:
    FiltroNome(std::function<void()> tolti, QObject *parent) : QValidator(parent), m_tolti(std::move(tolti)) {}
    State validate(QString &input, int &pos) const override
    {
        const NomeFiltrato f = FiltraNome(input);
        if (f.testo != input) {
            pos = int(FiltraNome(input.left(pos)).testo.size());
            input = f.testo;
        }
        if (f.tolti)
            m_tolti();
        return Acceptable;
    }

private:
    std::function<void()> m_tolti;
};

} // namespace

frmInput::frmInput(IniManager &gestoreIni, const QString &fileImpostazioni, const platform::Services &services,
                   TestoLingua testoLingua, QWidget *parent)
    : QDialog(parent),
      m_gestoreIni(gestoreIni),
      m_fileImpostazioni(fileImpostazioni),
      m_services(services),
      m_testoLingua(std::move(testoLingua))
{
    setWindowTitle(QStringLiteral("Tastavia"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    lblBenvenuto = new QLabel(QStringLiteral("Benvenuto in Tastavia!"), this);
    lblBenvenuto->setObjectName(QStringLiteral("lblBenvenuto"));
    QFont grande = lblBenvenuto->font();
    grande.setPointSize(grande.pointSize() + 5);
    grande.setBold(true);
    lblBenvenuto->setFont(grande);
    lblBenvenuto->setAlignment(Qt::AlignCenter);
    lblBenvenuto->setWordWrap(true);
    QPalette tavolozza = lblBenvenuto->palette();
    tavolozza.setColor(QPalette::WindowText, QColor(20, 60, 120));
    lblBenvenuto->setPalette(tavolozza);

    lblDigitaNome = new QLabel(QStringLiteral("Scrivi il tuo nome"), this);
    lblDigitaNome->setObjectName(QStringLiteral("lblDigitaNome"));

    txtNomeUtente = new QLineEdit(this);
    txtNomeUtente->setObjectName(QStringLiteral("txtNomeUtente"));
    QFont campo = txtNomeUtente->font();
    campo.setPointSize(campo.pointSize() + 3);
    txtNomeUtente->setFont(campo);
    txtNomeUtente->installEventFilter(this);
    txtNomeUtente->setValidator(new FiltroNome([this] { m_tolti = true; }, txtNomeUtente));

    lblCaratteriTolti = new QLabel(QStringLiteral("Alcuni caratteri non possono far parte del nome e sono stati tolti."),
                                   this);
    lblCaratteriTolti->setObjectName(QStringLiteral("lblCaratteriTolti"));
    lblCaratteriTolti->setWordWrap(true);
    QPalette avviso = lblCaratteriTolti->palette();
    avviso.setColor(QPalette::WindowText, QColor(150, 30, 30));
    lblCaratteriTolti->setPalette(avviso);
    // Its room is kept while hidden, so the dialog does not jump when it shows.
    QSizePolicy tenuto = lblCaratteriTolti->sizePolicy();
    tenuto.setRetainSizeWhenHidden(true);
    lblCaratteriTolti->setSizePolicy(tenuto);
    lblCaratteriTolti->hide();

    chkRemember = new QCheckBox(QStringLiteral("Ricorda il tuo nome al prossimo accesso"), this);
    chkRemember->setObjectName(QStringLiteral("chkRemember"));

    cmdChiudi = new QPushButton(QStringLiteral("OK"), this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    cmdChiudi->setDefault(true);
    cmdChiudi->setMinimumWidth(90);

    auto *riga = new QHBoxLayout;
    riga->addWidget(chkRemember, 1);
    riga->addWidget(cmdChiudi);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(10);
    layout->addWidget(lblBenvenuto);
    layout->addSpacing(6);
    layout->addWidget(lblDigitaNome);
    layout->addWidget(txtNomeUtente);
    layout->addWidget(lblCaratteriTolti);
    layout->addSpacing(4);
    layout->addLayout(riga);

    connect(txtNomeUtente, &QLineEdit::textChanged, this, [this] {
        lblCaratteriTolti->setVisible(std::exchange(m_tolti, false));
        txtNomeUtente_Change();
    });
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::accept);
    SoloPredefinitoSuInvio(this);

    Form_Load();
    setFixedSize(420, sizeHint().height());
}

void frmInput::Form_Load()
{
    // Stand-in for the program's hand cursor.
    cmdChiudi->setCursor(Qt::PointingHandCursor);
    chkRemember->setCursor(Qt::PointingHandCursor);

    const auto testo = [this](const char *id, QLabel *etichetta) {
        etichetta->setText(Testo(m_testoLingua, QString::fromLatin1(id), etichetta->text()));
    };
    testo("0012", lblBenvenuto);
    testo("0096", lblDigitaNome);
    txtNomeUtente->setAccessibleName(lblDigitaNome->text());
    testo("0166", lblCaratteriTolti);
    chkRemember->setText(Testo(m_testoLingua, QStringLiteral("0138"), chkRemember->text()));
    cmdChiudi->setText(Testo(m_testoLingua, QStringLiteral("0066"), cmdChiudi->text()));

    txtNomeUtente->setMaxLength(kLunghezzaNome);

    m_gestoreIni.setNome(m_fileImpostazioni);
    m_gestoreIni.setSezione(kSezione);
    const QString nome = m_gestoreIni.Leggi(QStringLiteral("Name"), QString());
    if (!nome.isEmpty())
        txtNomeUtente->setText(nome);
    QString ricorda = m_gestoreIni.Leggi(QStringLiteral("Remember"), QStringLiteral("0"));
    if (ricorda.isEmpty())
        ricorda = QStringLiteral("0");
    chkRemember->setChecked(ricorda != u"0");
    txtNomeUtente_Change();
}

void frmInput::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_chiuso = false;
    Form_Activate();
}

void frmInput::Form_Activate()
{
    txtNomeUtente->selectAll();
    txtNomeUtente->setFocus();
    if (txtNomeUtente->text().isEmpty()) {
        chkRemember->setChecked(false);
        chkRemember->setEnabled(false);
    }
}

void frmInput::txtNomeUtente_Change()
{
    const bool vuoto = txtNomeUtente->text().isEmpty();
    chkRemember->setEnabled(!vuoto);
    if (vuoto)
        chkRemember->setChecked(false);
}

bool frmInput::eventFilter(QObject *watched, QEvent *event)
{
    // A name cannot start with a blank: a blank typed into the empty field is dropped.
    if (watched == txtNomeUtente && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (txtNomeUtente->text().isEmpty() && key->text() == QStringLiteral(" "))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmInput::done(int r)
{
    // OK, the close box and Esc all end here; the name is taken only once.
    if (!m_chiuso) {
        m_chiuso = true;
        Form_Unload();
    }
    QDialog::done(r);
}

void frmInput::Form_Unload()
{
    m_nomeUtente = NomeMaiuscolo(FiltraNome(txtNomeUtente->text()).testo).trimmed();
    m_gestoreIni.setNome(m_fileImpostazioni);
    m_gestoreIni.setSezione(kSezione);
    // Failed writes (read-only folder) are ignored: the name is still used for this run.
    if (chkRemember->isChecked()) {
        m_gestoreIni.Scrivi(QStringLiteral("Remember"), QStringLiteral("1"));
        m_gestoreIni.Scrivi(QStringLiteral("Name"), m_nomeUtente);
    } else {
        m_gestoreIni.Scrivi(QStringLiteral("Remember"), QStringLiteral("0"));
        m_gestoreIni.Scrivi(QStringLiteral("Name"), QString());
    }
}

void frmInput::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    SfondoDialogo(p, rect());
}
