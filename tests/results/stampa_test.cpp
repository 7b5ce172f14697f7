// The printed page, printed through the window's print path into a PDF file
// and read back: every line of the page at its place, in millimetres from the
// page's top-left corner.

#include "LetturaPdf.h"
#include "RisultatiTest.h"

#include "results/frmClassifica.h"

#include <QPushButton>

using lettura::Parola;

namespace {

class Stampa : public RisultatiTest {
protected:
    // Prints the page for the current shared values; its words.
    std::vector<Parola> stampa()
    {
        const QString file = temp + "pagina.pdf";
        lettura::StampantePdf stampante(file);
        stato->servizi.printer = &stampante;
        frmClassifica f(*stato);
        f.cmdPrint->click();
        EXPECT_FALSE(f.erroreStampa());
        EXPECT_EQ(stampante.pagineStampate, 1);
        return lettura::Parole(file);
    }

    // The word `testo` (the first one at or below y `dopo`), which must exist.
    const Parola &parola(const std::vector<Parola> &parole, const QString &testo, double dopo = -1)
    {
        const Parola *w = lettura::Trova(parole, testo, dopo);
        if (!w) {
            ADD_FAILURE() << "missing: " << testo.toStdString();
            static const Parola vuota{0, 0, 0, 0, {}};
            return vuota;
        }
        return *w;
    }
};

// The top of a line is where the text was placed; pdftotext's box starts at
// the font's ascent, a little below the top of the line.
constexpr double tolleranzaY = 1.2;
constexpr double tolleranzaX = 0.3;

} // namespace

