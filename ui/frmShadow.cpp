#include "ui/frmShadow.h"

#include "ui/basSleep.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

int AlphaDaPercentuale(int percentuale)
{
    percentuale = std::clamp(percentuale, 0, 100);
    return int(std::nearbyint(double(percentuale) * 255.0 / 100.0));
}

frmShadow::frmShadow(Pausa pausa, QWidget *proprietario)
    : QWidget(proprietario, Qt::Window | Qt::FramelessWindowHint), m_pausa(std::move(pausa))
{
    setObjectName("frmShadow");
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    QScreen *schermo = proprietario ? proprietario->screen() : QGuiApplication::primaryScreen();
    if (schermo)
        setGeometry(schermo->geometry());
}

int frmShadow::Traspa(QWidget *finestra, int percentuale)
{
    const int alpha = AlphaDaPercentuale(percentuale);
    if (finestra)
        finestra->setWindowOpacity(alpha / 255.0);
    return alpha;
}

int frmShadow::MostraConFinestra(const ApriFinestra &apri)
{
    Traspa(this, 50);
    show();
    QCoreApplication::processEvents();
    if (m_pausa)
        m_pausa(200);
    return apri ? apri(this) : int(QDialog::Rejected);
}

int Dissolvenza(QWidget *finestra, int da, int a, int passo,
                const std::function<int(int millisecondi)> &pausa)
{
    if (passo <= 0)
        return 0;
    int passi = 0;
    QPointer<QWidget> w(finestra);
    for (int alpha = da; alpha >= a; alpha -= passo) {
        // The window may go away while the pause runs its events.
        if (!w)
            break;
        w->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
        ++passi;
        if (pausa)
            pausa(10);
    }
    return passi;
}

void frmShadow::Dissolvi()
{
    Dissolvenza(this, 160, 0, 5, m_pausa);
}

Backdrop::Backdrop(QWidget *finestraPrincipale, const platform::Clock &clock, bool windowsNT5)
    : m_principale(finestraPrincipale), m_windowsNT5(windowsNT5),
      m_pausa(PausaConEventi(clock))
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
        // Handed back before the backdrop goes, which would delete it otherwise.
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

    if (!m_windowsNT5 || m_ombra)
        return apri(m_ombra ? static_cast<QWidget *>(m_ombra) : m_principale.data());

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
