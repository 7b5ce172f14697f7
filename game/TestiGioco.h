#pragma once
// The texts of the training-and-game window, each with its four-digit id and
// its built-in Italian text. With a language file the lookup replaces them;
// without one (or with an empty lookup) the Italian texts stay.

#include "settings/TestoLingua.h"

#include <QString>
#include <array>

struct TestiGioco {
    // Messages of the rules (testiGioco), by entry.
    enum Messaggio { InsiemeCorto = 0, PrefissoTurno, InizioAllenamento, FineAllenamento, FineGioco,
                     AvvisoMaiuscole, RecordNonSalvato };
    std::array<QString, 7> testiGioco;

    // Captions of the eight options; 3..6 are the training sets themselves
    // and are never translated.
    std::array<QString, 8> opzioni;

    QString lblAllenamento, lblGioco, lblVelocita, lblTimeLbl, lblPunti, cmdExit, cmdNuovoSuggerimento;
    QString cmdStart = QStringLiteral("Start");

    QString messaggio(Messaggio m) const { return testiGioco[size_t(m)]; }
};

// The training sets of options 3..6, always these strings.
extern const std::array<const char16_t *, 4> InsiemiAllenamento;

// CaricaTestiPredefiniti: the built-in Italian texts.
TestiGioco CaricaTestiPredefiniti();
// CaricaTestiLingua: every text through the lookup, the Italian one as its fallback.
TestiGioco CaricaTestiLingua(const TestoLingua &lingua);
