#include "keyboard/ModelloTastiera.h"
#include "keyboard/TabellaTasti.h"

#include <gtest/gtest.h>
#include <set>

using namespace tastiera;

namespace {

std::vector<int> tasti(const TabellaTasti &t, QChar c)
{
    return t.TastiDellaVoce(t.CercaVoce(c));
}

} // namespace

// --- The key table ---

TEST(TabellaTasti, everyEntry_filledOnceWithDistinctCodes)
{
    TabellaTasti t;
    std::set<int> codici;
    for (int i = 0; i < TabellaTasti::NumeroVoci; ++i) {
        EXPECT_GE(t.tabTasto(i), 0) << i;
        EXPECT_LE(t.tabTasto(i), 61) << i;
        EXPECT_TRUE(codici.insert(t.tabCarattere(i)).second) << "code twice at entry " << i;
    }
    // Keys that only appear as extra keys have no entry.
    for (int i = 0; i < TabellaTasti::NumeroVoci; ++i)
        for (int k : {30, 31, 36, 37, 38, 39, 42, 44, 47, 54, 55, 56, 59, 62})
            EXPECT_NE(t.tabTasto(i), k);
}

TEST(TabellaTasti, deadKeysAndAltGr_showTheirExtraKeys)
{
    TabellaTasti t;
    EXPECT_EQ(tasti(t, QChar(0xE2)), (std::vector<int>{0, 42}));       // â
    EXPECT_EQ(tasti(t, QChar(0xEB)), (std::vector<int>{2, 42, 30}));   // ë
    EXPECT_EQ(tasti(t, QChar(0xF2)), (std::vector<int>{8, 38, 45}));   // ò
    EXPECT_EQ(tasti(t, QChar('`')), (std::vector<int>{45, 38, 35}));
    EXPECT_EQ(tasti(t, QChar(0x20AC)), (std::vector<int>{2, 38}));     // €
    EXPECT_EQ(tasti(t, QChar('\r')), (std::vector<int>{48, 62}));
    EXPECT_EQ(tasti(t, QChar(0x2C6)), (std::vector<int>{33, 38}));     // modifier circumflex, code 136
}


TEST(TabellaTasti, capitals_takeTheShiftOfTheOtherHand)
{
    TabellaTasti t;
    for (char c : {'B', 'N', 'Y', 'H'})
        EXPECT_EQ(t.tabModificatore(t.CercaVoce(QChar(c))), ShiftSinistro) << c;
    for (char c : {'T', 'G', 'V'})
        EXPECT_EQ(t.tabModificatore(t.CercaVoce(QChar(c))), ShiftDestro) << c;
}

TEST(TabellaTasti, fullStopNeedsShift_semicolonDoesNot)
{
    TabellaTasti t;
    const int punto = t.CercaVoce(QChar('.'));
    const int puntoVirgola = t.CercaVoce(QChar(';'));
    EXPECT_EQ(t.tabTasto(punto), 28);
    EXPECT_EQ(t.tabModificatore(punto), ShiftSinistro);
    EXPECT_EQ(t.tabTasto(puntoVirgola), 28);
    EXPECT_EQ(t.tabModificatore(puntoVirgola), TastoSolo);
}

TEST(TabellaTasti, lookup_givesFixedEntryIndices)
{
    TabellaTasti t;
    EXPECT_EQ(t.CercaVoce(QChar('a')), 0);
    EXPECT_EQ(t.CercaVoce(QChar('\r')), TabellaTasti::VoceInvio);
    EXPECT_EQ(t.CercaVoce(QChar(' ')), 105);
    EXPECT_EQ(t.CercaVoce(QStringLiteral("ö")), 120);
    EXPECT_EQ(t.CercaVoce(QString()), -1);
}

