#pragma once
// What the progress window shows, read from the store into plain values: the
// days' speed and accuracy per kind of material, each character's figures with
// its most frequent confusions, the course's lessons, the game's best totals.

#include "progress/ArchivioProgressi.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace progressi {

struct PuntoGiorno {
    int giorno = 0;           // yyyymmdd
    int materiale = 0;
    int righe = 0;
    double velocita = 0;      // mean of the day's lines
    double precisione = 0;    // 0..100: keystrokes without error
};

struct StatCarattere {
    char16_t carattere = 0;
    int64_t attesi = 0, battute = 0, errori = 0;
    Istogramma tempi{};
    double mediana = -1;          // ms between keystrokes
    double tendenza = 0;          // the last week's median minus the earlier one's (ms); 0 unknown
    std::vector<std::pair<char16_t, int64_t>> confusioni;   // typed instead, most frequent first
    // Wrong keys per attempt, with one right and one wrong attempt assumed, so
    // that a character seen twice does not top the list.
    double tassoErrori() const { return double(errori + 1) / double(attesi + errori + 2); }
};

struct Lezione {
    QString file;
    int volte = 0;
    double ultimaVelocita = 0, migliorVelocita = 0;
    int ultimoPunteggio = 0, migliorPunteggio = 0;
};

struct Riepilogo {
    QString studente;
    int daGiorno = 0;                      // 0: all days
    std::vector<PuntoGiorno> giorni;       // by day, then kind
    std::vector<StatCarattere> caratteri;  // by character
    std::map<QString, Lezione> lezioni;    // course lessons done, by file
    std::array<int, 3> migliorGioco{};     // the game's best totals by level
    std::array<int, 3> migliorAllenamento{};
    int64_t righeTotali = 0;
};

// The day key `giorni` days before `oggi` (yyyymmdd).
int GiornoPrima(int oggi, int giorni);

// Reads the learner's figures since day `daGiorno` (0: all). False when the
// store cannot be read; `r` then holds what was read.
bool LeggiRiepilogo(ArchivioProgressi &archivio, const QString &studente, int daGiorno, Riepilogo &r);

// The n weakest characters (letters, digits, punctuation; not the blank),
// highest error rate first, the slower first among equals. Only characters
// `ammessi` holds when it is not empty; each needs at least `minimo` attempts.
std::vector<StatCarattere> PiuDeboli(const std::vector<StatCarattere> &caratteri, int n,
                                     const QString &ammessi = QString(), int minimo = 3);

} // namespace progressi
