#include "keyboard/LayoutTastiera.h"
#include "keyboard/StatoTastiera.h"

#include <gtest/gtest.h>
#include <set>

using namespace tastiera;

namespace {

class Evidenziazione : public ::testing::Test {
protected:
    TabellaTasti tabella;
    StatoTastiera stato{tabella};

    void SetUp() override
    {
        stato.RipristinaTastiera();
        stato.PreparaEvidenziatori();
        stato.prendiAreaModificata();
    }

    std::set<int> premuti() const
    {
        std::set<int> s;
        for (int i = 0; i < NumeroTasti; ++i)
            if (stato.tasto(i).premuto)
                s.insert(i);
        return s;
    }

    std::set<int> marcatori() const
    {
        std::set<int> s;
        for (int n = 0; n < StatoTastiera::NumeroEvidenziatori; ++n)
            if (stato.evidenziatore(n).visibile)
                s.insert(n);
        return s;
    }

    bool sopra(int n, int tasto) const
    {
        const QRect m = stato.evidenziatore(n).rettangolo, k = stato.rettangoloTasto(tasto);
        return m.left() == k.left() && m.top() == k.top() && m.width() == k.width();
    }

    // Keys whose frame lies inside the changed area.
    std::set<int> ridisegnati(const QRegion &r) const
    {
        std::set<int> s;
        for (int i = 0; i < NumeroTasti; ++i)
            if (r.contains(stato.rettangoloEsterno(i)))
                s.insert(i);
        return s;
    }
};

} // namespace

TEST_F(Evidenziazione, capitalA_thenZ_redrawsOnlyThePreviousKeys)
{
    EXPECT_TRUE(stato.EvidenziaTasto(QChar('A'), false));
    EXPECT_EQ(premuti(), (std::set<int>{0, 36}));
    EXPECT_EQ(marcatori(), (std::set<int>{0, 1}));
    EXPECT_TRUE(sopra(0, 0));
    EXPECT_TRUE(sopra(1, 36));
    EXPECT_FALSE(stato.tastieraDaRipristinare());
    EXPECT_TRUE(stato.tasto(0).grassetto);
    stato.prendiAreaModificata();

    EXPECT_TRUE(stato.EvidenziaTasto(QChar('z'), false));
    EXPECT_EQ(premuti(), (std::set<int>{1}));
    EXPECT_EQ(marcatori(), (std::set<int>{0}));
    EXPECT_TRUE(sopra(0, 1));
    EXPECT_EQ(ridisegnati(stato.prendiAreaModificata()), (std::set<int>{0, 1, 36}));
    EXPECT_EQ(stato.ultimoTasto(), 1);
}

TEST_F(Evidenziazione, altGrCharacter_fullResetBeforeTheNextOne)
{
    EXPECT_TRUE(stato.EvidenziaTasto(QChar('['), false));
    EXPECT_EQ(premuti(), (std::set<int>{49, 38}));
    EXPECT_TRUE(sopra(1, 38));
    EXPECT_TRUE(stato.tastieraDaRipristinare());

    EXPECT_TRUE(stato.EvidenziaTasto(QChar('a'), false));
    EXPECT_EQ(premuti(), (std::set<int>{0}));
    EXPECT_FALSE(stato.tastieraDaRipristinare());
}

TEST_F(Evidenziazione, carriageReturn_pressesBothEnterPartsWithMarkers2And3)
{
    EXPECT_TRUE(stato.EvidenziaTasto(QChar('\r'), false));
    EXPECT_EQ(premuti(), (std::set<int>{48, 62}));
    EXPECT_EQ(marcatori(), (std::set<int>{0, 2, 3}));
    EXPECT_EQ(stato.evidenziatore(2).rettangolo, stato.rettangoloTasto(62));
    EXPECT_EQ(stato.evidenziatore(3).rettangolo, stato.rettangoloTasto(48));
    EXPECT_TRUE(stato.tastieraDaRipristinare());
    // The joint's covers are repainted with the key.
    const QRegion r = stato.prendiAreaModificata();
    EXPECT_TRUE(r.contains(stato.rettangoloMaschera(0)));
    EXPECT_TRUE(r.contains(stato.rettangoloMaschera(1)));
}

