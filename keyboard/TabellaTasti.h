#pragma once
// The AZERTY key table: for each typeable character (code page 1252 value),
// the key that produces it and what must be pressed with or before that key.

#include "platform/Services.h"

#include <QChar>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace tastiera {

// What must be pressed with or before the table's key.
enum Modificatore : int16_t {
    TastoSolo = 0,
    ShiftSinistro = 1,      // left Shift (letters of the right hand)
    ShiftDestro = 2,        // right Shift (letters of the left hand)
    AltGr = 3,
    CirconflessoMorto = 5,  // dead circumflex (key 42) first
    GraveMorto = 6,         // AltGr + key 45 (dead grave) first
    DieresiMorta = 7,       // left Shift + key 42 (dead diaeresis) first
    GraveSpazio = 8,        // AltGr + the key (a dead key), then the space bar
};

// Key indices used by name elsewhere.
enum TastoSpeciale : int {
    TastoShiftSinistro = 30,
    TastoShiftDestro = 36,
    TastoAltGr = 38,
    TastoSpazio = 35,
    TastoMorto = 42,        // ¨ ˆ
    TastoGrave = 45,        // è 7 `
    TastoInvioBasso = 48,
    TastoInvioAlto = 62,
    TastoB = 25,
    TastoMenu = 37,
    NumeroTasti = 63,
};

class TabellaTasti {
public:
    static constexpr int NumeroVoci = 121;
    static constexpr int VoceInvio = 106;

    TabellaTasti();   // runs InizializzaTabellaTasti

    // Fills the 121 entries; the table never changes afterwards.
    void InizializzaTabellaTasti();

    int16_t tabTasto(int voce) const { return tasto_[size_t(voce)]; }
    int16_t tabCarattere(int voce) const { return carattere_[size_t(voce)]; }
    int16_t tabModificatore(int voce) const { return modificatore_[size_t(voce)]; }

    // Smallest entry index whose code is the character's code page 1252 value; -1 if none.
    int CercaVoce(QChar ch) const;
    int CercaVoce(const QString &ch) const;   // first character; -1 for an empty string
    int CercaVoceCodice(int codiceAnsi) const;

    // The text without the characters that have no key, in their order.
    QString FiltraCaratteri(const QString &testo) const;

    // The keys that show entry voce: the main key first, then the extra keys
    // in the order they are pressed (carriage return adds the upper Enter part).
    std::vector<int> TastiDellaVoce(int voce) const;

    // The grave accent (AltGr + 7) and the tilde (AltGr + 2) need the space bar
    // after them only where they are dead keys, as on Windows; Linux's "fr" gives
    // both at once. Without word from the layout, the table's own modifier holds.
    using TastiMorti = std::optional<platform::Keyboard::DeadKeys>;
    int16_t ModificatoreSulLayout(int voce, const TastiMorti &morti) const;
    std::vector<int> TastiDellaVoce(int voce, const TastiMorti &morti) const;

private:
    std::array<int16_t, NumeroVoci> tasto_{};
    std::array<int16_t, NumeroVoci> carattere_{};
    std::array<int16_t, NumeroVoci> modificatore_{};
    std::array<int16_t, 256> primaVoce_{};   // code -> first entry, -1 when none
};

} // namespace tastiera
