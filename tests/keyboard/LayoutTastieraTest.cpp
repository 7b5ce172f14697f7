// The keyboard model built from real keymaps (xkb-data, no X server): where
// each character is, which keymaps are taught as they are, the captions and
// the filter of the material on each.
#include "keyboard/ControlloLayout.h"
#include "keyboard/LayoutTastiera.h"
#include "keyboard/StatoTastiera.h"
#include "keyboard/TabellaTasti.h"
#include "platform/XkbKeyboard.h"

#include "tests/support/FakeServices.h"

#include <gtest/gtest.h>

using namespace tastiera;

namespace {

LayoutTastiera layout(const char *nome, const char *variante = "")
{
    std::optional<LayoutTastiera> l = LayoutTastiera::daNomi(nome, variante);
    if (!l)
        throw std::runtime_error("xkb-data has no such layout");
    return *l;
}

std::vector<int> tasti(const TabellaTasti &t, char16_t c)
{
    return t.TastiDellaVoce(t.CercaVoce(QChar(c)));
}

} // namespace

TEST(LayoutTastiera, eachKeymap_placesTheCharactersWhereItsKeysTypeThem)
{
    struct Caso {
        const char *nome, *variante;
        char16_t carattere;
        std::vector<int> tasti;   // main key, then the extra keys in the order pressed
    };
    const Caso casi[] = {
        {"fr", "", u'a', {0}},
        {"fr", "", u'B', {25, 30}},                 // right hand: left Shift
        {"fr", "", u'T', {4, 36}},
        {"fr", "", u'`', {45, 38}},                 // a live grave on AltGr + 7
        {"fr", "", u'~', {61, 38}},                 // the table's AltGr + é, though Shift + ² types it too
        {"fr", "", u'\u00EA', {2, 42}},             // ê: dead circumflex
        {"fr", "", u'\u00F2', {8, 41, 38}},         // ò: the dead grave is AltGr + *
        {"fr", "", u'\u00AB', {1, 38}},             // « on AltGr + Z
        {"fr", "latin9", u'\u0153', {52}},          // œ where the others have ²
        {"fr", "latin9", u'`', {9, 30, 38}},        // AltGr + Shift + P before the dead grave
        {"fr", "", u'@', {32, 38}},                 // AltGr + à, as in the table, not AltGr + Q
        {"fr", "oss", u'\u00EA', {2, 42}},          // dead circumflex before AltGr + R
        {"fr", "oss", u'\u0153', {8, 38}},
        {"fr", "oss", u'\u00C9', {61, 36, 38}},     // É: AltGr + Shift + é
        {"fr", "oss", u'\u202F', {24, 38}},         // the narrow no-break space on AltGr + V
        {"fr", "oss", u'\u2026', {27, 30, 38}},
        {"fr", "afnor", u'.', {27}},
        {"fr", "afnor", u'\u00C7', {23, 36, 38}},
        {"be", "", u'\u0153', {8, 38}},
        {"ch", "fr", u'\u00E8', {42}},
        {"ca", "", u'\u00E9', {53}},
    };
    for (const Caso &c : casi) {
        TabellaTasti t;
        const LayoutTastiera l = layout(c.nome, c.variante);
        t.ApplicaLayout(&l);
        EXPECT_EQ(tasti(t, c.carattere), c.tasti) << c.nome << "(" << c.variante << ") U+" << std::hex
                                                   << int(c.carattere);
    }
}

