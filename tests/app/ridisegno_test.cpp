// A key repaints only what it changed (the end of the input line, a few keys
// of the keyboard, the model line over the display): what the screen then
// holds must be what a fresh paint of the whole window gives.

#include "FinestraTest.h"
#include "tests/support/ConfrontoSchermo.h"

#include <QFrame>
#include <QPainter>

namespace {

class Ridisegno : public FinestraTest {
protected:
    // The practice panel as the screen holds it, against a fresh paint of it.
    void confronta(const QString &dove)
    {
        QCoreApplication::processEvents();
        const auto [schermo, nuovo] = ConfrontaConPitturaNuova(finestra.get(), finestra->picNotebook);
        ASSERT_EQ(schermo, nuovo) << qPrintable(dove);
    }
};

TEST_F(Ridisegno, afterEveryKey_theScreenEqualsAFreshPaint)
{
    scrivi("Esercizi/due.ftd", "[Livello1]\r\n1=Le \xC9t\xE9 \xE0 Paris\xA6\xA6" "fin de la ligne\r\n");
    QByteArray testo;
    for (int i = 0; i < 4; ++i)
        testo += "\xC0 l'\xE9t\xE9, les enfants font 120 km \xE0 v\xE9lo ; Wagner, Thomas et Yves suivent. ";
    scrivi("Esercizi/testo.txt", testo);
    struct Caso {
        const char *riga;
        QSize schermo;
        int tasti;
    };
    // A sentence on two lines (Enter, tall capitals), a text file that scrolls both lines.
    for (const Caso &c : {Caso{"/due.ftd", {800, 600}, 40}, Caso{"/testo.txt", {800, 600}, 70},
                          Caso{"/testo.txt", {1280, 1024}, 45}}) {
        fakes.screen.pixels = c.schermo;
        nuovoStato();
        stato->schermoGrande = DecidiSchermo(c.schermo).schermoGrande;
        apri(c.riga);
        finestra->cmdStart_Click();
        for (int k = 0; k < c.tasti && !finestra->pratica.rigaCompletata(); ++k) {
            digita(finestra->pratica.carattereAtteso());
            confronta(QString("%1, key %2").arg(c.riga).arg(k));
        }
        EXPECT_EQ(stato->totaleErrori, 0) << c.riga;
    }
}

// The display panel with the marker and the model line over it, as the main
// window builds them.
struct Display {
    QWidget pannello;
    QFrame *segno = new QFrame(&pannello);
    RigaModello *riga = new RigaModello(&pannello);
    Display()
    {
        pannello.resize(602, 168);
        ImpostaColori(&pannello, QColor(255, 255, 240));
        segno->setAttribute(Qt::WA_StaticContents);
        ImpostaColori(segno, QColor(0, 0, 255));
        riga->segno = segno;
        riga->setTextFormat(Qt::PlainText);
        riga->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
};

const QString kFrase =
    QString::fromUtf8("« Goûtez celui-ci », dit-elle ; AVANT Tout, Wagner va à Yverdon : 3,50 € l’œuf. ");

TEST_F(Ridisegno, modelLineKeptLayout_paintsWhatTheLabelPaints)
{
    const QString testo = kFrase + "Efficace, fluffy !";
    Display display;
    auto &[pannello, segno, riga] = display;
    // Sentence mode (fits its label), text-file mode (twice the panel's width), a large screen's font.
    for (auto [punti, larghezza] : {std::pair{12.0, 592}, std::pair{18.0, 1204}, std::pair{23.6, 1204}}) {
        QFont f("Liberation Sans");
        f.setPointSizeF(punti);
        riga->setFont(f);
        riga->setGeometry(5, 30, larghezza, 90);
        // One line, and a sentence on two lines.
        for (int da = 0; da < 40; da += 3)
            for (const QString &t : {testo.mid(da), testo.mid(da, 30) + "\r\n" + testo.mid(da + 30)}) {
                riga->setText(t);
                segno->setGeometry(5, 50, 7 * da, QFontMetrics(f).height());
                riga->testoInMemoria = true;
                const QImage tenuto = pannello.grab().toImage();
                riga->testoInMemoria = false;
                const QImage rifatto = pannello.grab().toImage();
                ASSERT_EQ(tenuto, rifatto) << punti << " pt, from character " << da << ", " << t.count('\n') + 1
                                           << " lines";
            }
    }
}

TEST(RigaModelloScorre, movingOnAndBack_showsWhatAFreshPaintShows)
{
    // On by one and by several characters, back to the start, a line with a
    // character drawn in another font (nothing is moved then), a new font.
    QWidget finestra;
    finestra.resize(640, 200);
    Display display;
    auto &[pannello, segno, riga] = display;
    pannello.setParent(&finestra);
    pannello.move(10, 10);
    riga->setGeometry(5, 50, 1204, 60);
    riga->setFont(QFont("Liberation Sans", 18));
    finestra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));
    const QString testo = kFrase.repeated(3);
    const QString freccia = testo.left(40) + QString::fromUtf8("\u2192\u2794") + testo.mid(40);
    const std::vector<std::pair<const QString *, int>> passi = {
        {&testo, 0}, {&testo, 1}, {&testo, 2}, {&testo, 7}, {&testo, 8}, {&testo, 0}, {&testo, 30},
        {&freccia, 31}, {&freccia, 32}, {&testo, 33}, {&testo, 34}, {nullptr, 35}, {&testo, 36}};
    for (const auto &[quale, inizio] : passi) {
        if (!quale)
            riga->setFont(QFont("Liberation Sans", 24));
        riga->ScorriA(quale ? *quale : testo, inizio, 100);
        segno->setGeometry(5, 50, riga->LarghezzaFino(9), QFontMetrics(riga->font()).height());
        QCoreApplication::processEvents();
        const auto [schermo, nuovo] = ConfrontaConPitturaNuova(&finestra, &pannello);
        ASSERT_EQ(schermo, nuovo) << "from character " << inizio;
    }
}

} // namespace