TEST(TabellaTasti, charactersWithoutKey_haveNoEntry)
{
    TabellaTasti t;
    for (QChar c : {QChar(0xC0) /* À */, QChar(0xFF) /* ÿ */, QChar(0x201C), QChar('\t'), QChar('\n'),
                    QChar(0x2019), QChar(0x4E2D), QChar(0)})
        EXPECT_EQ(t.CercaVoce(c), -1) << int(c.unicode());
    EXPECT_EQ(t.CercaVoceCodice(-5), -1);
    EXPECT_EQ(t.CercaVoceCodice(300), -1);
}

// --- The filter ---

TEST(FiltraCaratteri, withoutKeyNearestFormOrDropped_keepsOrderAndBlanks)
{
    TabellaTasti t;
    EXPECT_EQ(t.FiltraCaratteri(QStringLiteral("Noël À bientôt")), QStringLiteral("Noël A bientôt"));
    EXPECT_EQ(t.FiltraCaratteri(QStringLiteral("«Oui»\t“non”\r\n")), QStringLiteral("\"Oui\"\"non\"\r"));
    EXPECT_EQ(t.FiltraCaratteri(QString()), QString());
}

// --- Finger groups ---

TEST(GruppiDita, ergonomicDivision_changesExactlySixBottomKeys)
{
    std::vector<int> cambiati;
    for (int k = 0; k < NumeroTasti; ++k)
        if (coloreGruppo(gruppoDito(k, false)) != coloreGruppo(gruppoDito(k, true)))
            cambiati.push_back(k);
    EXPECT_EQ(cambiati, (std::vector<int>{21, 22, 23, 27, 28, 29}));
}

TEST(GruppiDita, coloursMatchTheStoredValues)
{
    EXPECT_EQ(valoreColore(coloreGruppo(GruppoDito::Mignolo)), 14733241u);
    EXPECT_EQ(valoreColore(coloreGruppo(GruppoDito::Anulare)), 11919062u);
    EXPECT_EQ(valoreColore(coloreGruppo(GruppoDito::Medio)), 12963055u);
    EXPECT_EQ(valoreColore(coloreGruppo(GruppoDito::Indice)), 12111010u);
    EXPECT_EQ(valoreColore(coloreGruppo(GruppoDito::Pollice)), 15461346u);
    EXPECT_EQ(daValoreColore(14737632u), coloreTastoNeutro());
    EXPECT_EQ(gruppoDito(35, false), GruppoDito::Pollice);
    EXPECT_EQ(gruppoDito(62, true), GruppoDito::Mignolo);
}

// --- Captions ---

TEST(Didascalie, ampersandAndCommaKey_showAsWritten)
{
    EXPECT_EQ(definizioneTasto(60).didascalia, QStringLiteral(" 1\r\n  &&"));
    EXPECT_EQ(testoVisibile(definizioneTasto(60).didascalia), QStringLiteral(" 1\r\n  &"));
    EXPECT_EQ(testoVisibile(QStringLiteral("&File")), QStringLiteral("File"));
    EXPECT_EQ(definizioneTasto(27).didascalia, QStringLiteral("?\r\n  \u2019"));
    EXPECT_EQ(definizioneTasto(58).didascalia, QStringLiteral(" 3\r\n  \"     #"));
    EXPECT_EQ(definizioneTasto(34).didascalia, QStringLiteral(" 8\r\n   _   \\"));
    EXPECT_EQ(definizioneTasto(38).didascalia, QStringLiteral(" Alt Gr"));
}

TEST(Geometria, keysAreOnTheirRowsAndInsideTheArea)
{
    for (int k = 0; k < NumeroTasti; ++k) {
        const DefinizioneTasto &d = definizioneTasto(k);
        EXPECT_GT(d.width, 0) << k;
        EXPECT_LE(d.left + d.width, LarghezzaTastieraTwips) << k;
        EXPECT_LE(d.top + d.height, AltezzaTastieraTwips) << k;
    }
    // Right edges of the long keys line up.
    for (int k : {59, 62, 48, 36, 47})
        EXPECT_EQ(definizioneTasto(k).left + definizioneTasto(k).width, 8820) << k;
}
