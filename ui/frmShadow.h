#pragma once
// The dimmed backdrop behind the main window's modal windows: a black
// borderless window over the whole screen at half opacity, which opens the
// chosen window with itself as owner and fades out when it closes.

#include "platform/Services.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

class QDialog;

// Alpha for a percentage: percent * 255 / 100 rounded half to even (50 -> 128).
// Percentages are brought into 0..100 first, so the product never overflows.
int AlphaDaPercentuale(int percentuale);

// Steps a window's alpha from da down to a by passo, setting it and pausing
// 10 ms at each step (the backdrop: 160 to 0; the shaped pop-up: 250 to 50).
// Returns the number of steps taken.
int Dissolvenza(QWidget *finestra, int da, int a, int passo,
                const std::function<int(int millisecondi)> &pausa);

class frmShadow : public QWidget {
    Q_OBJECT
public:
    using Pausa = std::function<int(int millisecondi)>;
    using ApriFinestra = std::function<int(QWidget *proprietario)>;

    frmShadow(Pausa pausa, QWidget *proprietario = nullptr);

    // Constant opacity for a window; returns the alpha set. Without a
    // compositing manager it has no visible effect, which is harmless.
    static int Traspa(QWidget *finestra, int percentuale);

    // Loads the backdrop: half opacity, shown over the screen, a 200 ms hold,
    // then the window opened modally with the backdrop as owner. Returns the
    // modal result.
    int MostraConFinestra(const ApriFinestra &apri);

    // Alpha from 160 down to 0 in steps of 5, pausing 10 ms on each (33 steps).
    void Dissolvi();

private:
    Pausa m_pausa;
};

// The main window's ShowWithBackdrop: which window each selector opens
// (1 user name, 2 results, 3 text-file report) and how it is shown.
class Backdrop {
public:
    // windowsNT5: layered windows are available (a compositing manager runs).
    // The clock times the hold and the fade and must outlive the backdrop.
    Backdrop(QWidget *finestraPrincipale, const platform::Clock &clock, bool windowsNT5);

    // The function receives the owner to parent its modal window to and returns
    // the modal result (QDialog::exec's value).
    void setFinestra(int selettore, frmShadow::ApriFinestra apri);
    // A dialog that lives elsewhere: it is parented to the backdrop while it
    // runs and handed back to its own parent afterwards.
    void setFinestra(int selettore, QDialog *dialogo);

    // Hides the shaped pop-up window before the backdrop shows.
    void setNascondiPopup(std::function<void()> nascondi) { m_nascondiPopup = std::move(nascondi); }
    // Replaces the pause (tests record the holds instead of waiting).
    void setPausa(frmShadow::Pausa pausa) { m_pausa = std::move(pausa); }

    // Opens the selected window, behind the backdrop when layered windows are
    // available, and returns its modal result; 0 (rejected) for a selector
    // with no window. A call made while a backdrop is up opens its window
    // directly, without a second backdrop.
    int ShowWithBackdrop(int selettore);

    int dialogoDaMostrare() const { return m_dialogoDaMostrare; }
    bool windowsNT5() const { return m_windowsNT5; }
    frmShadow *ombraAttiva() const { return m_ombra; }

private:
    QPointer<QWidget> m_principale;
    bool m_windowsNT5;
    int m_dialogoDaMostrare = 0;
    std::map<int, frmShadow::ApriFinestra> m_finestre;
    std::function<void()> m_nascondiPopup;
    frmShadow::Pausa m_pausa;
    QPointer<frmShadow> m_ombra;
};
