#include "keyboard/MappaTastiEsterna.h"
#include "tests/support/Sorgenti.h"
#include "keyboard/TastieraVirtuale.h"

#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tastiera;

namespace {

class Disegno : public ::testing::Test {
protected:
    TabellaTasti tabella;
    TastieraVirtuale tastiera{tabella};

    void SetUp() override
    {
        tastiera.RipristinaTastiera();
        tastiera.PreparaEvidenziatori();
    }

    QImage immagine() { return tastiera.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QColor pixel(const QImage &img, QPoint p) { return img.pixelColor(p); }
};

} // namespace

TEST_F(Disegno, raisedAndPressedKey_bevelRingsStepBy15)
{
    const QRect k = tastiera.rettangoloTasto(12);   // D, plain grey 224
    const int meta = k.top() + k.height() / 2;
    QImage img = immagine();
    // Raised: light at left, dark at right; ring i is (15 + 15 i) lighter or 15 i darker.
    EXPECT_EQ(pixel(img, {k.left() - 1, meta}), QColor(239, 239, 239));
    EXPECT_EQ(pixel(img, {k.left() - 2, meta}), QColor(254, 254, 254));
    EXPECT_EQ(pixel(img, {k.left() - 4, meta}), QColor(255, 255, 255));
    EXPECT_EQ(pixel(img, {k.right() + 1, meta}), QColor(224, 224, 224));
    EXPECT_EQ(pixel(img, {k.right() + 2, meta}), QColor(209, 209, 209));
    EXPECT_EQ(pixel(img, {k.right() + 4, meta}), QColor(179, 179, 179));
    EXPECT_EQ(pixel(img, {k.left() + 3, k.bottom() + 4}), QColor(179, 179, 179));
    EXPECT_EQ(pixel(img, {k.left() - 5, meta}), QColor(0, 0, 0));   // four rings only

    tastiera.DisegnaTasto(12, StatoTastiera::StatoPremuto);
    img = immagine();
    EXPECT_EQ(pixel(img, {k.left() - 4, meta}), QColor(179, 179, 179));
    EXPECT_EQ(pixel(img, {k.right() + 4, meta}), QColor(255, 255, 255));
    EXPECT_EQ(pixel(img, {k.left() + 3, k.top() - 4}), QColor(179, 179, 179));
}

TEST_F(Disegno, largeScreen_fiveRings)
{
    tastiera.setSchermoGrande(true);
    const QRect k = tastiera.rettangoloTasto(12);
    const int meta = k.top() + k.height() / 2;
    const QImage img = immagine();
    EXPECT_EQ(img.size(), QSize(842, 282));
    EXPECT_EQ(pixel(img, {k.right() + 5, meta}), QColor(164, 164, 164));
    EXPECT_EQ(pixel(img, {k.left() - 5, meta}), QColor(255, 255, 255));
}

TEST_F(Disegno, simpleStyle_whiteBackgroundRedAroundPressedBlackAroundOthers)
{
    tastiera.setTastieraSemplice(true);
    tastiera.EvidenziaTasto(QChar('q'));
    const QImage img = immagine();
    const QRect q = tastiera.rettangoloTasto(10), s = tastiera.rettangoloTasto(11);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(pixel(img, {q.left() - i, q.top() + 10}), QColor(255, 0, 0)) << i;
        EXPECT_EQ(pixel(img, {s.left() - i, s.top() + 10}), QColor(0, 0, 0)) << i;
    }
    EXPECT_EQ(pixel(img, {q.left() - 5, q.top() + 10}), QColor(255, 255, 255));
    EXPECT_EQ(pixel(img, {595, 213}), QColor(255, 255, 255));
}

