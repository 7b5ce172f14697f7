#pragma once
// What the learner's name may hold: one line of characters that the settings,
// bookmark and best-score files (code page 1252) can store. A name with
// characters beyond it would come back as "?" and two learners could share
// one section of those files.

#include <QString>

struct NomeFiltrato {
    QString testo;
    bool tolti = false;   // characters were dropped (line breaks only become blanks)
};

// The name in composed form (NFC); line breaks and tabs become one blank
// each run; other control and format characters, and characters outside code
// page 1252, are dropped.
NomeFiltrato FiltraNome(const QString &testo);

// Upper case letter by letter; a letter whose upper case the code page lacks
// ("µ", "ƒ") or that is more than one letter ("ß") stays as it is, so the
// name keeps to the code page and two names never become one.
QString NomeMaiuscolo(const QString &nome);
