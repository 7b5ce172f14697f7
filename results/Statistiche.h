#pragma once
// The figures of a run's results, computed once from the shared values and
// shown three times (window, printed page, PDF): sentence speeds and scores,
// level averages and scores, the overall figures, the error ratio, the
// evaluation symbol of a score and the evaluation word of the error ratio.
//
// Arithmetic: speeds are single precision; a sentence score is
// floor(speed * tempoObiettivo * 100) formed in double from the single values,
// capped at 100 with no lower bound; speeds per minute are rounded half away
// from zero (the display pattern "0"); the overall speed is the sum of the
// level averages times 60, over the levels, in single precision.

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>

class modClavora;

namespace risultati {

// Keystrokes per minute shown for a speed in keystrokes per second.
int VelocitaMinuto(float keystrokesPerSecond);

// 0..20 -> 0, 21..40 -> 1, 41..60 -> 2, 61..80 -> 3, above -> 4 (negative -> 0).
int IndiceSimbolo(int punteggio);

// Evaluation of e errors over b keystrokes: 0 "Ottimo", 1 "Buono",
// 2 "Sufficiente", 3 "Insufficiente". p = e / b * 100 in single precision,
// thresholds 0.5 / 0.75 / 1.0 in expert mode, 2 / 3 / 4 otherwise, each
// threshold taking the better word. b of 0 or less counts as 1.
int Valutazione(int battute, int errori, bool modoEsperto);

struct Livello {
    std::array<float, 5> velocita{};          // keystrokes per second
    std::array<int, 5> velocitaMinuto{};
    std::array<int, 5> punteggi{};
    float velocitaMedia = 0;                  // single-precision sum / 5
    int velocitaMediaMinuto = 0;
    int16_t punteggioLivello = 0;             // sum of scores / 5, rounded
    int simbolo = 0;                          // IndiceSimbolo(punteggioLivello)
};

// Level k (1..3): sentences 5k-4 .. 5k of velocitaFrase (indices 1..15).
Livello CalcolaLivello(const std::array<float, 16> &velocitaFrase, int k, float tempoObiettivo);

struct Figure {
    int numeroLivelli = 1;                    // livelloCorrente, brought into 1..3
    std::array<Livello, 3> livelli;           // all three, for the PDF
    float sommaVelocitaLivelli = 0;           // over the levels reached
    int16_t sommaPunteggiLivelli = 0;
    int velocitaComplessivaMinuto = 0;
    int punteggioComplessivo = 0;             // floor(sum / levels)
    int simboloComplessivo = 0;
    int totaleBattute = 1;                    // as shown: no keystrokes count as 1
    int totaleErrori = 0;
    double rapportoErrori = 0;                // errors / keystrokes, a fraction
    int valutazione = 0;                      // Valutazione of the run
    int serieSimboli = 0;                     // 0 beginner (420..424), 1 expert (425..429)
};

Figure Calcola(const modClavora &stato);

// The symbol's picture resource for an index 0..4 and a mode (the large
// pictures of the results window and the printed page).
QString RisorsaSimbolo(int indice, int serieSimboli);

// The figures as the learner reads them, formatted once so that the window,
// the printed page and the PDF show the same characters: speeds per minute
// "0", scores "##0"; the overall score, the errors and the keystrokes as plain
// integers; the error ratio "##0.0%" with the locale's decimal separator.
struct CifreLivello {
    std::array<QString, 5> velocita;
    std::array<QString, 5> punteggi;
    QString velocitaMedia;
    QString punteggio;
    int simbolo = 0;
};

struct Cifre {
    int numeroLivelli = 1;
    std::array<CifreLivello, 3> livelli;
    QString velocitaComplessiva;
    QString punteggioComplessivo;
    int simboloComplessivo = 0;
    QString totaleErrori;
    QString totaleBattute;
    QString rapportoErrori;
    int valutazione = 0;
    int serieSimboli = 0;
};

Cifre Formatta(const Figure &figure, const QLocale &locale = QLocale());

} // namespace risultati
