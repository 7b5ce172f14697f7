// A whole text file of the program's material typed through the practice
// engine on a fake clock; the report's figures must be those of the keys sent.

#include "ReportTest.h"
#include "tests/support/Sorgenti.h"

#include "practice/Pratica.h"
#include "practice/TestiClavora.h"
#include "platform/Testo.h"

#include <QDirIterator>
#include <QRegularExpression>

namespace {

class PraticaReport : public ReportTest {
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        // The program folder with the shipped exercises.
        const QString da = cartellaSorgenti() + "/data/Esercizi";
        QDir().mkpath(temp + "Esercizi");
        for (const QString &nome : QDir(da).entryList({"*.txt", "*.ftd"}, QDir::Files))
            QFile::copy(da + "/" + nome, temp + "Esercizi/" + nome);
        testi = std::make_unique<TestiClavora>();
        TestiPredefiniti(*testi, *stato);
    }

    std::unique_ptr<TestiClavora> testi;
};

} // namespace

TEST_F(PraticaReport, wholeShippedTextTypedWithErrors_givesTheFiguresOfTheKeysSent)
{
    // Whichever text ships: the material may change.
    const QStringList txt = QDir(temp + "Esercizi").entryList({"*.txt"}, QDir::Files, QDir::Name);
    if (txt.isEmpty())
        GTEST_SKIP() << "no text file in data/Esercizi";
    const QString nome = txt.first();

    Pratica pratica(*stato, *testi);
    pratica.ImpostaModo(0);
    ASSERT_EQ(pratica.ApriDaRigaComando("/" + nome), Esercizi::EsitoComando::Aperto);
    ASSERT_EQ(pratica.Avvia({}).esito, Pratica::Avvio::Riga);
    ASSERT_TRUE(stato->modoFileTesto);

    int inviati = 0, sbagliati = 0, spazi = 0, controlli = 0;
    QDateTime primo;
    bool fine = false;
    while (!fine) {
        const QString atteso = pratica.carattereAtteso();
        ASSERT_FALSE(atteso.isEmpty());
        if (atteso == " ")
            ++spazi;
        if (atteso.at(0).unicode() < 32)
            ++controlli;   // a lone line feed or a tab: typed, but of no class
        // Every 25th key is wrong; a text takes it all the same.
        const bool errore = inviati % 25 == 24;
        const QChar c = errore ? (atteso == "#" ? QChar('@') : QChar('#')) : atteso.at(0);
        if (inviati > 0 && inviati % 3 == 0)
            fakes.clock.advance(1);
        const Pratica::EsitoTasto e = pratica.GiudicaTasto(testo::codiceTasto(c));
        ASSERT_TRUE(e.preso);
        ASSERT_EQ(e.errore, errore);
        if (inviati == 0)
            primo = fakes.clock.now();
        ++inviati;
        sbagliati += errore;
        fine = e.fineRiga;
    }
    fakes.clock.advance(1);
    ASSERT_TRUE(pratica.FineRiga().fileTesto);

    const int secondi = int(primo.secsTo(fakes.clock.now()));
    ASSERT_GT(secondi, 0);
    report::ReportFreeTXT r(*stato, {}, italiano());
    const report::Figure &f = r.figure();
    EXPECT_EQ(f.battute, inviati);
    EXPECT_EQ(f.errori, sbagliati);
    EXPECT_EQ(f.secondiEsercizio, secondi);
    // The words of the text, not its blanks.
    EXPECT_EQ(f.numParole, pratica.rigaCorrente().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).size());
    EXPECT_EQ(stato->numParole, spazi);
    EXPECT_FLOAT_EQ(*f.battuteMinuto, float(double(inviati) / secondi * 60));
    EXPECT_FLOAT_EQ(*f.rapportoErrori, float(double(sbagliati) / inviati));
    EXPECT_EQ(r.RigheRisultati()[2], "Battute esatte: " + QString::number(inviati - sbagliati));
    EXPECT_EQ(r.RigheRisultati()[0],
              "Tempo totale impiegato: " + QTime(0, 0).addSecs(secondi).toString("hh:mm:ss"));

    // The PDF counts the text that was typed: its blanks are the words met.
    ASSERT_EQ(r.GeneraPDF().tipo, report::ReportFreeTXT::EsitoPDF::Aperto);
    EXPECT_EQ(stato->testoDaAnalizzare, pratica.rigaCorrente());
    const report::Caratteri &c = r.caratteri();
    EXPECT_EQ(c.numSpazi, spazi);
    EXPECT_EQ(c.numMaiuscole + c.numMinuscole + c.numCifre + c.numPunteggiatura + c.numSpazi +
                  c.numSpeciali,
              inviati - controlli);
}
