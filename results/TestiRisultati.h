#pragma once
// The texts of the results window, its printed page and its PDF: 33 entries,
// each with its four-digit id, its built-in Italian text and the suffix that
// follows a language-file text (language texts arrive trimmed), and the
// captions and tooltips of the window.

#include "settings/TestoLingua.h"

#include <QString>
#include <array>

namespace risultati {

struct VoceTesto {
    const char *id;
    const char *predefinito;   // UTF-8
    const char *suffisso;      // after a language text only
};

constexpr int NUMERO_TESTI = 33;
extern const std::array<VoceTesto, NUMERO_TESTI> vociTesti;

// Entries used by name.
enum Voce {
    UnitaMinuto = 1,       // speed unit of the tables
    EtichettaFrase = 2,    // "Frase "
    EtichettaPunteggio = 3,
    EtichettaMedia = 4,
    NomeDocumentoStampa = 6,
    DomandaStampa = 7,
    StampaInviata = 8,
    ErroreStampa = 9,
    RisultatiDi = 10,
    TitoloLivello = 11,
    Categoria = 12,
    PiedeFrasiInterne = 13,
    PiedeFile = 14,
    TitoloTotali = 15,
    Digitazioni = 16,
    PunteggioComplessivo = 17,
    TotaleErrori = 18,
    TotaleBattute = 19,
    RapportoErrori = 20,
    MessaggioLivello = 21,
    MessaggioContinua = 22,
    MessaggioTermina = 24,
    MessaggioFine = 25,
    MessaggioDaCapo = 26,
    MessaggioFineTermina = 27,
    PdfOccupato = 28,
    Ottimo = 29,
};

// Not one of the 33: the PDF could not be written out (a full disk).
extern const VoceTesto vocePdfNonScritto;
// Nor this: the PDF was written but no program opened it ("%1": its path).
// The text report says the same.
extern const VoceTesto vocePdfNonAperto;

struct TestiRisultati {
    std::array<QString, NUMERO_TESTI> testiRisultati;
    std::array<QString, 4> paroleValutazione;     // entries 29..32
    QString etichettaUnita;                       // " " + entry 1 + " = "
    std::array<QString, 3> intestazioni;          // lbllivelli captions, with nomeModo
    QString continua, continuaSuggerimento;       // cmdRisp(0)
    QString termina, terminaSuggerimento;         // cmdRisp(1)
    QString stampa, stampaSuggerimento;           // cmdPrint
    QString pdf, pdfSuggerimento;                 // cmdPDF
    QString pdfNonScritto;
    QString pdfNonAperto;                         // "%1": the file's path
    QString credito;                              // the footer's credit line

    const QString &operator[](int i) const { return testiRisultati[size_t(i)]; }
};

// The built-in Italian texts; headings are the design captions + " " + nomeModo.
TestiRisultati CaricaTestiPredefiniti(const QString &nomeModo);
// The language file's texts, trimmed, with their suffixes.
TestiRisultati CaricaTestiLingua(const TestoLingua &lingua, const QString &nomeModo);
// The window's choice: the language file's texts when it is present and a
// lookup is given, the built-in ones otherwise.
TestiRisultati CaricaTesti(const TestoLingua &lingua, bool fileLinguaPresente,
                           const QString &nomeModo);

// lblShowMess: what the two answer buttons do, after a level (tipoFineLivello
// 1) or after the whole run (2); empty otherwise.
QString MostraMessaggio(const TestiRisultati &testi, int tipoFineLivello, int livelloCorrente);

// The file name part of fileEsercizio, after the last separator.
QString NomeFileEsercizio(const QString &fileEsercizio);

// The report's footer: which material the exercise used.
QString PiePagina(const TestiRisultati &testi, const QString &fileEsercizio);

// The credit line at the right of the footer, on paper and in the PDF.
extern const char *const creditoAutori;

} // namespace risultati
