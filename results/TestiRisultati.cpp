#include "results/TestiRisultati.h"

namespace risultati {

const std::array<VoceTesto, NUMERO_TESTI> vociTesti{{
    {"0091", "battute / sec", ""},
    {"0092", "battute / min", ""},
    {"0093", "Frase ", " "},
    {"0094", "Punteggio", ""},
    {"0095", "Media:", ""},
    {"0096", "Scrivi il tuo nome", ""},
    {"0097", " - Stampa dei risultati", ""},
    {"0098", "Vuoi eseguire la stampa dei risultati?", ""},
    {"0099", "Stampa inviata alla stampante.", ""},
    {"0100", "Errore nella procedura di stampa.", ""},
    {"0101", "Risultati ottenuti da: ", "   "},
    {"0102", "Livello ", " "},
    {"0103", "Categoria ", " "},
    {"0076", "L'esercizio corrente è stato eseguito utilizzando le frasi interne.", ""},
    {"0077", "L'esercizio corrente è stato eseguito utilizzando il file ", ""},
    {"0078", "Risultati complessivi dell'esercizio", ""},
    {"0079", "Digitazioni", ""},
    {"0080", "Punteggio:", ""},
    {"0081", "- Totale errori di battitura:", ""},
    {"0082", "- Totale  numero  battute:", ""},
    {"0083", "- Rapporto errori/battute:", ""},
    {"0104", "Molto bene! Hai terminato l'esercizio di livello ", ""},
    {"0105", "Se vuoi continuare premi il pulsante: Continua.", ""},
    {"0107", "Se vuoi continuare con l'esercizio precedente, premi il pulsante: Continua.", ""},
    {"0108", "Se, invece, vuoi uscire dal programma, premi il pulsante: Termina", ""},
    {"0109", "Complimenti! Hai terminato l'esercizio di dattilografia.", ""},
    {"0110", "Se vuoi iniziare da capo premi il pulsante: Continua.", ""},
    {"0111", "Se, invece, vuoi uscire dal programma, premi il pulsante: Termina", ""},
    {"0135", "Per creare un nuovo file pdf occorre chiudere quello attualmente aperto.", ""},
    {"0139", "Ottimo", ""},
    {"0140", "Buono", ""},
    {"0141", "Sufficiente", ""},
    {"0142", "Insufficiente", ""},
}};

// An id of its own beside the report's ids, for the language files to come.
const VoceTesto vocePdfNonScritto{
    "0153", "Impossibile scrivere il file PDF: spazio su disco esaurito o cartella non scrivibile.",
    ""};

const VoceTesto vocePdfNonAperto{
    "0154",
    "Nessun programma ha potuto aprire il file PDF. Installa un lettore di PDF per vederlo; finché "
    "questa finestra resta aperta, il file è qui: %1",
    ""};

const char *const creditoAutori = "Tastavia - \u00A9 gli autori di Tastavia";

namespace {

const char *const intestazioniProgetto[3] = {
    " Risultati primo livello - categoria: ",
    " Risultati secondo livello - categoria: ",
    " Risultati terzo livello - categoria: ",
};

QString u8(const char *testo) { return QString::fromUtf8(testo); }

void Completa(TestiRisultati &t)
{
    for (size_t i = 0; i < 4; ++i)
        t.paroleValutazione[i] = t.testiRisultati[size_t(Ottimo) + i];
    t.etichettaUnita = QStringLiteral(" ") + t[UnitaMinuto] + QStringLiteral(" = ");
}

} // namespace

TestiRisultati CaricaTestiPredefiniti(const QString &nomeModo)
{
    TestiRisultati t;
    for (size_t i = 0; i < vociTesti.size(); ++i)
        t.testiRisultati[i] = u8(vociTesti[i].predefinito);
    for (size_t k = 0; k < 3; ++k)
        t.intestazioni[k] = u8(intestazioniProgetto[k]) + QStringLiteral(" ") + nomeModo;
    t.continua = QStringLiteral("Continua");
    t.continuaSuggerimento = QStringLiteral("Ritorna all'esercizio precedente");
    t.termina = QStringLiteral("Termina");
    t.terminaSuggerimento = QStringLiteral("Chiude il programma");
    t.stampa = QStringLiteral("Print");
    t.stampaSuggerimento = QStringLiteral("Stampa la classifica");
    t.pdf = QStringLiteral("PDF");
    t.pdfSuggerimento = QStringLiteral("File PDF");
    t.pdfNonScritto = u8(vocePdfNonScritto.predefinito);
    t.pdfNonAperto = u8(vocePdfNonAperto.predefinito);
    t.credito = u8(creditoAutori);
    Completa(t);
    return t;
}

TestiRisultati CaricaTestiLingua(const TestoLingua &lingua, const QString &nomeModo)
{
    TestiRisultati t = CaricaTestiPredefiniti(nomeModo);
    const auto testo = [&lingua](const char *id, const QString &predefinito) {
        return Testo(lingua, QString::fromLatin1(id), predefinito.trimmed()).trimmed();
    };
    for (size_t i = 0; i < vociTesti.size(); ++i) {
        const QString predefinito = u8(vociTesti[i].predefinito);
        // The print job's " - ..." keeps the blank that parts it from "Tastavia".
        const QString inizio = predefinito.startsWith(u' ') ? QStringLiteral(" ") : QString();
        t.testiRisultati[i] =
            inizio + testo(vociTesti[i].id, predefinito) + QString::fromLatin1(vociTesti[i].suffisso);
    }
    const char *idIntestazioni[3] = {"0088", "0089", "0090"};
    for (size_t k = 0; k < 3; ++k)
        t.intestazioni[k] = QStringLiteral(" ") + testo(idIntestazioni[k], u8(intestazioniProgetto[k])) +
                            QStringLiteral(" ") + nomeModo;
    t.continua = t.continuaSuggerimento = testo("0112", t.continua);
    t.termina = t.terminaSuggerimento = testo("0114", t.termina);
    t.stampa = testo("0550", t.stampa);
    t.pdf = testo("0551", t.pdf);
    t.credito = testo("0562", t.credito);
    t.stampaSuggerimento = testo("0086", t.stampaSuggerimento);
    // The PDF button's tooltip has no id of its own: the report's "Crea file pdf" says it.
    t.pdfSuggerimento = testo("0136", QStringLiteral("Crea file pdf"));
    t.pdfNonScritto = testo(vocePdfNonScritto.id, t.pdfNonScritto);
    t.pdfNonAperto = testo(vocePdfNonAperto.id, t.pdfNonAperto);
    Completa(t);
    return t;
}

TestiRisultati CaricaTesti(const TestoLingua &lingua, bool fileLinguaPresente, const QString &nomeModo)
{
    return fileLinguaPresente && lingua ? CaricaTestiLingua(lingua, nomeModo)
                                        : CaricaTestiPredefiniti(nomeModo);
}

QString MostraMessaggio(const TestiRisultati &t, int tipoFineLivello, int livelloCorrente)
{
    const QString capo = QStringLiteral("\r\n");
    switch (tipoFineLivello) {
    case 1:
        return t[MessaggioLivello] + QStringLiteral(" ") + QString::number(livelloCorrente) +
               QStringLiteral(".") + capo + capo + t[MessaggioContinua] + capo + t[MessaggioTermina];
    case 2:
        return t[MessaggioFine] + capo + capo + t[MessaggioDaCapo] + capo + t[MessaggioFineTermina];
    default:
        return QString();
    }
}

QString NomeFileEsercizio(const QString &fileEsercizio)
{
    return fileEsercizio.mid(fileEsercizio.lastIndexOf(QLatin1Char('/')) + 1);
}

QString PiePagina(const TestiRisultati &t, const QString &fileEsercizio)
{
    if (fileEsercizio.isEmpty())
        return t[PiedeFrasiInterne];
    return t[PiedeFile] + QStringLiteral(" ") + NomeFileEsercizio(fileEsercizio);
}

} // namespace risultati
