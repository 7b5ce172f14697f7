#pragma once
// Why a file could not be saved, in the few cases the learner can understand
// and act on.

#include <QString>

struct ErroreScrittura {
    enum Motivo {
        Nessuno = 0,
        SolaLettura,             // the file may not be written (read-only, another user's)
        DiscoPieno,              // no room left (also a quota or a file size limit)
        CartellaNonScrivibile,   // the file is missing and its folder cannot take a new one
        FileInUso,               // another program kept the file locked too long
        Altro,                   // anything else
    };
    QString file;
    Motivo motivo = Nessuno;
};