TEST(LayoutTastiera, frenchKeymaps_areTaughtAsTheyAre_othersAreNot)
{
    struct Caso {
        const char *nome, *variante;
        bool azerty;
        const char16_t *francesi;   // of œ Œ « » É À Ç È Ê ’ … — and the narrow no-break space
    };
    const Caso casi[] = {
        {"fr", "", true, u"«»ÉÀÈÊ’"},
        {"fr", "latin9", true, u"œŒ«»ÉÀÇÈÊ’"},
        {"fr", "oss", true, u"œŒ«»ÉÀÇÈÊ’…—\u202F"},
        {"fr", "afnor", true, u"œŒ«»ÉÀÇÈÊ’…—\u202F"},
        {"be", "", true, u"œŒ«»ÉÀÇÈÊ’"},
        {"ch", "fr", false, u"œŒ«»ÉÀÈÊ’"},
        {"ca", "", false, u"«»ÉÀÇÈÊ"},
        {"fr", "bepo", false, u"œŒ«»ÉÀÇÈÊ’…—\u202F"},
        {"us", "", false, u""},
        {"it", "", false, u"«»ÉÀÇÈÊ’"},
        {"de", "", false, u"«»ÉÀÇÈÊ’…—"},
    };
    const QString tutti = QString::fromUtf16(u"œŒ«»ÉÀÇÈÊ’…—\u202F");
    for (const Caso &c : casi) {
        const LayoutTastiera l = layout(c.nome, c.variante);
        EXPECT_EQ(TabellaTasti::CompatibileAzerty(l), c.azerty) << c.nome << "(" << c.variante << ")";
        TabellaTasti t;
        t.ApplicaLayout(&l);
        QString scritti;
        for (QChar ch : tutti)
            if (t.Scrive(ch))
                scritti += ch;
        EXPECT_EQ(scritti, QString::fromUtf16(c.francesi)) << c.nome << "(" << c.variante << ")";
    }
}

TEST(LayoutTastiera, captions_showWhatTheKeymapTypesAtEachLevel)
{
    // AFNOR moves 19 keys: every character a caption shows is what xkbcommon
    // gives for that key, Shift above, AltGr to the right.
    const LayoutTastiera afnor = layout("fr", "afnor");
    TabellaTasti t;
    t.ApplicaLayout(&afnor);
    for (int k = 0; k < NumeroTasti; ++k) {
        if (definizioneTasto(k).font == FontTasto::Simbolo || afnor.legenda(k, 0).isEmpty() || k == TastoSpazio)
            continue;
        const QStringList righe = testoVisibile(t.Legenda(k)).split(QStringLiteral("\r\n"));
        const QStringList sopra = righe.size() == 2 ? righe[0].split(u' ', Qt::SkipEmptyParts) : QStringList();
        const QStringList sotto = righe.last().split(u' ', Qt::SkipEmptyParts);
        if (righe.size() == 1) {   // a letter: its capital
            EXPECT_EQ(sotto, QStringList{afnor.legenda(k, 1)}) << k;
            continue;
        }
        if (!sopra.isEmpty()) {
            EXPECT_EQ(sopra[0], afnor.legenda(k, 1)) << k;
        }
        if (sopra.size() > 1) {
            EXPECT_EQ(sopra[1], afnor.legenda(k, 3)) << k;
        }
        const bool lettera = afnor.legenda(k, 0).at(0).isLower() && afnor.legenda(k, 0).toUpper() == afnor.legenda(k, 1);
        if (lettera) {
            EXPECT_EQ(sotto, QStringList{afnor.legenda(k, 2)}) << k;   // a letter's AltGr character
        } else {
            ASSERT_FALSE(sotto.isEmpty()) << k;
            EXPECT_EQ(sotto[0], afnor.legenda(k, 0)) << k;
            if (sotto.size() > 1) {
                EXPECT_EQ(sotto[1], afnor.legenda(k, 2)) << k;
            }
        }
    }
    EXPECT_EQ(t.Legenda(27), QStringLiteral(" ?\r\n  ."));   // AFNOR's full stop has its own key

    // Plain "fr" keeps the design's captions where it agrees with them.
    const LayoutTastiera fr = layout("fr");
    t.ApplicaLayout(&fr);
    for (int k : {0, 2, 42, 61, 33, 32, 51})
        EXPECT_EQ(t.Legenda(k), definizioneTasto(k).didascalia) << k;
    EXPECT_EQ(t.Legenda(1), QStringLiteral(" Z\r\n      \u00AB"));      // « is taught now
    EXPECT_EQ(t.Legenda(41), QStringLiteral(" \u00B5\r\n  *    `"));    // the dead grave lives here
    t.ApplicaLayout(nullptr);
    EXPECT_EQ(t.Legenda(41), definizioneTasto(41).didascalia);
}

