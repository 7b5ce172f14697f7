#pragma once
// Balloon tooltips: a tip window with a title line (an icon and a bold title)
// over the text, pointing at the mouse, shown after a delay over a control
// and hidden after a time or when the mouse leaves or clicks. One object
// serves a group of controls; each control has one tool with its own text.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

class QTimer;
class QWidget;
class FinestraFumetto;

class cTooltip : public QObject {
    Q_OBJECT
public:
    // The title icons, as numbered by the tooltip window.
    enum Icona { NessunaIcona = 0, IconaInfo = 1, IconaAvviso = 2, IconaErrore = 3 };
    static constexpr int StileFumetto = 1;

    explicit cTooltip(QObject *parent = nullptr);
    ~cTooltip() override;

    // Whether the screen composes windows (a compositing manager, Wayland):
    // then the tip window is translucent and its shape is painted with smooth
    // edges; otherwise a mask cuts the shape (a translucent window would show
    // black there). Set before Create.
    void setComposizione(bool composizione) { composizione_ = composizione; }
    bool composizione() const { return composizione_; }

    // Makes the tip window once, owned by the window; true when it exists.
    bool Create(QWidget *proprietario);

    // Registers a control with its text. False before Create, for no control
    // and for a control that already has a tool (which keeps its text).
    bool AddTool(QWidget *controllo, const QString &testo);
    bool RemoveTool(QWidget *controllo);
    // The text of the control's tool, up to a terminating zero; empty when the
    // control has none. Setting it on a control without a tool does nothing.
    QString ToolText(QWidget *controllo) const;
    void setToolText(QWidget *controllo, const QString &testo);

    // 1: balloon (the default); anything else: a plain rectangle.
    int Style() const { return stile_; }
    void setStyle(int stile);
    // An empty title is kept as one blank: the tip still has its title line.
    QString Title() const { return titolo_; }
    void setTitle(const QString &titolo);
    int Icon() const { return icona_; }
    void setIcon(int icona);
    // Windows colour values (0x00BBGGRR).
    uint32_t BackColor() const { return sfondo_; }
    void setBackColor(uint32_t colore);
    uint32_t ForeColor() const { return testo_; }
    void setForeColor(uint32_t colore);
    // Wrap width in pixels; 0 or less: no limit (lines break only where the text does).
    int MaxTipWidth() const { return larghezzaMassima_; }
    void setMaxTipWidth(int pixel);
    // Milliseconds before the tip shows (default 500) and while it stays (default 20000).
    int DelayTime() const { return ritardo_; }
    void setDelayTime(int millisecondi);
    int VisibleTime() const { return durata_; }
    void setVisibleTime(int millisecondi);

    // The tip window (none before Create) and the number of tools.
    QWidget *hwnd() const;
    int ToolCount() const { return int(strumenti_.size()); }

    // Shows the control's tip at once, pointing at a screen point (what the
    // delay after the mouse came in ends with). False without a tool.
    bool MostraSuggerimento(QWidget *controllo, const QPoint &punto);
    void NascondiSuggerimento();
    // The control whose tip shows, or none.
    QWidget *suggerimentoVisibile() const;
    // What the tip window carries, and where its title line and text are laid
    // out (its own pixels).
    struct Mostrato {
        QString titolo, testo;
        int icona = 0;
        bool fumetto = true;
        QRect rettangoloTitolo, rettangoloTesto;
    };
    Mostrato mostrato() const;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    struct Strumento {
        QPointer<QWidget> controllo;
        QString testo;
    };
    Strumento *trova(const QWidget *controllo);
    const Strumento *trova(const QWidget *controllo) const;
    void aggiornaFinestra();
    void applicaTempi();

    QPointer<FinestraFumetto> finestra_;
    bool creato_ = false;
    bool composizione_ = false;
    int stile_ = StileFumetto;
    QString titolo_ = QStringLiteral(" ");
    int icona_ = NessunaIcona;
    uint32_t sfondo_ = 0x00E1FFFF;   // the system's pale yellow of tips
    uint32_t testo_ = 0x00000000;
    int larghezzaMassima_ = 0;
    int ritardo_ = 500;
    int durata_ = 20000;
    std::vector<Strumento> strumenti_;
    QTimer *attesa_ = nullptr;      // the delay before showing
    QTimer *scadenza_ = nullptr;    // the time visible
    QPointer<QWidget> inAttesa_;    // the control the mouse is over
    QPoint puntoAttesa_;
    QPointer<QWidget> mostrato_;
    QPoint puntoMostrato_;
};