TEST_F(Stampa, threeLevels_putEveryLineOfThePageAtItsPlace)
{
    if (!lettura::PdftotextPresente())
        GTEST_SKIP() << "pdftotext missing";
    velocita({2.0f, 2.5f, 3.1f, 1.2f, 2.6f, 1.0f, 1.5f, 0.8f, 2.2f, 1.1f, 3.0f, 0.3f, 0.25f, 1.9f, 2.4f});
    stato->totaleBattute = 683;
    stato->totaleErrori = 11;
    stato->fileEsercizio = stato->cartellaProgramma + "Esercizi/Prezzi.ftd";
    const auto parole = stampa();

    // Header.
    const Parola &titolo = parola(parole, "Tastavia");
    EXPECT_NEAR(titolo.x0, 15, tolleranzaX);
    EXPECT_NEAR(titolo.y0, 15, tolleranzaY);
    const Parola &trattino = parola(parole, QString(120, '-'));
    EXPECT_NEAR(trattino.x0, 15, tolleranzaX);
    EXPECT_GT(trattino.y0, titolo.y1 - 1);
    const Parola &risultati = parola(parole, "Risultati");
    EXPECT_NEAR(risultati.x0, 15, tolleranzaX);
    EXPECT_NEAR(risultati.y0, 30, tolleranzaY);
    const Parola &data = parola(parole, QString::fromUtf8("lunedì"));   // the interface's (Italian) long date
    EXPECT_NEAR(data.x0, 130, tolleranzaX);
    EXPECT_NEAR(data.y0, risultati.y0, 0.2);

    // Levels at 48, 106 and 164 mm; rows at 20 / 100, scores ending at 129.
    const double inizi[3] = {48, 106, 164};
    for (int k = 0; k < 3; ++k) {
        const Parola &livello = parola(parole, "Livello", inizi[k] - 2);
        EXPECT_NEAR(livello.x0, 15, tolleranzaX);
        EXPECT_NEAR(livello.y0, inizi[k], tolleranzaY);
        const Parola &categoria = parola(parole, "Categoria", inizi[k] - 2);
        EXPECT_NEAR(categoria.x0, 100, tolleranzaX);
        EXPECT_NEAR(categoria.y0, livello.y0, 1.0);

        double precedente = livello.y0;
        for (const char *etichetta : {"Frase", "Frase", "Frase", "Frase", "Frase", "Media:"}) {
            const Parola &riga = parola(parole, etichetta, precedente + 2);
            EXPECT_NEAR(riga.x0, 20, tolleranzaX);
            const Parola &punti = parola(parole, "Punteggio", riga.y0 - 0.5);
            EXPECT_NEAR(punti.x0, 100, tolleranzaX);
            EXPECT_NEAR(punti.y0, riga.y0, 0.2);
            // The score is the last word of the line.
            double fine = 0;
            for (const Parola &w : parole)
                if (std::abs(w.y0 - riga.y0) < 0.2)
                    fine = std::max(fine, w.x1);
            EXPECT_NEAR(fine, 129, tolleranzaX) << etichetta << " of level " << k + 1;
            precedente = riga.y0;
        }
        // Five rows below the dashed line and one empty line before the average.
        EXPECT_LT(precedente, inizi[k] + 50);
    }

    // Totals from 220 mm.
    const Parola &totali = parola(parole, "Risultati", 200);
    EXPECT_NEAR(totali.x0, 15, tolleranzaX);
    EXPECT_GT(totali.y0, 222);
    EXPECT_LT(totali.y0, 228);
    const Parola &digitazioni = parola(parole, "Digitazioni", 220);
    EXPECT_NEAR(digitazioni.x0, 20, tolleranzaX);
    const Parola &punteggio = parola(parole, "Punteggio:", 220);
    EXPECT_NEAR(punteggio.x0, 100, tolleranzaX);
    EXPECT_NEAR(punteggio.y0, digitazioni.y0, 0.2);
    // An empty line, then errors, keystrokes and ratio one line apart.
    std::vector<double> y{digitazioni.y0};
    for (const char *riga : {"errori", "numero", "errori/battute:"}) {
        const Parola &w = parola(parole, riga, y.back() + 2);
        const Parola &trattino2 = parola(parole, "-", w.y0 - 0.3);
        EXPECT_NEAR(trattino2.x0, 20, tolleranzaX) << riga;
        y.push_back(w.y0);
    }
    const double riga12 = y[3] - y[2];
    EXPECT_GT(riga12, 4.5);   // 12 points
    EXPECT_NEAR(y[2] - y[1], riga12, 0.2);
    EXPECT_GT(y[1] - y[0], riga12 + 4.5);   // the 14-point line and an empty one
    EXPECT_LT(y[3], 270);                    // above the footer

    // Footer at 276 mm: the file, and the credit from 140 mm.
    const Parola &piede = parola(parole, "L'esercizio", 250);
    EXPECT_NEAR(piede.x0, 15, tolleranzaX);
    EXPECT_NEAR(piede.y0, 276, tolleranzaY);
    const Parola &file = parola(parole, "Prezzi.ftd", 250);
    EXPECT_NEAR(file.y0, piede.y0, 0.2);
    const Parola &credito = parola(parole, "Tastavia", 250);
    EXPECT_NEAR(credito.x0, 140, tolleranzaX);
    EXPECT_NEAR(credito.y0, piede.y0, 0.2);
}

TEST_F(Stampa, oneLevel_printsOneTableAndTheTotalsOfThatLevel)
{
    if (!lettura::PdftotextPresente())
        GTEST_SKIP() << "pdftotext missing";
    velocita({2.0f, 2.5f, 3.1f, 1.2f, 2.6f});
    stato->totaleBattute = 683;
    stato->totaleErrori = 11;
    stato->modoEsperto = true;   // the expert's thresholds: 1.6 % is poor
    const QStringList righe = lettura::Righe(stampa());
    const lettura::TabellaLetta t = lettura::LeggiTabelle(righe);
    EXPECT_EQ(t.velocita, QStringList({"120", "150", "186", "72", "156"}));
    EXPECT_EQ(t.punteggiLivello, QStringList{"86"});
    EXPECT_EQ(righe.filter("Livello").size(), 1);
    const lettura::TotaliLetti tot = lettura::LeggiTotali(righe);
    EXPECT_EQ(tot.rapporto, "1,6%");
    EXPECT_EQ(tot.parola, "Insufficiente");
    EXPECT_EQ(tot.battute, "683");
    EXPECT_TRUE(righe.contains(QString::fromUtf8(
        "L'esercizio corrente è stato eseguito utilizzando le frasi interne. Tastavia - © gli autori di Tastavia")));
}
