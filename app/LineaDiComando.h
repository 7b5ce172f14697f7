#pragma once
// The command line: --help and --version answered without a window, and the
// file to practise found the way a learner would name it: a path (relative to
// the current folder or absolute), a name in the program folder
// ("Esercizi/Le_marche.txt"), or a name in Esercizi/ with or without the old
// leading slash ("Le_marche.txt", "/Le_marche.txt").

#include "settings/TestoLingua.h"

#include <QString>
#include <QStringList>

struct LineaDiComando {
    enum class Azione { Avvia, Aiuto, Versione, Errore };
    Azione azione = Azione::Avvia;
    // What the practice opens: the absolute path of a file that exists, or the
    // "/name" form of a name in Esercizi/ that was not found (the practice then
    // treats it as before); empty without a file.
    QString file;
    // The argument in error (an unknown option, a second file).
    QString errato;
};

// Whether the arguments (without the program's name) ask only for the help or
// the version: answered before any window system is touched.
LineaDiComando::Azione SoloTesto(const QStringList &argomenti);

LineaDiComando InterpretaArgomenti(const QStringList &argomenti, const QString &cartellaCorrente,
                                   const QString &cartellaProgramma);

// The texts printed for --help, --version and a wrong argument, in the
// interface language, each ending with a line break.
QString TestoAiutoRigaComando(const TestoLingua &lingua);
QString TestoVersioneRigaComando(const TestoLingua &lingua);
QString TestoErroreRigaComando(const TestoLingua &lingua, const QString &errato);

// The folder whose settings and language files a start would use, found
// without making or filling anything (for --help and --version).
QString CartellaImpostazioni(const QString &cartellaEseguibile, const QString &cartellaDati,
                             bool eseguibileScrivibile);
// The interface language's lookup for that folder, as the main window would
// choose it (the settings, else the user's locale); empty for Italian.
TestoLingua LinguaRigaComando(const QString &cartella, int linguaInstallatore);