TEST_F(Evidenziazione, deadKeyCodes_pressAndMarkTheirKeys)
{
    stato.EvidenziaTasto(QChar(0xEB), false);   // ë: key 2, dead diaeresis 42 with left Shift
    EXPECT_EQ(premuti(), (std::set<int>{2, 42, 30}));
    EXPECT_TRUE(sopra(0, 30));
    EXPECT_TRUE(sopra(1, 42));
    EXPECT_TRUE(stato.tastieraDaRipristinare());

    stato.EvidenziaTasto(QChar(0xF2), false);   // ò: key 8, AltGr + dead grave
    EXPECT_EQ(premuti(), (std::set<int>{8, 38, 45}));
    EXPECT_TRUE(sopra(0, 8));
    EXPECT_TRUE(sopra(1, 45));
    EXPECT_TRUE(sopra(2, 38));

    stato.EvidenziaTasto(QChar('`'), false);    // grave accent: AltGr + 45, then the space bar
    EXPECT_EQ(premuti(), (std::set<int>{45, 38, 35}));
    EXPECT_TRUE(sopra(0, 35));
    EXPECT_TRUE(sopra(1, 38));
    EXPECT_EQ(marcatori(), (std::set<int>{0, 1}));

    stato.EvidenziaTasto(QChar(0xE2), false);   // â: dead circumflex alone
    EXPECT_EQ(premuti(), (std::set<int>{0, 42}));
    EXPECT_TRUE(stato.tastieraDaRipristinare());
}

TEST_F(Evidenziazione, learnersKeymap_showsItsOwnKeysAndModifiers)
{
    // Linux "fr": the grave accent comes at once with AltGr + 7; the dead
    // grave sits on AltGr + *, and É is the dead acute (AltGr + ,) then Shift + E.
    const std::optional<LayoutTastiera> fr = LayoutTastiera::daNomi("fr");
    tabella.ApplicaLayout(&*fr);
    stato.EvidenziaTasto(QChar('`'), false);
    EXPECT_EQ(premuti(), (std::set<int>{45, 38}));
    EXPECT_TRUE(sopra(0, 45));
    EXPECT_TRUE(sopra(1, 38));
    stato.EvidenziaTasto(QChar(0xF2), false);   // ò
    EXPECT_EQ(premuti(), (std::set<int>{8, 41, 38}));
    stato.EvidenziaTasto(QChar(0xC9), false);   // É
    EXPECT_EQ(premuti(), (std::set<int>{2, 36, 27, 38}));
    EXPECT_EQ(marcatori(), (std::set<int>{0, 1, 2, 3}));

    // fr(oss): Œ is AltGr and Shift with O.
    const std::optional<LayoutTastiera> oss = LayoutTastiera::daNomi("fr", "oss");
    tabella.ApplicaLayout(&*oss);
    stato.EvidenziaTasto(QChar(0x152), false);
    EXPECT_EQ(premuti(), (std::set<int>{8, 30, 38}));
    EXPECT_TRUE(stato.tastieraDaRipristinare());
}

TEST_F(Evidenziazione, highlightOff_noMarkersButKeysStillPressed)
{
    stato.setEvidenziaAttivo(false);
    stato.EvidenziaTasto(QChar('E'), false);
    EXPECT_EQ(premuti(), (std::set<int>{2, 36}));
    EXPECT_TRUE(marcatori().empty());
}

TEST_F(Evidenziazione, characterWithoutKey_releasesShiftOnlyInSentences)
{
    stato.EvidenziaTasto(QChar('B'), false);
    EXPECT_FALSE(stato.EvidenziaTasto(QChar(0x201C), true));   // text file: nothing redrawn
    EXPECT_EQ(premuti(), (std::set<int>{25, 30}));
    EXPECT_TRUE(marcatori().empty());
    EXPECT_FALSE(stato.EvidenziaTasto(QChar(0x201C), false));
    EXPECT_EQ(premuti(), (std::set<int>{25}));
}