TEST(LayoutTastiera, filter_keepsWhatTheKeymapTypes_andNeverDropsALetter)
{
    TabellaTasti t;   // the design's table: none of the French writer's characters
    EXPECT_EQ(t.FiltraCaratteri(QString::fromUtf16(u"cœur, École, « Ça… » — l’été\u202F!")),
              QString::fromUtf16(u"coeur, Ecole, \" Ca... \" - l'été !"));
    EXPECT_EQ(t.FiltraCaratteri(QString::fromUtf16(u"Ωx²")), QStringLiteral("x²"));

    const LayoutTastiera oss = layout("fr", "oss");
    t.ApplicaLayout(&oss);
    const QString francese = QString::fromUtf16(u"cœur, École, « Ça… » — l’été\u202F!");
    EXPECT_EQ(t.FiltraCaratteri(francese), francese);
    EXPECT_EQ(t.BattuteDellaVoce(t.CercaVoce(QChar(0xEA))), 2);   // ê: dead key and e
    EXPECT_EQ(t.BattuteDellaVoce(t.CercaVoce(QChar(0x153))), 1);  // œ: AltGr + O
}

TEST(ControlloLayout, keymapThatTypesFrench_isKeptWhateverItsName)
{
    for (const char *nome : {"fr", "fr(oss)", "fr(latin9)", "fr(afnor)", "be"}) {
        fake::Keyboard kb;
        kb.layout = nome;
        kb.keymaps = [](const QString &n) { return fake::keymapXkb(n); };
        ControlloLayout c(&kb);
        EXPECT_EQ(c.VerificaLayout(), ControlloLayout::Esito::Francese) << nome;
        EXPECT_TRUE(kb.activations.isEmpty()) << nome;
        ASSERT_TRUE(c.modello()) << nome;
        c.RipristinaLayout();
        EXPECT_TRUE(kb.activations.isEmpty()) << nome;
        EXPECT_EQ(kb.crashRestores, 1);
    }
}

TEST(ControlloLayout, otherKeymap_switchedOnX11_keptWithItsOwnKeysOnWayland)
{
    fake::Keyboard x11;
    x11.layout = "us";
    x11.keymaps = [](const QString &n) { return fake::keymapXkb(n); };
    ControlloLayout c(&x11);
    EXPECT_EQ(c.VerificaLayout(), ControlloLayout::Esito::Cambiato);
    EXPECT_EQ(c.layoutPrecedente(), "us");
    ASSERT_TRUE(c.modello());
    EXPECT_TRUE(TabellaTasti::CompatibileAzerty(*c.modello()));   // read again after the switch
    c.RipristinaLayout();
    EXPECT_EQ(x11.activations, (QStringList{"fr", "us"}));

    fake::Services f;   // Wayland: the compositor owns the keymap
    f.keyboard.layout = "de";
    f.keyboard.switchable = false;
    f.keyboard.keymaps = x11.keymaps;
    ControlloLayout w(&f.keyboard);
    AvvisoLayout avviso;
    avviso.dialogs = &f.dialogs;
    EXPECT_EQ(VerificaLayout(w, avviso), ControlloLayout::Esito::NonFrancese);
    EXPECT_TRUE(f.keyboard.activations.isEmpty());
    EXPECT_TRUE(f.dialogs.shown.empty());   // the window says it in a line
    ASSERT_TRUE(w.modello());
    EXPECT_EQ(w.modello()->simbolo(1, 0), U'w');   // QWERTZ legends, as the keys are
}
