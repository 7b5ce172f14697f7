#pragma once
// The learner's own keymap, read by what its keys type: for each of the 63
// on-screen keys the character (or dead accent) of each level, and for each
// character the strokes that type it. Built through xkbcommon from the keymap
// the desktop uses (the X server's, the Wayland compositor's) or, in tests,
// from xkb-data's rules, so the keyboard never has to be switched to be taught.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <array>
#include <optional>

struct xkb_keymap;

namespace tastiera {

// One key struck at a level: 0 alone, 1 Shift, 2 AltGr, 3 AltGr + Shift.
struct Battuta {
    int tasto = -1;
    int livello = 0;
    bool operator==(const Battuta &) const = default;
};

// How one character is typed: its own key, after a dead key when it has one.
// A spacing accent typed as a dead key then the space bar has the space bar
// as its key.
struct Digitazione {
    Battuta tasto;
    std::optional<Battuta> morto;
    bool operator==(const Digitazione &) const = default;
};

class LayoutTastiera {
public:
    static constexpr int Livelli = 4;

    // From a keymap in xkbcommon's text format (what the X server and the
    // Wayland compositor hand out); `gruppo` is the active layout of the keymap.
    static std::optional<LayoutTastiera> daTesto(const QByteArray &keymap, int gruppo = 0);
    // From xkb-data's rules, as setxkbmap compiles them: ("fr", "oss").
    static std::optional<LayoutTastiera> daNomi(const QString &layout, const QString &variante = QString());

    // The character a key gives at a level; 0 when none. A dead key gives its
    // combining accent (U+0300...) and morto() is true.
    char32_t simbolo(int tasto, int livello) const;
    bool morto(int tasto, int livello) const;
    // The accent as printed on a key cap: ˆ for a dead circumflex; the
    // character itself for a live key; empty when the key gives nothing.
    QString legenda(int tasto, int livello) const;

    // The cheapest way to type c: a key alone or with Shift, then a dead key
    // with a key of those levels, then AltGr, then any dead key. AltGr comes
    // after the dead circumflex and diaeresis since French typists learn
    // ê and ë that way where a keymap offers both.
    std::optional<Digitazione> digitazione(char32_t c) const;
    bool scrive(char32_t c) const { return digitazione(c).has_value(); }

    QString nome() const { return nome_; }   // the layout's own name: "French (alt.)"

private:
    LayoutTastiera() = default;
    static std::optional<LayoutTastiera> daKeymap(xkb_keymap *keymap, int gruppo);
    void calcolaDigitazioni();

    std::array<std::array<char32_t, Livelli>, 63> simboli_{};
    std::array<std::array<bool, Livelli>, 63> morti_{};
    QHash<char32_t, Digitazione> digitazioni_;
    QString nome_;
};

// The XKB name of each on-screen key ("AD01" for key 0); empty for none.
const char *nomeXkbTasto(int tasto);

} // namespace tastiera
