#pragma once
// Drawing the results in millimetres: the level tables of the window and the
// printed A4 page. One set of functions for the window, the printer and the
// tests, so that what is shown and what is printed come from the same code.

#include "results/Report.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <array>
#include <vector>

class QPainter;

namespace risultati {

// A text as it was written: where (millimetres) and what.
struct Scritta {
    double x, y;
    QString testo;
};

// Writes like a page-drawing object: text goes at the current position with
// the top of its line there, and moves the position to its end; a line end
// moves down one line of the current font and back to the left edge.
// Positions are millimetres from the painter's origin.
class Penna {
public:
    Penna(QPainter &painter, double puntiPerMillimetro);

    void setFont(const QFont &font);
    void setColore(const QColor &colore);
    void posiziona(double x, double y) { x_ = x; y_ = y; }
    void setX(double x) { x_ = x; }
    double x() const { return x_; }
    double y() const { return y_; }

    void scrivi(const QString &testo);
    // Text that ends at x = destra.
    void scriviADestra(double destra, const QString &testo);
    void aCapo(int volte = 1);

    // Keeps every text written from now on (the window keeps what its tables show).
    void setRegistro(std::vector<Scritta> *registro) { registro_ = registro; }

    double larghezza(const QString &testo) const;   // in the current font, millimetres
    double altezzaRiga() const;

    QPainter &painter() { return p_; }
    double mm(double v) const { return v * dpmm_; }   // millimetres to the device's units

private:
    QPainter &p_;
    double dpmm_;
    QFont font_;
    double x_ = 0, y_ = 0;
    std::vector<Scritta> *registro_ = nullptr;
};

// The pictures a page or the window shows.
struct Immagini {
    std::array<QImage, 5> simboli;   // the mode's five symbols, poorest first
    QImage tastiera;                 // the keyboard of the page's header
};

// One level's table on the window (MostraLivello): rows at x 8, "Punteggio"
// at x 72, scores ending at x 98, 10 points; the average row bold, 1 mm lower.
void MostraLivello(Penna &penna, double alto, const DatiReport &dati, int livello);

// The printed page (A4 portrait): header, the tables of the levels reached,
// the totals and the footer, with the symbols and the keyboard picture.
void StampaIntestazione(Penna &penna, const DatiReport &dati, const Immagini &immagini);
// Level 1..3 (sentences 5k-4 .. 5k) from inizioV down.
void StampaDati(Penna &penna, double inizioV, int livello, const DatiReport &dati,
                const Immagini &immagini);
void Stampatotali(Penna &penna, const DatiReport &dati, const Immagini &immagini);
void StampaRiga(Penna &penna);
void StampaPagina(QPainter &painter, const DatiReport &dati, const Immagini &immagini);

// Device units per millimetre on the painter's device.
double PuntiPerMillimetro(const QPainter &painter);

} // namespace risultati