TEST_F(Disegno, marker_invertsTheKeyBeneath)
{
    const QRect k = tastiera.rettangoloTasto(11);
    const QPoint dentro(k.right() - 2, k.bottom() - 2);
    tastiera.setEvidenziaAttivo(false);
    tastiera.EvidenziaTasto(QChar('s'));
    EXPECT_EQ(pixel(immagine(), dentro), QColor(224, 224, 224));

    tastiera.setEvidenziaAttivo(true);
    tastiera.EvidenziaTasto(QChar('s'));
    const QImage img = immagine();
    EXPECT_EQ(pixel(img, dentro), QColor(31, 31, 31));
    // The caption turns from black to white somewhere inside the key.
    bool bianco = false;
    for (int y = k.top(); y <= k.bottom() && !bianco; ++y)
        for (int x = k.left(); x <= k.right() && !bianco; ++x)
            bianco = pixel(img, {x, y}) == QColor(255, 255, 255);
    EXPECT_TRUE(bianco);
    // The frame outside the key is not inverted.
    EXPECT_EQ(pixel(img, {k.left() - 4, k.top() + 10}), QColor(179, 179, 179));
}

TEST_F(Disegno, enterMarkers_overlappingPartsInvertedOnce)
{
    tastiera.EvidenziaTasto(QChar('\r'));
    const QImage img = immagine();
    const QRect basso = tastiera.rettangoloTasto(48), alto = tastiera.rettangoloTasto(62);
    EXPECT_EQ(pixel(img, {basso.right() - 2, basso.top() + 5}), QColor(31, 31, 31));
    EXPECT_EQ(pixel(img, {basso.right() - 2, basso.bottom() - 2}), QColor(31, 31, 31));
    EXPECT_EQ(pixel(img, {alto.left() + 2, alto.bottom() - 1}), QColor(31, 31, 31));
    // The joint between the two parts shows no frame.
    EXPECT_EQ(pixel(img, {basso.left() + 20, basso.top()}), QColor(31, 31, 31));
    EXPECT_EQ(pixel(img, {basso.left() + 20, basso.top() - 1}), QColor(31, 31, 31));
}

TEST_F(Disegno, keyMap_coloursKeysAndShowsFingerPictures)
{
    tastiera.CambiaMappaTasti(QString(), true);
    const QImage img = immagine();
    const QRect f = tastiera.rettangoloTasto(13);
    EXPECT_EQ(pixel(img, {f.right() - 2, f.top() + 2}), coloreGruppo(GruppoDito::Indice));
    const QRect spazio = tastiera.rettangoloTasto(35);
    EXPECT_EQ(pixel(img, {spazio.left() + 5, spazio.top() + 2}), coloreGruppo(GruppoDito::Pollice));
    // The bump under F: light line above the dark one, from the index colour.
    EXPECT_EQ(pixel(img, {192, 117}), QColor(212, 254, 234));
    EXPECT_EQ(pixel(img, {192, 118}), QColor(112, 154, 134));
    // A finger picture covers part of the left Ctrl key.
    const QRect dito = tastiera.stato().rettangoloMappaDita(0);
    bool disegnato = false;
    for (int x = dito.left(); x <= dito.right(); ++x)
        disegnato = disegnato || pixel(img, {x, dito.center().y()}) != coloreGruppo(GruppoDito::Mignolo);
    EXPECT_TRUE(disegnato);
}

