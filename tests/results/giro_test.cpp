// A whole run of fifteen sentences through the practice engine, on a fake
// clock: the results window opens after sentences 5, 10 and 15, and each time
// the window, the printed page and the PDF show the same figures.

#include "LetturaPdf.h"
#include "RisultatiTest.h"

#include "practice/Pratica.h"
#include "practice/TestiClavora.h"
#include "platform/Testo.h"
#include "results/frmClassifica.h"

#include <QPushButton>
#include <cmath>

namespace {

struct Apertura {
    int livelli = 0;
    int tipoFineLivello = 0;
    lettura::TabellaLetta finestra, stampa, pdf;
    lettura::TotaliLetti totaliStampa, totaliPdf;
    QStringList velocitaAttese;       // what the engine's timing gives
    QString battute, errori;
};

class Giro : public RisultatiTest {
protected:
    void SetUp() override
    {
        RisultatiTest::SetUp();
        if (!lettura::PdftotextPresente())
            GTEST_SKIP() << "pdftotext missing";
        TestiPredefiniti(testi, *stato);
        stato->pausa = [this](int ms) { fakes.clock.ms += ms; };
        pratica = std::make_unique<Pratica>(*stato, testi);
        pratica->finestre.ShowWithBackdrop = [this](int selettore) {
            EXPECT_EQ(selettore, 2);
            return ApriRisultati();
        };
    }

    // What the main window's composition does, and what the learner sees.
    int ApriRisultati()
    {
        const QString pagina = temp + "pagina.pdf";
        lettura::StampantePdf stampante(pagina);
        stato->servizi.printer = &stampante;
        frmClassifica f(*stato);
        f.show();
        Apertura a;
        a.livelli = stato->livelloCorrente;
        a.tipoFineLivello = stato->tipoFineLivello;
        a.finestra = lettura::LeggiTabelle(lettura::Righe(f.scritteTabelle()));
        f.cmdPrint->click();
        const QStringList righeStampa = lettura::Righe(lettura::Parole(pagina));
        a.stampa = lettura::LeggiTabelle(righeStampa);
        a.totaliStampa = lettura::LeggiTotali(righeStampa);
        f.cmdPDF->click();
        const QStringList righePdf = lettura::Righe(lettura::Parole(f.percorsoPDF()));
        conserva(f.percorsoPDF(), QString("risultati-giro-%1.pdf").arg(aperture.size() + 1));
        a.pdf = lettura::LeggiTabelle(righePdf);
        a.totaliPdf = lettura::LeggiTotali(righePdf);
        for (int i = 1; i <= 5 * stato->livelloCorrente; ++i)
            a.velocitaAttese << QString::number(std::lround(double(velocitaAttese[size_t(i)] * 60.0f)));
        a.battute = QString::number(stato->totaleBattute);
        a.errori = QString::number(stato->totaleErrori);
        aperture.push_back(a);
        f.cmdRisp[0]->click();
        stato->servizi.printer = &fakes.printer;
        return stato->sceltaRisultati;
    }

    // Types the line, one wrong key after the first, in `secondi` seconds.
    void Digita(int secondi)
    {
        const QString riga = pratica->rigaCorrente();
        int battute = 0;
        for (qsizetype i = 0; i < riga.size(); ++i) {
            const QChar c = riga.at(i);
            if (c == '\n')
                continue;
            if (i == riga.size() - 1)
                fakes.clock.advance(secondi);
            const Pratica::EsitoTasto e = pratica->GiudicaTasto(c == '\r' ? 13 : testo::codiceTasto(c));
            ASSERT_TRUE(e.preso) << QString(c).toStdString();
            if (++battute == 1)
                pratica->GiudicaTasto(pratica->carattereAtteso() == "~" ? '#' : '~');
            if (e.fineRiga) {
                pratica->setStartAbilitato(true);
                pratica->FineRiga();
                pratica->DopoFineRiga();
                pratica->ChiusuraTerminata();
            }
        }
        velocitaAttese[size_t(pratica->numeroFrase())] = float(riga.size()) / float(secondi);
    }

    TestiClavora testi;
    std::unique_ptr<Pratica> pratica;
    std::vector<Apertura> aperture;
    std::array<float, 16> velocitaAttese{};
};

} // namespace

TEST_F(Giro, fifteenSentences_showTheSameFiguresInTheWindowOnPaperAndInThePdf)
{
    const int secondi[15] = {12, 9, 20, 15, 30, 11, 8, 25, 14, 10, 40, 7, 16, 18, 13};
    for (int frase = 1; frase <= 16; ++frase) {
        const Pratica::EsitoAvvio avvio = pratica->Avvia(Pratica::Scelta{});
        ASSERT_EQ(avvio.esito, Pratica::Avvio::Riga) << frase;
        if (frase == 16)
            break;   // "Continua" after the whole run starts it again
        ASSERT_EQ(pratica->numeroFrase(), frase);
        Digita(secondi[frase - 1]);
        if (HasFatalFailure())
            return;
    }
    ASSERT_EQ(aperture.size(), 3u);
    for (size_t n = 0; n < 3; ++n) {
        const Apertura &a = aperture[n];
        const int livelli = int(n) + 1;
        SCOPED_TRACE(livelli);
        EXPECT_EQ(a.livelli, livelli);
        EXPECT_EQ(a.tipoFineLivello, n == 2 ? 2 : 1);

        // The window, the page and the PDF show the levels reached; the PDF
        // leaves the others blank.
        EXPECT_EQ(a.finestra.velocita, a.velocitaAttese);
        EXPECT_EQ(a.stampa.velocita, a.finestra.velocita);
        EXPECT_EQ(a.pdf.velocita, a.finestra.velocita);
        EXPECT_EQ(a.stampa.punteggi, a.finestra.punteggi);
        EXPECT_EQ(a.pdf.punteggi.mid(0, 5 * livelli), a.finestra.punteggi);
        EXPECT_EQ(a.finestra.medie.size(), livelli);
        EXPECT_EQ(a.stampa.medie, a.finestra.medie);
        EXPECT_EQ(a.pdf.medie.mid(0, livelli), a.finestra.medie);
        EXPECT_EQ(a.stampa.punteggiLivello, a.finestra.punteggiLivello);
        EXPECT_EQ(a.pdf.punteggiLivello.mid(0, livelli), a.finestra.punteggiLivello);

        // The overall figures on paper and in the PDF.
        EXPECT_FALSE(a.totaliStampa.velocita.isEmpty());
        EXPECT_EQ(a.totaliPdf.velocita, a.totaliStampa.velocita);
        EXPECT_EQ(a.totaliPdf.punteggio, a.totaliStampa.punteggio);
        EXPECT_EQ(a.totaliStampa.battute, a.battute);
        EXPECT_EQ(a.totaliPdf.battute, a.battute);
        EXPECT_EQ(a.totaliStampa.errori, a.errori);
        EXPECT_EQ(a.totaliPdf.errori, a.errori);
        EXPECT_EQ(a.totaliStampa.errori, QString::number(5 * livelli));
        EXPECT_EQ(a.totaliPdf.rapporto, a.totaliStampa.rapporto);
        EXPECT_EQ(a.totaliPdf.parola, a.totaliStampa.parola);
    }
    // The whole run ended with "Continua": it starts again from the first level.
    EXPECT_EQ(stato->livelloCorrente, 1);
    EXPECT_EQ(stato->totaleBattute, 0);
}
