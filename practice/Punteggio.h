#pragma once
// Scoring of a practice line: speed, sentence score, level average, icon band,
// record decision and the end-of-line message. No widgets: FineRiga calls these
// and only shows what they return.

#include "platform/Services.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

// Seconds between the first accepted keystroke and the last; never negative
// (a clock set back gives 0, which the caller treats like a same-second line).
int SecondiRiga(const QDateTime &inizioRiga, const QDateTime &adesso);

// Keystrokes per second on a line, single precision; 0 when no whole second
// passed (the caller then uses 5).
float VelocitaRiga(int caratteri, int secondi);

// floor(tempoObiettivo * v * 100) in double from the single-precision values,
// 100 and above -> 100, with no lower bound (the results' sentence score).
int PunteggioGrezzo(float v, float tempoObiettivo);

// Score 1..100 of a line typed at v keystrokes per second:
// floor(tempoObiettivo * v * 100) in double from the single-precision values,
// above 100 -> 100, 0 -> 1.
int PunteggioFrase(float v, float tempoObiettivo);

// Level score from the five speeds of the level (indices 1..15, index 0 unused),
// each capped at 1 / tempoObiettivo; no lower bound; 0 on any arithmetic fault
// (a level other than 1..3, a target time of 0, a result beyond 16 bits).
int16_t calcolaMediaLevel(const std::array<float, 16> &velocitaFrase, int livello,
                          float tempoObiettivo);

// Icon band 0..4 (worst to best), plus 5 in expert mode (indiceModo 1).
int FasciaPunteggio(int punteggio, int indiceModo);

// The error-ratio band of a run, best to worst: 0 (B), 1 (A), 2 (C), 3 (D).
// r = errori / battute * 100 in double; beginner thresholds 2, 3, 4 and expert
// 0.5, 0.75, 1, each band including its upper bound. -1 without keystrokes.
int FasciaErrori(int errori, int battute, bool modoEsperto);

// Seeds the generator from the clock and draws an integer in [basso, alto].
int NumeroCasuale(platform::RandomSource &random, const platform::Clock &clock, int basso, int alto);

// The level label after a sentence. Sentences 5, 10, 15 close the level: the
// label shows calcolaMediaLevel and sommaPunti restarts at 0. Sentences 1..4 of
// a level add the score to sommaPunti (saturating at 32767) and the label shows
// floor(sommaPunti / k), k being the sentence's place in its level. nullopt
// when sentence and level do not fit together (the label is left alone).
std::optional<int> MediaDopoFrase(int16_t &sommaPunti, int numeroFrase, int livelloCorrente,
                                  int punteggio, const std::array<float, 16> &velocitaFrase,
                                  float tempoObiettivo);

// Whether the line beat the level's best gauge width.
struct EsitoRecord {
    bool restringiBarra = false;  // DisegnaRecord(larghezzaAttuale, 0)
    bool record = false;          // praised as a record; never on the first line
    int suono = 102;              // 103 for a record
};
EsitoRecord ValutaRecord(int larghezzaMax, int larghezzaAttuale, bool primaFrase);

// Texts the end-of-line message is made of (message texts of the main window).
struct TestiFineRiga {
    QString testo6, testo7, testo8, testo9, testo10, testo33;
    QStringList lodiNormali, lodiRecord;  // seven praise words each
    QString unitaVelocita;
};

// Keystrokes per minute as shown: v * 60 rounded half to even.
int BattuteAlMinuto(float v);

// The message of lblMessaggio. indiceLode picks the praise word (0..6) when the
// score is 41 or more; an index outside the list is brought into it.
QString ComponiMessaggio(const TestiFineRiga &testi, int punteggio, float v, bool record,
                         int indiceLode);

// Colour of row y of the record bar for level 1..3 (DisegnaRecord).
// Each channel is 255 - 10y, not below 0.
uint32_t ColoreRigaRecord(int livello, int y);
