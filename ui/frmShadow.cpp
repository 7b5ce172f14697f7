#include "ui/frmShadow.h"

#include "ui/basSleep.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

int AlphaDaPercentuale(int percentuale)
{
    percentuale = std::clamp(percentuale, 0, 100);
    return int(std::nearbyint(double(percentuale) * 255.0 / 100.0));
}

int Dissolvenza(QObject *guardia, const std::function<void(int alpha)> &imposta, int da, int a,
                int passo, const std::function<int(int millisecondi)> &pausa)
{
    if (passo <= 0)
        return 0;
    int passi = 0;
    QPointer<QObject> g(guardia);
    for (int alpha = da; alpha >= a; alpha -= passo) {
        // The window may go away while the pause runs its events.
        if (!g)
            break;
        if (imposta)
            imposta(std::clamp(alpha, 0, 255));
        ++passi;
        if (pausa)
            pausa(10);
    }
    return passi;
}

int Dissolvenza(QWidget *finestra, int da, int a, int passo,
                const std::function<int(int millisecondi)> &pausa)
{
    QPointer<QWidget> w(finestra);
    return Dissolvenza(
        finestra, [w](int alpha) { w->setWindowOpacity(alpha / 255.0); }, da, a, passo, pausa);
}

frmShadow::frmShadow(Pausa pausa, QWidget *principale)
    : QWidget(principale), m_pausa(std::move(pausa))
{
    setObjectName("frmShadow");
    setFocusPolicy(Qt::NoFocus);
    // Only the dark fill is painted: the main window shows through it.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    if (principale) {
        setGeometry(principale->rect());
        principale->installEventFilter(this);
    }
    hide();
}

void frmShadow::setAlpha(int alpha)
{
    alpha = std::clamp(alpha, 0, 255);
    if (alpha == m_alpha)
        return;
    m_alpha = alpha;
    update();
}

int frmShadow::Traspa(QWidget *finestra, int percentuale)
{
    const int alpha = AlphaDaPercentuale(percentuale);
    if (auto *ombra = qobject_cast<frmShadow *>(finestra))
        ombra->setAlpha(alpha);
    else if (finestra)
        finestra->setWindowOpacity(alpha / 255.0);
    return alpha;
}

int frmShadow::MostraConFinestra(const ApriFinestra &apri)
{
    Traspa(this, 50);
    if (parentWidget())
        setGeometry(parentWidget()->rect());
    show();
    raise();
    QCoreApplication::processEvents();
    if (m_pausa)
        m_pausa(200);
    return apri ? apri(parentWidget()) : int(QDialog::Rejected);
}

void frmShadow::Dissolvi()
{
    // The main window is still while the backdrop fades: its picture, taken
    // once, is what each step darkens, instead of repainting every control
    // beneath at every step.
    if (QWidget *principale = parentWidget(); principale && isVisible()) {
        hide();
        m_sotto = principale->grab();
        setAttribute(Qt::WA_OpaquePaintEvent);
        show();
    }
    Dissolvenza(this, [this](int alpha) { setAlpha(alpha); }, 160, 0, 5, m_pausa);
}

void frmShadow::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    if (!m_sotto.isNull())
        p.drawPixmap(0, 0, m_sotto);
    if (m_alpha > 0)
        p.fillRect(event->rect(), QColor(0, 0, 0, m_alpha));
}

bool frmShadow::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == parentWidget() && evento->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

Backdrop::Backdrop(QWidget *finestraPrincipale, const platform::Clock &clock)
    : m_principale(finestraPrincipale), m_pausa(PausaConEventi(clock))
{
}

void Backdrop::setFinestra(int selettore, frmShadow::ApriFinestra apri)
{
    m_finestre[selettore] = std::move(apri);
}

void Backdrop::setFinestra(int selettore, QDialog *dialogo)
{
    QPointer<QDialog> d(dialogo);
    m_finestre[selettore] = [d](QWidget *proprietario) -> int {
        if (!d)
            return QDialog::Rejected;
        QPointer<QWidget> genitore = d->parentWidget();
        d->setParent(proprietario, d->windowFlags());
        const int esito = d->exec();
        if (d)
            d->setParent(genitore, d->windowFlags());
        return esito;
    };
}

int Backdrop::ShowWithBackdrop(int selettore)
{
    m_dialogoDaMostrare = selettore;
    const auto trovata = m_finestre.find(selettore);
    if (trovata == m_finestre.end())
        return QDialog::Rejected;
    // A copy: the handler may replace the entry while its window runs.
    const frmShadow::ApriFinestra apri = trovata->second;

    if (m_ombra || !m_principale)
        return apri(m_principale.data());

    if (m_nascondiPopup)
        m_nascondiPopup();
    m_ombra = new frmShadow(m_pausa, m_principale);
    const int esito = m_ombra->MostraConFinestra(apri);
    if (m_ombra)
        m_ombra->Dissolvi();
    delete m_ombra.data();
    QCoreApplication::processEvents();
    return esito;
}
