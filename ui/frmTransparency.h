#pragma once
// The sliding pop-up: a borderless window with a balloon-shaped outline and a
// two-colour gradient that rises from the bottom of the screen to a point over
// the keyboard, shows a short hint and, closed where window opacity works,
// fades out. It never takes the keyboard or the mouse: the learner types on
// while it shows, and a click goes to the window beneath it.

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

    // windowsNT5: window opacity works (a compositing manager runs), so closing
    // fades. The pause keeps events flowing between the steps of the slide and
    // of the fade; handlers that run inside it may close the pop-up.
    frmTransparency(QWidget *proprietario, bool schermoGrande, bool windowsNT5, Pausa pausa);

    // The hint it shows.
    void setTesto(const QString &testo);
    QString testo() const { return testo_; }

    // Called with true when the pop-up opens and false when it closes (the
    // shared popupVisibile).
    void setSuVisibile(std::function<void(bool)> segna) { segnaVisibile_ = std::move(segna); }

    // Loading: the outline for the screen size, the left edge at the target,
    // then the slide from the screen's bottom edge (screen pixels, global).
    // Nothing happens while it is already open.
    void Apri(const QPoint &obiettivo, int fondoSchermo);
    // Closing: a fade where opacity works, then hidden. Nothing happens when it
    // is not open. Safe to call from inside the slide or the fade.
    void Chiudi();

    bool aperto() const { return aperto_; }
    bool inScorrimento() const { return scorrimento_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool schermoGrande_;
    bool windowsNT5_;
    Pausa pausa_;
    QString testo_;
    std::function<void(bool)> segnaVisibile_;
    QRegion sagoma_;
    QRegion bordo_;
    int fondoSchermo_ = 0;   // the screen's bottom edge, global pixels
    bool aperto_ = false;
    bool scorrimento_ = false;
    bool dissolvenza_ = false;
    int apertura_ = 0;   // counts the openings, so a slide knows it was closed
};