TEST_F(Evidenziazione, keyMapToggle_coloursThenGreysAndRehighlights)
{
    stato.CambiaMappaTasti(QStringLiteral("f"), true);
    EXPECT_TRUE(stato.mappaTastiAttiva());
    EXPECT_EQ(stato.tasto(13).sfondo, coloreGruppo(GruppoDito::Indice));
    EXPECT_EQ(stato.tasto(35).sfondo, coloreGruppo(GruppoDito::Pollice));
    EXPECT_TRUE(stato.mappaDitaVisibile());
    EXPECT_EQ(stato.coloreRilievo(1), QColor(212, 254, 234));   // index colour + 50
    EXPECT_EQ(stato.coloreRilievo(0), QColor(112, 154, 134));
    EXPECT_EQ(premuti(), (std::set<int>{13}));

    stato.CambiaMappaTasti(QString(), false);   // off, while the Enter prompt blinks
    EXPECT_FALSE(stato.mappaTastiAttiva());
    for (int i = 0; i < NumeroTasti; ++i)
        EXPECT_EQ(stato.tasto(i).sfondo, coloreTastoNeutro()) << i;
    EXPECT_FALSE(stato.mappaDitaVisibile());
    EXPECT_EQ(premuti(), (std::set<int>{48, 62}));
}

TEST_F(Evidenziazione, doubleClickOnB_onlyWithKeyMapOn)
{
    EXPECT_FALSE(stato.CambiaDivisione(QString(), true));
    EXPECT_FALSE(stato.divisioneErgonomica());
    EXPECT_EQ(stato.tasto(21).sfondo, coloreTastoNeutro());

    stato.CambiaMappaTasti(QString(), true);
    stato.prendiAreaModificata();
    EXPECT_TRUE(stato.CambiaDivisione(QString(), true));
    EXPECT_TRUE(stato.divisioneErgonomica());
    EXPECT_EQ(stato.tasto(21).sfondo, coloreGruppo(GruppoDito::Mignolo));
    EXPECT_EQ(ridisegnati(stato.prendiAreaModificata()), (std::set<int>{21, 22, 23, 27, 28, 29}));
}

TEST_F(Evidenziazione, fingerPictures_swapWithTheStripAndBack)
{
    stato.CambiaMappaTasti(QString(), true);
    stato.MappaDitaNascosta(QStringLiteral("A"));
    EXPECT_FALSE(stato.mappaDitaVisibile());
    EXPECT_TRUE(stato.mappaEsternaVisibile());
    EXPECT_EQ(premuti(), (std::set<int>{0, 36}));
    stato.ColorTasti();   // the strip stays, the pictures stay hidden
    EXPECT_FALSE(stato.mappaDitaVisibile());
    stato.MappaEsternaNascosta();
    EXPECT_TRUE(stato.mappaDitaVisibile());
    EXPECT_FALSE(stato.mappaEsternaVisibile());
}

TEST_F(Evidenziazione, wrongKeyMarker_centredOnTheKey)
{
    stato.MostraErroreTasto(13, QSize(16, 16));
    // Key F is 29 x 33 at (184, 89): centre 198.5, 105.5; halves go to even.
    EXPECT_EQ(stato.rettangoloErrore(), QRect(190, 98, 16, 16));
    EXPECT_TRUE(stato.erroreVisibile());
    stato.NascondiErroreTasto();
    EXPECT_FALSE(stato.erroreVisibile());
}

TEST_F(Evidenziazione, largeScreen_scalesGeometry)
{
    stato.setFattoriScala(1.41, 1.31);
    EXPECT_EQ(stato.dimensioni(), QSize(842, 282));
    EXPECT_EQ(stato.rettangoloTasto(0), QRect(85, 62, 41, 43));
    EXPECT_EQ(stato.evidenziatore(0).rettangolo.height(), 43);
    EXPECT_EQ(stato.rettangoloMappaDita(0).size(), QSize(32, 32));
}
