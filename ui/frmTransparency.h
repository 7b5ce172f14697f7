#pragma once
// The sliding pop-up: a balloon-shaped child of the main window with a
// two-colour gradient that rises from the bottom of the screen to a point over
// the keyboard (clipped by the main window), shows a short hint and fades out
// when closed. Its shape is painted with antialiasing over what lies beneath,
// so it looks the same with or without a compositor, on X11 and on Wayland.
// It never takes the keyboard or the mouse: the learner types on while it
// shows, and a click goes to the control beneath it.

#include <QImage>
#include <QPainterPath>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

// One entry of an outline table: a decimal number read as nine digits (leading
// zeros added): digits 1-3 the left x, 4-6 the y, 7-9 the right x, in pixels
// of the window (right excluded). 49036092 is left 49, y 36, right 92.
struct Campata {
    int sinistra = 0;
    int y = 0;
    int destra = 0;
};
Campata DecodificaCampata(uint32_t voce);

// The outline of a table: each entry adds two one-pixel rows, y and y + 1,
// from left to right. Entries that are not nine-digit numbers or have right
// not beyond left add nothing.
QRegion RegioneDaCampate(const std::vector<uint32_t> &voci);

// A run of entries in a table: `volte` entries from `primo`, each the one
// before plus `incremento` (a straight edge); a single entry has volte 1.
struct SerieCampate {
    uint32_t primo;
    int32_t incremento;
    int volte;
};
std::vector<uint32_t> EspandiSerie(const SerieCampate *serie, int numero);

// The pop-up's outline table for the screen size (large screen or not).
const std::vector<uint32_t> &CampateSagoma(bool schermoGrande);

// The outline as a smooth path: through the middle of each entry's two rows
// on either side, so that straight and slanted edges are painted without
// steps. Within a pixel of the region of the same entries; one span a row.
QPainterPath TracciatoDaCampate(const std::vector<uint32_t> &voci);

// The window's size: 7785 x 4395 twips on a large screen, 5445 x 3075 otherwise.
QSize DimensioneTwips(bool schermoGrande);
constexpr int TwipsPerPixel = 15;
// Each step of the slide moves the window up by this much.
constexpr int PassoScorrimentoTwips = 300;

// The tops the slide gives the window, in twips: from the screen's bottom edge
// up in 300-twip steps while the top is not above the target. The last one is
// where the window rests: the target itself when the distance is a multiple of
// 300. When the screen ends above the target there is only the target.
std::vector<int> PosizioniScorrimento(int fondoSchermoTwips, int obiettivoTwips);

class frmTransparency : public QWidget {
    Q_OBJECT
public:
    using Pausa = std::function<void(int millisecondi)>;

    // A child of the main window. The pause keeps events flowing between the
    // steps of the slide and of the fade; handlers that run inside it may close
    // the pop-up.
    frmTransparency(QWidget *principale, bool schermoGrande, Pausa pausa);

    // The hint it shows.
    void setTesto(const QString &testo);
    QString testo() const { return testo_; }

    // Called with true when the pop-up opens and false when it closes (the
    // shared popupVisibile).
    void setSuVisibile(std::function<void(bool)> segna) { segnaVisibile_ = std::move(segna); }

    // Loading: the left edge at the target, then the slide from the screen's
    // bottom edge; both in the main window's pixels. Nothing happens while it
    // is already open.
    void Apri(const QPoint &obiettivo, int fondoSchermo);
    // Closing: a fade (alpha 250 down to 50), then hidden. Nothing happens when
    // it is not open. Safe to call from inside the slide or the fade.
    void Chiudi();

    bool aperto() const { return aperto_; }
    bool inScorrimento() const { return scorrimento_; }
    // The outline's region (the table's spans) and the alpha it is painted with.
    const QRegion &sagoma() const { return sagoma_; }
    int alpha() const { return alpha_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setAlpha(int alpha);
    // The balloon with its hint, drawn once for its resting place.
    const QImage &immagine();

    bool schermoGrande_;
    Pausa pausa_;
    QString testo_;
    std::function<void(bool)> segnaVisibile_;
    QRegion sagoma_;
    QPainterPath tracciato_;
    QImage immagine_;
    int altezzaVisibile_ = 0;   // rows that show where it rests
    int alpha_ = 255;
    bool aperto_ = false;
    bool scorrimento_ = false;
    bool dissolvenza_ = false;
    int apertura_ = 0;   // counts the openings, so a slide knows it was closed
};