TEST_F(Disegno, doubleClicks_toggleOptionsAndPlaySound)
{
    QString atteso = QStringLiteral("c");
    tastiera.setContesto({[&] { return atteso; }, [] { return true; }, [] { return false; }});
    QSignalSpy suoni(&tastiera, &TastieraVirtuale::suono);
    const QPoint b = tastiera.rettangoloTasto(TastoB).center();

    QTest::mouseDClick(&tastiera, Qt::LeftButton, Qt::NoModifier, b);   // key map off: nothing
    EXPECT_FALSE(tastiera.divisioneErgonomica());
    EXPECT_EQ(suoni.count(), 0);
    EXPECT_TRUE(tastiera.tooltipIn(b).isEmpty());

    tastiera.CambiaMappaTasti(atteso, true);
    QTest::mouseDClick(&tastiera, Qt::LeftButton, Qt::NoModifier, b);
    EXPECT_TRUE(tastiera.divisioneErgonomica());
    ASSERT_EQ(suoni.count(), 1);
    EXPECT_EQ(suoni.at(0).at(0).toInt(), 109);
    EXPECT_EQ(tastiera.stato().tasto(23).sfondo, coloreGruppo(GruppoDito::Medio));
    EXPECT_TRUE(tastiera.stato().tasto(23).premuto);   // "c" highlighted again
    EXPECT_FALSE(tastiera.tooltipIn(b).isEmpty());

    const QPoint menu = tastiera.rettangoloTasto(TastoMenu).center();
    tastiera.setTastoAbilitato(TastoMenu, false);
    QTest::mouseDClick(&tastiera, Qt::LeftButton, Qt::NoModifier, menu);
    EXPECT_FALSE(tastiera.tastieraSemplice());
    tastiera.setTastoAbilitato(TastoMenu, true);
    QTest::mouseDClick(&tastiera, Qt::LeftButton, Qt::NoModifier, menu);
    EXPECT_TRUE(tastiera.tastieraSemplice());
    EXPECT_EQ(immagine().pixelColor(595, 213), QColor(255, 255, 255));
}

