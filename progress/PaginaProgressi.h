#pragma once
// The progress page, laid out once in millimetres on an A4 sheet (top-left
// origin) and drawn on a canvas: the window and the printer draw it with
// QPainter, the PDF with the program's own writer, so all three show the same
// page. Its parts: the days' speed and accuracy per kind of material, the
// keyboard as a map of error rate per key, the ten weakest characters with
// their confusions, the course's lessons, the game's best totals.

#include "progress/StatisticheProgressi.h"

#include <QDateTime>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

class clsPDFCreator;
namespace platform {
class Clock;
class RandomSource;
}
namespace progressi {

// Colours as 0xRRGGBB.
class Tela {
public:
    enum Allinea { Sinistra = 0, Destra = 1, Centro = 2 };
    virtual ~Tela() = default;
    virtual void Linea(QPointF a, QPointF b, uint32_t colore, float spessore) = 0;
    virtual void Polilinea(const std::vector<QPointF> &punti, uint32_t colore, float spessore) = 0;
    // A colour of 0xFFFFFFFF leaves the fill (or the border) out.
    virtual void Rettangolo(const QRectF &r, uint32_t riempimento, uint32_t bordo) = 0;
    // `pos` is the left (right, centre) end of the text's baseline; size in points.
    virtual void Testo(QPointF pos, const QString &t, float punti, bool grassetto, uint32_t colore,
                       Allinea allinea = Sinistra) = 0;
    // The keyboard's own painting in place of the drawn key map, where the
    // canvas has one; false: the keys are drawn as rectangles.
    virtual bool Tastiera(const QRectF &) { return false; }
};
constexpr uint32_t Nessuno = 0xFFFFFFFF;

// The texts of the page, in the interface language.
struct TestiPagina {
    QString titolo = QStringLiteral("Progressi di");
    QString anonimo = QStringLiteral("(senza nome)");
    QString periodo30 = QStringLiteral("Ultimi 30 giorni");
    QString periodoTutto = QStringLiteral("Tutto");
    QString velocita = QStringLiteral("Velocità (caratteri al minuto)");
    QString precisione = QStringLiteral("Precisione (%)");
    std::array<QString, 6> materiali = {
        QStringLiteral("Frasi interne"), QStringLiteral("Corso dattilo"), QStringLiteral("Esercizi"),
        QStringLiteral("File di testo"), QStringLiteral("Tasti deboli"), QStringLiteral("Gioco")};
    QString mappa = QStringLiteral("Errori per tasto");
    QString deboli = QStringLiteral("I dieci caratteri più deboli");
    QString errori = QStringLiteral("errori");
    QString confusione = QStringLiteral("%1 digitato al posto di %2");
    QString corso = QStringLiteral("Corso");
    QString lezione = QStringLiteral("Lezione");
    QString ultima = QStringLiteral("Ultima");
    QString migliore = QStringLiteral("Migliore");
    QString daFare = QStringLiteral("Non ancora fatte:");
    QString gioco = QStringLiteral("Gioco");
    QString allenamento = QStringLiteral("Allenamento");
    std::array<QString, 3> livelliGioco = {QStringLiteral("Facile"), QStringLiteral("Medio"),
                                           QStringLiteral("Difficile")};
    QString nessunDato = QStringLiteral("Ancora nessun esercizio registrato.");
};

// One key of the map, in the keyboard's own pixels.
struct TastoMappa {
    QRectF rettangolo;
    QString etichetta;
    double tasso = -1;         // wrong keys per attempt; -1: no figures
};

struct DatiPagina {
    Riepilogo riepilogo;
    bool ultimi30 = true;
    int oggi = 0;                        // yyyymmdd
    QDateTime adesso;
    std::vector<TastoMappa> tasti;
    QStringList lezioniCorso;            // every lesson of the course, in order
    TestiPagina testi;
};

constexpr QSizeF A4{210, 297};

// The colour of an error rate: green, yellow, red; grey without figures.
uint32_t ColoreTasso(double tasso);
// The whole page.
void DisegnaPagina(Tela &tela, const DatiPagina &d);
// The chart alone, in `area` (also the window's).
void DisegnaGrafico(Tela &tela, const QRectF &area, const DatiPagina &d);

// The page as a one-page PDF; false when it could not be written whole.
bool ScriviPDF(const QString &percorso, const DatiPagina &d, const platform::Clock *clock,
               platform::RandomSource *random);

} // namespace progressi
