#pragma once
// The AZERTY key table: for each typeable character (code page 1252 value),
// the key that produces it and what must be pressed with or before that key.

#include "keyboard/LayoutTastiera.h"

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
    // Only where the learner's keymap puts a character elsewhere:
    AltGrShift = 4,         // AltGr and Shift together
    AltroMorto = 9,         // another dead key first (TastiDellaVoce lists it)
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
    // The AZERTY table's own entries, then the characters a French writer
    // needs that only some keymaps type: œ Œ « » É À Ç È Ê ’ … — and the
    // narrow no-break space. Those have a key only once a keymap that types
    // them is applied.
    static constexpr int NumeroVoci = 121;
    static constexpr int VociFrancesi = 13;
    static constexpr int TotaleVoci = NumeroVoci + VociFrancesi;
    static constexpr int VoceInvio = 106;

    TabellaTasti();   // runs InizializzaTabellaTasti

    // Fills the 121 entries with the keys of the AZERTY table; the French
    // writer's characters get no key.
    void InizializzaTabellaTasti();

    // Takes every entry's keys from the learner's keymap: what it types, as it
    // types it; what it cannot type gets no key. Null: the AZERTY table again.
    void ApplicaLayout(const LayoutTastiera *layout);
    const LayoutTastiera *layout() const { return layout_ ? &*layout_ : nullptr; }

    // A keymap that types the letters where AZERTY has them and every
    // character of the table but a few rare signs (ˆ ¤ ² µ) is taught as it is.
    static bool CompatibileAzerty(const LayoutTastiera &layout);

    int16_t tabTasto(int voce) const { return tasto_[size_t(voce)]; }
    int16_t tabCarattere(int voce) const { return carattere_[size_t(voce)]; }
    int16_t tabModificatore(int voce) const { return modificatore_[size_t(voce)]; }

    // Smallest entry index with a key whose code is the character's code
    // (code page 1252 value, or testo::codiceTasto beyond it); -1 if none.
    int CercaVoce(QChar ch) const;
    int CercaVoce(const QString &ch) const;   // first character; -1 for an empty string
    int CercaVoceCodice(int codiceAnsi) const;

    bool Scrive(QChar ch) const { return CercaVoce(ch) >= 0; }

    // The text as the keyboard can type it, in its order: a character without
    // a key becomes its nearest typeable form (œ oe, É E, « and » ", ’ ',
    // … ..., — -, a special blank a blank); one with none is dropped.
    QString FiltraCaratteri(const QString &testo) const;
    QString FormaVicina(QChar ch) const;

    // The keys that show entry voce: the main key first, then the extra keys
    // in the order they are pressed (carriage return adds the upper Enter part).
    std::vector<int> TastiDellaVoce(int voce) const;
    // The keystrokes the entry takes: a dead key and the key, or one.
    int BattuteDellaVoce(int voce) const;

    // A key's caption as the keyboard shows it: the design's own without a
    // keymap, or where the keymap gives the key the same characters; else
    // what the keymap gives, Shift above, AltGr to the right, the AltGr
    // levels only where an entry of the table uses them.
    QString Legenda(int tasto) const;

private:
    void indicizza();
    bool livelloUsato(int tasto, int livello) const;
    static int16_t codicePer(const Digitazione &d);

    std::array<int16_t, TotaleVoci> tasto_{};
    std::array<int16_t, TotaleVoci> carattere_{};
    std::array<int16_t, TotaleVoci> modificatore_{};
    std::array<Digitazione, TotaleVoci> digitazione_{};   // with a keymap: its strokes
    std::array<int16_t, 256> primaVoce_{};   // code -> first entry with a key, -1 when none
    std::optional<LayoutTastiera> layout_;
};

// The shift key the other hand holds for a key: left Shift for the keys of
// the right hand (from B on), right Shift for those of the left.
int TastoShiftPer(int tasto);

} // namespace tastiera
