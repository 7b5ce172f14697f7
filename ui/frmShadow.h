#pragma once
// The dimmed backdrop behind the main window's modal windows: a child of the
// main window covering it, painting black at half alpha, shown before the
// chosen window opens modally and faded out when it closes. Painted by the
// program itself, it looks the same with or without a compositing manager,
// on X11 and on Wayland.

#include "platform/Services.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

class QDialog;

// Alpha for a percentage: percent * 255 / 100 rounded half to even (50 -> 128).
// Percentages are brought into 0..100 first, so the product never overflows.
int AlphaDaPercentuale(int percentuale);

// Steps an alpha from da down to a by passo, handing each value to imposta and
// pausing 10 ms after it (the backdrop: 160 to 0; the pop-up: 250 to 50).
// Ends early when guardia goes away during a pause. Returns the steps taken.
int Dissolvenza(QObject *guardia, const std::function<void(int alpha)> &imposta, int da, int a,
                int passo, const std::function<int(int millisecondi)> &pausa);
// The same on a window's opacity (a top-level window where a compositor runs).
int Dissolvenza(QWidget *finestra, int da, int a, int passo,
                const std::function<int(int millisecondi)> &pausa);

class frmShadow : public QWidget {
    Q_OBJECT
public:
    using Pausa = std::function<int(int millisecondi)>;
    using ApriFinestra = std::function<int(QWidget *proprietario)>;

    // Covers the main window and follows its size.
    frmShadow(Pausa pausa, QWidget *principale);

    // The backdrop's alpha for a percentage; another widget gets it as its
    // window opacity (which needs a compositor). Returns the alpha set.
    static int Traspa(QWidget *finestra, int percentuale);
    int alpha() const { return m_alpha; }
    void setAlpha(int alpha);

    // Loads the backdrop: half alpha, raised over the main window, a 200 ms
    // hold, then the window opened modally, owned by the main window. Returns
    // the modal result.
    int MostraConFinestra(const ApriFinestra &apri);

    // Alpha from 160 down to 0 in steps of 5, pausing 10 ms on each (33 steps).
    void Dissolvi();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    Pausa m_pausa;
    int m_alpha = 0;
    QPixmap m_sotto;   // the main window beneath, while fading
};

// The main window's ShowWithBackdrop: which window each selector opens
// (1 user name, 2 results, 3 text-file report) and how it is shown.
class Backdrop {
public:
    // The clock times the hold and the fade and must outlive the backdrop.
    Backdrop(QWidget *finestraPrincipale, const platform::Clock &clock);

    // The function receives the owner to parent its modal window to (the main
    // window) and returns the modal result (QDialog::exec's value).
    void setFinestra(int selettore, frmShadow::ApriFinestra apri);
    // A dialog that lives elsewhere: it is parented to the owner while it runs
    // and handed back to its own parent afterwards.
    void setFinestra(int selettore, QDialog *dialogo);

    // Hides the sliding pop-up before the backdrop shows.
    void setNascondiPopup(std::function<void()> nascondi) { m_nascondiPopup = std::move(nascondi); }
    // Replaces the pause (tests record the holds instead of waiting).
    void setPausa(frmShadow::Pausa pausa) { m_pausa = std::move(pausa); }

    // Opens the selected window behind the backdrop and returns its modal
    // result; 0 (rejected) for a selector with no window. A call made while a
    // backdrop is up opens its window directly, without a second backdrop.
    int ShowWithBackdrop(int selettore);

    int dialogoDaMostrare() const { return m_dialogoDaMostrare; }
    frmShadow *ombraAttiva() const { return m_ombra; }

private:
    QPointer<QWidget> m_principale;
    int m_dialogoDaMostrare = 0;
    std::map<int, frmShadow::ApriFinestra> m_finestre;
    std::function<void()> m_nascondiPopup;
    frmShadow::Pausa m_pausa;
    QPointer<frmShadow> m_ombra;
};
