#pragma once
// The static look of the 63 keys: geometry in twips, captions, fonts, and the
// finger groups that colour them.

#include <QColor>
#include <QString>
#include <cstdint>

namespace tastiera {

// How a key's caption is set.
enum class FontTasto {
    Normale,     // "Arial" 9.75 pt
    Medio,       // "Arial" 11.25 pt (keys 40 and 41)
    Grande,      // "Arial" 15.75 pt (key 42)
    Simbolo,     // a symbol glyph, centred
};

struct DefinizioneTasto {
    int left, top, width, height;   // twips inside the keyboard area
    QString didascalia;             // as a label shows it: "&&" is one "&", CR LF between lines
    FontTasto font;
    double puntiSimbolo;            // point size of a symbol glyph
};

// Area of the whole keyboard, in twips.
constexpr int LarghezzaTastieraTwips = 8955;
constexpr int AltezzaTastieraTwips = 3225;
constexpr int AltezzaEvidenziatoreTwips = 495;
constexpr int TwipsPerPixel = 15;

const DefinizioneTasto &definizioneTasto(int tasto);   // 0..62

// The text a label shows for a caption: "&&" becomes "&", a lone "&" (mnemonic) disappears.
QString testoVisibile(const QString &didascalia);

enum class GruppoDito { Mignolo, Anulare, Medio, Indice, Pollice };

GruppoDito gruppoDito(int tasto, bool divisioneErgonomica);
QColor coloreGruppo(GruppoDito gruppo);
// The colour as the settings store it: 0x00BBGGRR.
uint32_t valoreColore(const QColor &c);
QColor daValoreColore(uint32_t valore);

inline QColor coloreTastoNeutro() { return QColor(224, 224, 224); }

} // namespace tastiera
