#pragma once
// The results as a one-page A4 PDF, written with the program's PDF writer in
// centimetres from the bottom-left corner. All three levels are shown whatever
// was reached; the overall figures cover the levels reached only.

#include "results/Report.h"

#include <QString>

class clsPDFCreator;
namespace platform {
class Clock;
class RandomSource;
}

namespace risultati {

// Layout columns, in centimetres.
constexpr float pdfMargineSinistro = 2.0f;
constexpr float pdfColonnaFrase = 2.5f;
constexpr float pdfColonnaPunteggio = 12.0f;
constexpr float pdfMargineDestro = 20.0f;

// Where right-aligned numbers end, measured with the writer's own widths of
// "Fn1" at 12 points: after the widest sentence label, and after "Punteggio".
struct BordiPDF {
    float velocita = 0;
    float punteggio = 0;
};
BordiPDF CalcolaBordi(const clsPDFCreator &pdf, const TestiRisultati &testi);

// The report's file: the temporary folder, the name made fit for a file name
// (so that no name writes outside the folder), ".pdf". The folder ends with
// "/"; it is the learner's private one, never a shared folder.
QString PercorsoPDF(const QString &cartellaTemporanea, const QString &nomeReport);

// The writer's properties for the report (title, centimetres, A4, portrait).
void ImpostaDocumento(clsPDFCreator &pdf);
// Loads the four fonts and draws the page; the document must be open and no
// page begun. Used by ScriviPDF and by the benchmark.
void DisegnaPDF(clsPDFCreator &pdf, const DatiReport &dati);

enum class EsitoPDF {
    Creato,      // written whole and in place
    NonCreato,   // the folder could not take a new file
    NonScritto,  // it could not be written out whole; nothing broken is left
};

// Writes the report to `percorso`, readable by the learner alone, replacing
// whatever has that name (a link there is replaced, never followed). A failed
// write leaves what was there before; `errore` gets the errno.
EsitoPDF ScriviPDF(const QString &percorso, const DatiReport &dati, const platform::Clock *clock,
                   platform::RandomSource *random, int *errore = nullptr);

// A finished PDF ends with its end marker.
bool PdfCompleto(const QString &percorso);

} // namespace risultati
