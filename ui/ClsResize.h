#pragma once
// Enlarges a window laid out for 800 x 600 on a large screen by fixed factors
// (1.41 across, 1.31 down, fonts by sqrt(1.41)), always from the geometry the
// controls had when first recorded, so repeated calls do not compound.
//
// Controls are the window's descendant widgets in creation order, with these
// left alone: other windows, Qt's own inner parts (objects named "qt_..." and
// the insides of scroll areas, spin boxes, combo boxes and tab widgets) and
// widgets placed by a layout, which the layout sizes itself.
// Kinds: a Linea is scaled by its end points; a QLabel showing a pixmap is an
// image and only moves (by the factors, plus 4); any other control is moved,
// sized and gets a larger font.

#include <QPointer>
#include <QSize>
#include <QVector>
#include <QWidget>

class ClsResize {
public:
    static constexpr double FATTORE_X = 1.41;
    static constexpr double FATTORE_Y = 1.31;
    static const double FATTORE_FONT;   // sqrt(1.41)
    static constexpr int SCOSTAMENTO_IMMAGINE = 4;

    ClsResize() = default;
    explicit ClsResize(QWidget *finestra) { setSourceForm(finestra); }

    QWidget *SourceForm() const { return m_finestra; }
    // A new window needs a new snapshot.
    void setSourceForm(QWidget *finestra);

    // Takes the snapshot if still needed, then scales.
    void SizeFormToScreen();
    // Scales every recorded control from its recorded geometry. The first call
    // on a fresh object only takes the snapshot.
    void ResizeControls();

    int numeroControlli() const { return int(m_controlli.size()); }
    QSize dimensioniProgetto() const { return m_dimensioniProgetto; }
    bool snapshotNecessario() const { return m_snapshotNecessario; }

    // The controls a window has, in the order they are recorded.
    static QVector<QWidget *> Controlli(QWidget *finestra);

private:
    enum class Tipo { Linea, Immagine, Altro };
    struct Controllo {
        QPointer<QWidget> widget;
        Tipo tipo = Tipo::Altro;
        int32_t sinistra = 0, alto = 0, larghezza = 0, altezza = 0;  // X1, Y1, X2, Y2 for a line
        float font = 0.0f;        // point size, or pixel size when fontInPixel
        bool fontInPixel = false;
        bool haFont = false;
    };

    void Snapshot();

    QPointer<QWidget> m_finestra;
    QSize m_dimensioniProgetto;
    QVector<Controllo> m_controlli;
    bool m_snapshotNecessario = true;
};