TEST_F(Disegno, fingerPictureDoubleClick_movesTheMapToTheStripAndBack)
{
    QWidget finestra;
    finestra.resize(700, 400);
    tastiera.setParent(&finestra);
    MappaTastiEsterna striscia(&finestra);
    tastiera.setMappaEsterna(&striscia);
    finestra.show();
    tastiera.CambiaMappaTasti(QString(), true);
    EXPECT_FALSE(striscia.isVisible());

    QTest::mouseDClick(&tastiera, Qt::LeftButton, Qt::NoModifier, tastiera.stato().rettangoloMappaDita(4).center());
    EXPECT_TRUE(striscia.isVisible());
    EXPECT_FALSE(tastiera.stato().mappaDitaVisibile());

    QTest::mouseDClick(&striscia, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FALSE(striscia.isVisible());
    EXPECT_TRUE(tastiera.stato().mappaDitaVisibile());

    tastiera.CambiaMappaTasti(QString(), true);   // map off hides both
    EXPECT_FALSE(striscia.isVisible());
    EXPECT_FALSE(tastiera.stato().mappaDitaVisibile());
    tastiera.setParent(nullptr);
}

TEST_F(Disegno, keystroke_repaintsOnlyTheKeysItTouches)
{
    tastiera.EvidenziaTasto(QChar('A'));
    tastiera.EvidenziaTasto(QChar('z'));
    const qint64 tastoIntero = qint64(tastiera.stato().rettangoloEsterno(0).width())
                             * tastiera.stato().rettangoloEsterno(0).height();
    EXPECT_LE(tastiera.areaUltimoAggiornamento(), 3 * tastoIntero + tastiera.stato().rettangoloEsterno(36).width() * 41);
    EXPECT_LT(tastiera.areaUltimoAggiornamento(), 597 * 215 / 8);
}


// Screenshots for the README: TASTAVIA_SCREENSHOTS=1 writes docs/keyboard-*.png.
TEST(Schermate, saveWhenAsked)
{
    if (qEnvironmentVariableIsEmpty("TASTAVIA_SCREENSHOTS"))
        GTEST_SKIP() << "set TASTAVIA_SCREENSHOTS=1 to write them";
    const QString cartella = cartellaSorgenti() + QStringLiteral("/docs/");
    QDir().mkpath(cartella);
    TabellaTasti tabella;

    TastieraVirtuale grigia(tabella);
    grigia.RipristinaTastiera();
    grigia.PreparaEvidenziatori();
    grigia.EvidenziaTasto(QChar('G'));
    EXPECT_TRUE(grigia.grab().save(cartella + "keyboard-plain.png"));

    TastieraVirtuale mappa(tabella);
    mappa.RipristinaTastiera();
    mappa.PreparaEvidenziatori();
    mappa.CambiaMappaTasti(QStringLiteral("f"), true);
    EXPECT_TRUE(mappa.grab().save(cartella + "keyboard-keymap.png"));

    TastieraVirtuale semplice(tabella);
    semplice.setTastieraSemplice(true);
    semplice.RipristinaTastiera();
    semplice.PreparaEvidenziatori();
    semplice.EvidenziaTasto(QChar(0xE9));   // é
    EXPECT_TRUE(semplice.grab().save(cartella + "keyboard-simple.png"));

    TastieraVirtuale altgr(tabella);
    altgr.RipristinaTastiera();
    altgr.PreparaEvidenziatori();
    altgr.CambiaMappaTasti(QString(), true);
    altgr.EvidenziaTasto(QChar(0x20AC));   // €
    EXPECT_TRUE(altgr.grab().save(cartella + "keyboard-altgr.png"));

    MappaTastiEsterna striscia;
    EXPECT_TRUE(striscia.grab().save(cartella + "keyboard-strip.png"));
}

TEST_F(Disegno, wrongKeyLookup_firstEntryWithTheTypedCode)
{
    EXPECT_EQ(tastiera.indiceTastoPerCodice(97), 0);      // a
    EXPECT_EQ(tastiera.indiceTastoPerCodice(13), 48);     // Enter: the lower part
    EXPECT_EQ(tastiera.indiceTastoPerCodice(136), 33);    // modifier circumflex
    EXPECT_EQ(tastiera.indiceTastoPerCodice(0xC0), -1);   // À has no key
    EXPECT_EQ(tastiera.indiceTastoPerCarattere(QChar(0x20AC)), 2);

    tastiera.MostraErroreTasto(tastiera.indiceTastoPerCodice(97));
    const QImage img = immagine();
    const QRect a = tastiera.rettangoloTasto(0);
    EXPECT_NE(img.pixelColor(a.center()), QColor(224, 224, 224));   // the marker is drawn on the key
    tastiera.NascondiErroreTasto();
    EXPECT_EQ(immagine().pixelColor(a.center()), QColor(224, 224, 224));
}

TEST_F(Disegno, tooltips_followTheKeyMapAndLanguage)
{
    const QPoint menu = tastiera.rettangoloTasto(TastoMenu).center();
    EXPECT_EQ(tastiera.tooltipIn(menu), QStringLiteral("Doppio click per tastiera 2D/3D"));
    tastiera.setTooltipTasto37(QString());   // cleared while the keyboard is printed
    EXPECT_TRUE(tastiera.tooltipIn(menu).isEmpty());
    tastiera.CambiaMappaTasti(QString(), true);
    tastiera.setTooltipMappaDita(QStringLiteral("Double-click"));
    EXPECT_EQ(tastiera.tooltipIn(tastiera.stato().rettangoloMappaDita(9).center()), QStringLiteral("Double-click"));
    EXPECT_TRUE(tastiera.tooltipIn(tastiera.rettangoloTasto(0).center()).isEmpty());
}

TEST(Didascalie, everyLegendStaysInsideItsKeyOnSmallAndLargeScreens)
{
    TabellaTasti tabella;
    for (bool grande : {false, true}) {
        TastieraVirtuale t(tabella);
        t.setSchermoGrande(grande);
        for (int i = 0; i < NumeroTasti; ++i) {
            const DefinizioneTasto &d = definizioneTasto(i);
            if (d.font == FontTasto::Simbolo)
                continue;
            const QFontMetrics fm(t.fontTasto(i, false));
            const QRect r = t.rettangoloTasto(i);
            for (const QString &riga : testoVisibile(d.didascalia).split("\r\n"))
                for (const PezzoDidascalia &pezzo : PezziRiga(riga, fm, r)) {
                    EXPECT_GE(pezzo.x, r.left()) << i << " " << grande;
                    EXPECT_LE(pezzo.x + fm.horizontalAdvance(pezzo.testo), r.right() + 1)
                        << i << " " << pezzo.testo.toStdString() << (grande ? " large" : " small");
                }
        }
    }
}

TEST(Didascalie, legendsSetApartGoRightAndWordsOfOneCaptionStayTogether)
{
    const QFontMetrics fm(QFont("Liberation Sans", 10));
    const QRect tasto(100, 0, 60, 30);
    const auto altGr = PezziRiga(" Alt Gr", fm, tasto);
    ASSERT_EQ(altGr.size(), 1);
    EXPECT_EQ(altGr[0].testo, " Alt Gr");
    const auto due = PezziRiga(QString::fromUtf8("  é    ~"), fm, tasto);
    ASSERT_EQ(due.size(), 2);
    EXPECT_EQ(due[1].testo, "~");
    EXPECT_EQ(due[1].x + fm.horizontalAdvance("~"), tasto.right() - 1);
    const auto euro = PezziRiga(QString::fromUtf8("      €"), fm, tasto);
    ASSERT_EQ(euro.size(), 1);
    EXPECT_EQ(euro[0].x + fm.horizontalAdvance(QString::fromUtf8("€")), tasto.right() - 1);
}

TEST_F(Disegno, regionOfTwoDistantKeys_paintsThemAsTheWholeKeyboardDoes)
{
    // A highlight moving from one corner to the other repaints two keys: each
    // must come out whole, frames included, though the keys between are skipped.
    tastiera.EvidenziaTasto(QStringLiteral("a"), false);
    const QRect a = tastiera.rettangoloTasto(0).adjusted(-6, -6, 6, 6);
    const QRect b = tastiera.rettangoloTasto(tastiera::TastoInvioAlto).adjusted(-6, -6, 6, 6);
    QImage parte(tastiera.size(), QImage::Format_RGB32);
    parte.fill(Qt::magenta);
    const QRegion regione = QRegion(a) + QRegion(b);
    // The region's corner lands on the offset given.
    tastiera.render(&parte, regione.boundingRect().topLeft(), regione, QWidget::DrawChildren);
    const QImage tutta = immagine();
    for (const QRect &r : {a, b})
        EXPECT_EQ(parte.copy(r), tutta.copy(r));
}

TEST_F(Disegno, keysDrawnFromTheirCopies_lookAsWhenDrawnForTheFirstTime)
{
    // A repaint of a few keys copies a key from its second drawing in a state,
    // with its frame when no other key's frame touches it (D; Enter's two parts
    // do touch); the whole keyboard is always drawn directly. Pressing and
    // releasing over and over, switching the style, must give in those keys
    // what the whole keyboard shows.
    for (bool grande : {false, true}) {
        tastiera.setSchermoGrande(grande);
        QRegion tasti;
        for (int tasto : {12, int(TastoInvioAlto), int(TastoInvioBasso)})
            tasti += tastiera.rettangoloTasto(tasto).adjusted(-6, -6, 6, 6);
        for (int giro = 0; giro < 3; ++giro)
            for (bool semplice : {false, true})
                for (int stato : {StatoTastiera::StatoPremuto, StatoTastiera::StatoRilievo}) {
                    tastiera.setTastieraSemplice(semplice);
                    for (int tasto : {12, int(TastoInvioAlto)})
                        tastiera.DisegnaTasto(tasto, stato);
                    QImage parte(tastiera.size(), QImage::Format_RGB32);
                    tastiera.render(&parte, tasti.boundingRect().topLeft(), tasti, QWidget::DrawChildren);
                    const QImage tutta = immagine();
                    for (const QRect &r : tasti)
                        ASSERT_EQ(parte.copy(r), tutta.copy(r)) << "large " << grande << ", plain " << semplice
                                                                << ", round " << giro << ", state " << stato;
                }
    }
}
