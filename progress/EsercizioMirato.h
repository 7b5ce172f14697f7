#pragma once
// The practice aimed at weak keys: fifteen lines in three levels of five, made
// of real French words from the shipped list, most of them holding one of the
// characters aimed at. Written as an ordinary exercise file, so the engine
// plays it like any other.

#include "platform/Services.h"

#include <QString>
#include <QStringList>
#include <array>

namespace progressi {

// The word list: one word a line, "#" lines are comments; empty when unreadable.
QStringList LeggiParole(const QString &percorso);

// The characters the course has taught up to and including lesson `segnalibro`
// (its file name without extension, any case): every character of the lines of
// that lesson and the lessons before it, in list order. Empty when there is no
// such lesson.
QString CaratteriInsegnati(const QString &cartellaCorso, const QString &segnalibro);

struct EsercizioMirato {
    QString mirati;                        // the characters aimed at, in order of weakness
    std::array<QStringList, 3> livelli;    // five lines each
    // Words that hold an aimed character, of all words on the lines.
    int paroleMirate = 0, paroleTotali = 0;
};

// Up to 44 characters a line: short words in level 1, up to eight letters in
// level 2, any length in level 3, whose lines read as a sentence (a capital
// first letter and a full stop, where these are allowed). Only words made of
// `ammessi` (any when empty). Roughly four words in five hold one of `mirati`.
EsercizioMirato ComponiEsercizio(const QStringList &parole, const QString &mirati, const QString &ammessi,
                                 platform::RandomSource &random);

// The exercise as file text ([Livello1] to [Livello3], keys 1 to 5), UTF-8
// with a byte-order mark.
QByteArray TestoEsercizio(const EsercizioMirato &e);

} // namespace progressi
