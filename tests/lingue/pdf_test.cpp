// The PDFs in every shipped language: a word of the Italian PDF that the
// other language's PDF still holds must be one of that language's own texts
// (or a name); dates and numbers follow the interface language whatever the
// process locale ("C", "it_IT").

#include "LingueTest.h"

#include "report/ReportFreeTXT.h"
#include "results/PdfRisultati.h"
#include "results/Report.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

namespace {

class PdfLingue : public LingueTest {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            GTEST_SKIP() << "pdftotext missing";
        LingueTest::SetUp();
        fakes.clock.current = QDateTime(QDate(2026, 12, 7), QTime(10, 5, 9));
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        LingueTest::TearDown();
    }

    // The words of a PDF (letters only, three or more).
    static QSet<QString> Parole(const QString &pdf)
    {
        QProcess p;
        p.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
        p.waitForFinished(20000);
        QSet<QString> out;
        static const QRegularExpression parola(QStringLiteral("\\p{L}{3,}"));
        for (const auto &m : parola.globalMatch(QString::fromUtf8(p.readAllStandardOutput())))
            out << m.captured();
        return out;
    }

    // The main window's texts set the mode's name and the speed unit both reports take.
    void testiPrincipali()
    {
        TestiClavora testi;
        if (stato->fileLinguaPresente)
            ApplicaTestiLingua(testi, *stato, lookup());
        else
            TestiPredefiniti(testi, *stato);
    }

    QString pdfRisultati()
    {
        const float v[15] = {2.0f, 2.5f, 3.1f, 1.2f, 2.6f, 2.2f, 1.9f, 2.8f, 2.4f, 2.1f,
                             1.7f, 2.9f, 3.3f, 2.0f, 2.6f};
        for (int i = 1; i <= 15; ++i)
            stato->velocitaFrase[size_t(i)] = v[i - 1];
        stato->livelloCorrente = 3;
        stato->tipoFineLivello = 2;
        stato->totaleBattute = 1874;
        stato->totaleErrori = 23;
        stato->fileEsercizio.clear();
        stato->modoFileTesto = false;
        testiPrincipali();
        const QString percorso = cartella + "tmp/risultati-" + stato->linguaCorrente + ".pdf";
        const auto d = risultati::PreparaReport(*stato, lookup(), stato->localeInterfaccia());
        EXPECT_EQ(risultati::ScriviPDF(percorso, d, &fakes.clock, &fakes.random), risultati::EsitoPDF::Creato);
        return percorso;
    }

    QString pdfReport()
    {
        stato->modoFileTesto = true;
        stato->fileEsercizio = cartella + "Esercizi/Le_marche.txt";
        stato->testoDaAnalizzare = "Le chat dort. Il fait 20 degres !";
        stato->totaleBattute = 2317;
        stato->totaleErrori = 41;
        stato->numParole = 402;
        stato->tempoEsercizio = QTime(0, 11, 24);
        testiPrincipali();
        report::ReportFreeTXT r(*stato, lookup(), stato->localeInterfaccia());
        EXPECT_EQ(r.GeneraPDF().tipo, report::ReportFreeTXT::EsitoPDF::Aperto);
        const QString copia = cartella + "tmp/report-" + stato->linguaCorrente + ".pdf";
        QFile::copy(r.percorsoPDF(), copia);
        return copia;
    }

    // Every word of the language's own texts (its file), for the words both PDFs hold.
    QSet<QString> ParoleDelFile()
    {
        QFile f(modLanguageSupport::FileDellaLingua(cartella, stato->linguaCorrente));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        QSet<QString> out;
        static const QRegularExpression parola(QStringLiteral("\\p{L}{3,}"));
        // Code page 1252 and Latin-1 agree on the letters of these languages.
        for (const auto &m : parola.globalMatch(QString::fromLatin1(f.readAll())))
            out << m.captured();
        return out;
    }
};

TEST_F(PdfLingue, everyLanguagesPdfs_holdNoItalianWordTheLanguageDoesNotSay)
{
    lingua("Italian");
    const QSet<QString> italiano = Parole(pdfRisultati()) + Parole(pdfReport());
    ASSERT_TRUE(italiano.contains("autori"));
    ASSERT_TRUE(italiano.contains("dicembre"));
    static const QSet<QString> nomi{"Tastavia", "AZERTY", "ANNA", "PDF", "Le_marche", "marche", "txt", "ABC",
                                    "abc"};
    for (const QString &l : kLingue) {
        SCOPED_TRACE(l.toStdString());
        nuovoStato();
        lingua(l);
        const QSet<QString> tradotto = Parole(pdfRisultati()) + Parole(pdfReport());
        const QSet<QString> propri = ParoleDelFile();
        QStringList rimaste;
        for (const QString &p : tradotto)
            if (italiano.contains(p) && !nomi.contains(p) && !propri.contains(p))
                rimaste << p;
        rimaste.sort();
        EXPECT_TRUE(rimaste.isEmpty()) << rimaste.join(' ').toStdString();
    }
}

TEST_F(PdfLingue, processLocale_neverDecidesDatesAndNumbers)
{
    const struct {
        const char *lingua, *mese, *giorno;
    } casi[] = {{"German", "Dezember", "Montag"}, {"French", "décembre", "lundi"},
                {"English", "December", "Monday"}, {"Spanish", "diciembre", "lunes"}};
    for (const QLocale &processo : {QLocale::c(), QLocale(QLocale::Italian, QLocale::Italy)}) {
        QLocale::setDefault(processo);
        for (const auto &c : casi) {
            SCOPED_TRACE(QString("%1 under %2").arg(c.lingua, processo.name()).toStdString());
            nuovoStato();
            lingua(c.lingua);
            const QSet<QString> parole = Parole(pdfRisultati()) + Parole(pdfReport());
            EXPECT_TRUE(parole.contains(QString::fromUtf8(c.mese)));
            EXPECT_TRUE(parole.contains(QString::fromUtf8(c.giorno)));
            for (const char *estraneo : {"dicembre", "December", "Dezember", "diciembre"})
                if (QString::fromUtf8(estraneo) != QString::fromUtf8(c.mese)) {
                    EXPECT_FALSE(parole.contains(QString::fromUtf8(estraneo))) << estraneo;
                }
            // The error ratio as the language writes it: 23 of 1874 keystrokes.
            const auto d = risultati::PreparaReport(*stato, lookup(), stato->localeInterfaccia());
            EXPECT_EQ(d.cifre.rapportoErrori.contains(QLatin1Char(',')), QString(c.lingua) != "English")
                << d.cifre.rapportoErrori.toStdString();
        }
    }
}

} // namespace
