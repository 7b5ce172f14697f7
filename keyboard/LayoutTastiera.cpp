#include "keyboard/LayoutTastiera.h"

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>

namespace tastiera {

namespace {

constexpr int NumeroTastiLayout = 63;

// Index of the on-screen key -> XKB key name (evdev/pc105 names).
constexpr std::array<const char *, NumeroTastiLayout> kNomi{
    "AD01", "AD02", "AD03", "AD04", "AD05", "AD06", "AD07", "AD08", "AD09", "AD10",   // 0..9
    "AC01", "AC02", "AC03", "AC04", "AC05", "AC06", "AC07", "AC08", "AC09", "AC10",   // 10..19
    "LSGT", "AB01", "AB02", "AB03", "AB04", "AB05", "AB06", "AB07", "AB08", "AB09",   // 20..29
    "LFSH", "LALT", "AE10", "AE09", "AE08", "SPCE", "RTSH", "COMP", "RALT", "RWIN",   // 30..39
    "AC11", "BKSL", "AD11", "AD12", "LCTL", "AE07", "AE06", "RCTL", "RTRN", "AE05",   // 40..49
    "AE11", "AE12", "TLDE", "AB10", "TAB",  "CAPS", "LWIN", "AE04", "AE03", "BKSP",   // 50..59
    "AE01", "AE02", nullptr,                                                          // 60..62 (62: upper Enter)
};

constexpr int TastoSpazio = 35;

// Keys that type characters; the modifiers, Tab, Backspace and Enter do not
// (Enter's carriage return is the key table's own business).
bool tastoDiCarattere(int tasto)
{
    switch (tasto) {
    case 30: case 31: case 36: case 37: case 38: case 39: case 44: case 47:
    case 48: case 54: case 55: case 56: case 59: case 62:
        return false;
    default:
        return tasto >= 0 && tasto < NumeroTastiLayout;
    }
}

struct Accento {
    xkb_keysym_t morto;
    char32_t combinante;
    char32_t legenda;        // the accent as printed on a key cap
    char32_t conSpazio;      // what the dead key and the space bar give; 0: not taught
};

constexpr Accento kAccenti[] = {
    {XKB_KEY_dead_grave, 0x0300, U'`', U'`'},
    {XKB_KEY_dead_acute, 0x0301, U'´', 0},
    {XKB_KEY_dead_circumflex, 0x0302, U'ˆ', U'^'},
    {XKB_KEY_dead_tilde, 0x0303, U'˜', U'~'},
    {XKB_KEY_dead_macron, 0x0304, U'¯', 0},
    {XKB_KEY_dead_breve, 0x0306, U'˘', 0},
    {XKB_KEY_dead_abovedot, 0x0307, U'˙', 0},
    {XKB_KEY_dead_diaeresis, 0x0308, U'¨', 0},
    {XKB_KEY_dead_abovering, 0x030A, U'˚', 0},
    {XKB_KEY_dead_doubleacute, 0x030B, U'˝', 0},
    {XKB_KEY_dead_caron, 0x030C, U'ˇ', 0},
    {XKB_KEY_dead_belowdot, 0x0323, U'̣', 0},
    {XKB_KEY_dead_cedilla, 0x0327, U'¸', 0},
    {XKB_KEY_dead_ogonek, 0x0328, U'˛', 0},
};

const Accento *accentoDi(char32_t combinante)
{
    for (const Accento &a : kAccenti)
        if (a.combinante == combinante)
            return &a;
    return nullptr;
}

// A base character and a combining accent as one character; 0 when Unicode
// has none (the same pairs the compose tables of the desktop hold).
char32_t componi(char32_t base, char32_t combinante)
{
    if (base == U' ') {
        const Accento *a = accentoDi(combinante);
        return a ? a->conSpazio : 0;
    }
    if (base > 0xFFFF)
        return 0;
    const QString s = QString(QChar(char16_t(base))) + QChar(char16_t(combinante));
    const QString n = s.normalized(QString::NormalizationForm_C);
    return n.size() == 1 ? char32_t(n.at(0).unicode()) : 0;
}

struct Contesto {
    xkb_context *ctx = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    ~Contesto() { if (ctx) xkb_context_unref(ctx); }
};

struct Keymap {
    xkb_keymap *km = nullptr;
    ~Keymap() { if (km) xkb_keymap_unref(km); }
};

} // namespace

const char *nomeXkbTasto(int tasto)
{
    return tasto >= 0 && tasto < NumeroTastiLayout ? kNomi[size_t(tasto)] : nullptr;
}

std::optional<LayoutTastiera> LayoutTastiera::daTesto(const QByteArray &keymap, int gruppo)
{
    Contesto c;
    if (!c.ctx || keymap.isEmpty())
        return std::nullopt;
    xkb_context_set_log_level(c.ctx, XKB_LOG_LEVEL_CRITICAL);
    const QByteArray testo = keymap.endsWith('\0') ? keymap : keymap + '\0';
    Keymap k{xkb_keymap_new_from_string(c.ctx, testo.constData(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                        XKB_KEYMAP_COMPILE_NO_FLAGS)};
    return k.km ? daKeymap(k.km, gruppo) : std::nullopt;
}

std::optional<LayoutTastiera> LayoutTastiera::daNomi(const QString &layout, const QString &variante)
{
    Contesto c;
    if (!c.ctx)
        return std::nullopt;
    xkb_context_set_log_level(c.ctx, XKB_LOG_LEVEL_CRITICAL);
    const QByteArray l = layout.toUtf8(), v = variante.toUtf8();
    const xkb_rule_names nomi{"evdev", "pc105", l.constData(), v.constData(), ""};
    Keymap k{xkb_keymap_new_from_names(c.ctx, &nomi, XKB_KEYMAP_COMPILE_NO_FLAGS)};
    return k.km ? daKeymap(k.km, 0) : std::nullopt;
}

std::optional<LayoutTastiera> LayoutTastiera::daKeymap(xkb_keymap *keymap, int gruppo)
{
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts(keymap);
    if (layouts == 0)
        return std::nullopt;
    const xkb_layout_index_t g = gruppo >= 0 && xkb_layout_index_t(gruppo) < layouts ? xkb_layout_index_t(gruppo) : 0;

    LayoutTastiera l;
    if (const char *n = xkb_keymap_layout_get_name(keymap, g))
        l.nome_ = QString::fromUtf8(n);

    // The levels are what the fingers do: the left Shift, the right Alt (AltGr).
    const xkb_keycode_t shift = xkb_keymap_key_by_name(keymap, "LFSH");
    const xkb_keycode_t altGr = xkb_keymap_key_by_name(keymap, "RALT");
    for (int livello = 0; livello < Livelli; ++livello) {
        std::unique_ptr<xkb_state, decltype(&xkb_state_unref)> st(xkb_state_new(keymap), xkb_state_unref);
        if (!st)
            return std::nullopt;
        xkb_state_update_mask(st.get(), 0, 0, 0, 0, 0, g);
        if ((livello & 1) && shift != XKB_KEYCODE_INVALID)
            xkb_state_update_key(st.get(), shift, XKB_KEY_DOWN);
        if ((livello & 2) && altGr != XKB_KEYCODE_INVALID)
            xkb_state_update_key(st.get(), altGr, XKB_KEY_DOWN);
        // Without an AltGr key these levels give what the plain ones give: none.
        if ((livello & 2) && altGr == XKB_KEYCODE_INVALID)
            continue;
        for (int t = 0; t < NumeroTastiLayout; ++t) {
            if (!tastoDiCarattere(t))
                continue;
            const xkb_keycode_t kc = xkb_keymap_key_by_name(keymap, kNomi[size_t(t)]);
            if (kc == XKB_KEYCODE_INVALID)
                continue;
            const xkb_keysym_t sym = xkb_state_key_get_one_sym(st.get(), kc);
            char32_t c = xkb_keysym_to_utf32(sym);
            bool morto = false;
            if (c == 0) {
                for (const Accento &a : kAccenti)
                    if (a.morto == sym) {
                        c = a.combinante;
                        morto = true;
                    }
            }
            // Control characters (a keymap may put Escape anywhere) type nothing here.
            if (!morto && (c < 0x20 || c == 0x7F))
                c = 0;
            l.simboli_[size_t(t)][size_t(livello)] = c;
            l.morti_[size_t(t)][size_t(livello)] = morto;
        }
    }
    // AltGr levels that only repeat the plain ones (a keymap without a third
    // level) are not levels of their own.
    for (int t = 0; t < NumeroTastiLayout; ++t)
        for (int livello = 2; livello < Livelli; ++livello)
            if (l.simboli_[size_t(t)][size_t(livello)] == l.simboli_[size_t(t)][size_t(livello - 2)] &&
                l.morti_[size_t(t)][size_t(livello)] == l.morti_[size_t(t)][size_t(livello - 2)]) {
                l.simboli_[size_t(t)][size_t(livello)] = 0;
                l.morti_[size_t(t)][size_t(livello)] = false;
            }
    l.calcolaDigitazioni();
    return l;
}

void LayoutTastiera::calcolaDigitazioni()
{
    const auto aggiungi = [this](char32_t c, const Digitazione &d) {
        if (c != 0 && !digitazioni_.contains(c))
            digitazioni_.insert(c, d);
    };
    const auto diretti = [&](int daLivello, int aLivello) {
        for (int livello = daLivello; livello <= aLivello; ++livello)
            for (int t = 0; t < NumeroTastiLayout; ++t)
                if (!morti_[size_t(t)][size_t(livello)])
                    aggiungi(simboli_[size_t(t)][size_t(livello)], Digitazione{{t, livello}, std::nullopt});
    };
    const auto conMorto = [&](int maxLivelloMorto, int maxLivelloBase, bool conSpazio) {
        for (int lm = 0; lm <= maxLivelloMorto; ++lm)
            for (int m = 0; m < NumeroTastiLayout; ++m) {
                if (!morti_[size_t(m)][size_t(lm)])
                    continue;
                const char32_t accento = simboli_[size_t(m)][size_t(lm)];
                for (int lb = 0; lb <= maxLivelloBase; ++lb)
                    for (int t = 0; t < NumeroTastiLayout; ++t) {
                        if (morti_[size_t(t)][size_t(lb)] || simboli_[size_t(t)][size_t(lb)] == 0)
                            continue;
                        if (t == TastoSpazio && (lb != 0 || !conSpazio))
                            continue;
                        aggiungi(componi(simboli_[size_t(t)][size_t(lb)], accento),
                                 Digitazione{{t, lb}, Battuta{m, lm}});
                    }
            }
    };
    // A spacing accent typed as a dead key and the space bar comes last: ^
    // on AltGr + 9 is the French habit where both exist.
    diretti(0, 1);
    conMorto(1, 1, false);
    diretti(2, 3);
    conMorto(3, 3, true);
}

char32_t LayoutTastiera::simbolo(int tasto, int livello) const
{
    if (tasto < 0 || tasto >= NumeroTastiLayout || livello < 0 || livello >= Livelli)
        return 0;
    return simboli_[size_t(tasto)][size_t(livello)];
}

bool LayoutTastiera::morto(int tasto, int livello) const
{
    if (tasto < 0 || tasto >= NumeroTastiLayout || livello < 0 || livello >= Livelli)
        return false;
    return morti_[size_t(tasto)][size_t(livello)];
}

QString LayoutTastiera::legenda(int tasto, int livello) const
{
    char32_t c = simbolo(tasto, livello);
    if (c == 0)
        return QString();
    if (morto(tasto, livello))
        if (const Accento *a = accentoDi(c))
            c = a->legenda;
    return QString::fromUcs4(&c, 1);
}

std::optional<Digitazione> LayoutTastiera::digitazione(char32_t c) const
{
    const auto it = digitazioni_.constFind(c);
    if (it == digitazioni_.constEnd())
        return std::nullopt;
    return *it;
}

} // namespace tastiera
