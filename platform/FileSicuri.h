#pragma once
// Files that other people and programs can put in our way: material chosen by
// the learner (which may turn out to be a FIFO, a device or a folder), and
// the PDFs handed to a viewer through a temporary folder that other users
// share. Qt Core only; every failure comes back with its errno.

#include <QByteArray>
#include <QString>
#include <sys/types.h>

namespace filesicuri {

// --- Reading material ------------------------------------------------------------

enum class Esito { Ok, Mancante, NonRegolare, TroppoGrande, Illeggibile };

struct Lettura {
    Esito esito = Esito::Ok;
    int errore = 0;        // errno when Illeggibile or Mancante
    qint64 dimensione = 0; // bytes of the file, when it is a regular one
    QByteArray dati;       // the whole file, only when Ok
};

// Opens without blocking (a FIFO or a terminal can never hang the program),
// and reads only a regular file (links followed) of at most maxByte bytes.
// With soloControllo the file is checked, not read.
Lettura LeggiFileRegolare(const QString &percorso, qint64 maxByte, bool soloControllo = false);

// --- The private temporary folder ------------------------------------------------

struct CartellaPrivata {
    QString percorso;   // ends with "/"; empty when none could be had
    QString provata;    // the folder that could not be used
    int errore = 0;     // and why (errno)
};

// A folder only the learner can enter (0700), for files handed to other
// programs: "tastavia" in the session's runtime folder when that is the
// learner's and closed to others; otherwise a new folder of unpredictable
// name made by mkdtemp in the temporary folder (TMPDIR, else /tmp). Nothing is
// ever made or written anywhere else.
CartellaPrivata PreparaCartellaPrivata(const QString &cartellaRuntime, const QString &cartellaTemp);

// True for a real folder (not a link) owned by uid that no one else can
// write into (with soloProprietario: nor enter).
bool CartellaDi(const QString &percorso, uid_t uid, bool soloProprietario);

// Writes a whole file readable by the learner alone (0600) into a folder of
// ours: a temporary file made there is renamed over the name, so a link or
// a file already at the name is replaced, never followed or written through.
// 0 on success, otherwise the errno (nothing is left behind).
int ScriviFilePrivato(const QString &percorso, const QByteArray &dati);

} // namespace filesicuri
