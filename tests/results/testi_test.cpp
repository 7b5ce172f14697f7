// The results window's texts: built-in Italian texts, a language file's texts
// with their suffixes, and the message about the answer buttons.

#include "results/TestiRisultati.h"

#include <gtest/gtest.h>

#include <QHash>

using namespace risultati;

namespace {

// A language file whose texts carry blanks around them, as files do.
TestoLingua Inglese()
{
    static const QHash<QString, QString> testi{
        {"0092", "  strokes / min "}, {"0093", " Sentence  "}, {"0094", "Score"},
        {"0101", "Results of:"},      {"0104", "Well done! You finished level "},
        {"0105", "Press Continue."},  {"0108", "Press End to quit."},
        {"0088", " First level - category: "},
        {"0112", "Continue"},         {"0114", "End"}, {"0086", "Print the results"},
        {"0139", "Excellent"},        {"0142", "Poor"}};
    return [](const QString &id, const QString &predefinito) {
        return testi.value(id, predefinito);
    };
}

} // namespace

TEST(TestiRisultati, builtInTexts_areTheItalianOnesWithTheirBlanks)
{
    const TestiRisultati t = CaricaTesti({}, false, "Principiante");
    EXPECT_EQ(t[EtichettaFrase], "Frase ");
    EXPECT_EQ(t[RisultatiDi], "Risultati ottenuti da: ");
    EXPECT_EQ(t[Categoria], "Categoria ");
    EXPECT_EQ(t[TotaleBattute], "- Totale  numero  battute:");
    EXPECT_EQ(t[PiedeFrasiInterne], QString::fromUtf8("L'esercizio corrente è stato eseguito utilizzando le frasi interne."));
    EXPECT_EQ(t.etichettaUnita, " battute / min = ");
    EXPECT_EQ(t.paroleValutazione, (std::array<QString, 4>{"Ottimo", "Buono", "Sufficiente", "Insufficiente"}));
    EXPECT_EQ(t.intestazioni[0], " Risultati primo livello - categoria:  Principiante");
    EXPECT_EQ(t.intestazioni[2], " Risultati terzo livello - categoria:  Principiante");
    EXPECT_EQ(t.continua, "Continua");
    EXPECT_EQ(t.termina, "Termina");
    EXPECT_EQ(t.stampa, "Print");
    EXPECT_EQ(t.stampaSuggerimento, "Stampa la classifica");
}

TEST(TestiRisultati, languageTexts_areTrimmedAndTakeTheirSuffixes)
{
    const TestiRisultati t = CaricaTesti(Inglese(), true, "Expert");
    EXPECT_EQ(t[EtichettaFrase], "Sentence ");
    EXPECT_EQ(t[RisultatiDi], "Results of:   ");
    EXPECT_EQ(t.etichettaUnita, " strokes / min = ");
    EXPECT_EQ(t.paroleValutazione[0], "Excellent");
    EXPECT_EQ(t.paroleValutazione[3], "Poor");
    EXPECT_EQ(t.intestazioni[0], " First level - category: Expert");
    EXPECT_EQ(t.continua, "Continue");
    EXPECT_EQ(t.continuaSuggerimento, "Continue");
    EXPECT_EQ(t.terminaSuggerimento, "End");
    EXPECT_EQ(t.stampaSuggerimento, "Print the results");
    // An id the file does not have keeps the built-in text (trimmed, with its suffix).
    EXPECT_EQ(t[TitoloLivello], "Livello ");
    // Without the file the lookup is not asked at all.
    EXPECT_EQ(CaricaTesti(Inglese(), false, "Esperto")[EtichettaFrase], "Frase ");
}

TEST(TestiRisultati, levelMessage_hasTwoBlanksBeforeTheLevelWithTheBuiltInTextAndOneWithALanguage)
{
    const QString italiano = MostraMessaggio(CaricaTesti({}, false, ""), 1, 2);
    EXPECT_EQ(italiano, "Molto bene! Hai terminato l'esercizio di livello  2.\r\n\r\n"
                        "Se vuoi continuare premi il pulsante: Continua.\r\n"
                        "Se, invece, vuoi uscire dal programma, premi il pulsante: Termina");
    const QString inglese = MostraMessaggio(CaricaTesti(Inglese(), true, ""), 1, 3);
    EXPECT_TRUE(inglese.startsWith("Well done! You finished level 3.\r\n\r\nPress Continue.\r\n"));
}

TEST(TestiRisultati, runMessage_congratulatesAndOtherEndsShowNothing)
{
    const TestiRisultati t = CaricaTesti({}, false, "");
    EXPECT_EQ(MostraMessaggio(t, 2, 3),
              "Complimenti! Hai terminato l'esercizio di dattilografia.\r\n\r\n"
              "Se vuoi iniziare da capo premi il pulsante: Continua.\r\n"
              "Se, invece, vuoi uscire dal programma, premi il pulsante: Termina");
    EXPECT_TRUE(MostraMessaggio(t, 0, 1).isEmpty());
}

TEST(TestiRisultati, footer_namesTheExerciseFileOrTheBuiltInSentences)
{
    const TestiRisultati t = CaricaTesti({}, false, "");
    EXPECT_EQ(PiePagina(t, ""), t[PiedeFrasiInterne]);
    EXPECT_EQ(PiePagina(t, "/home/anna/Tastavia/Esercizi/Prezzi.ftd"),
              QString::fromUtf8("L'esercizio corrente è stato eseguito utilizzando il file  Prezzi.ftd"));
    EXPECT_EQ(NomeFileEsercizio("Prezzi.ftd"), "Prezzi.ftd");
}

TEST(TestiRisultati, everyEntry_hasAFourDigitIdOfTheResultsWindow)
{
    for (const VoceTesto &v : vociTesti) {
        const int id = QString::fromLatin1(v.id).toInt();
        EXPECT_EQ(QString::fromLatin1(v.id).size(), 4);
        EXPECT_TRUE((id >= 76 && id <= 114) || id == 135 || (id >= 139 && id <= 142)) << v.id;
    }
}
