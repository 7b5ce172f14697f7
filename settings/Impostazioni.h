#pragma once
// The settings file (program folder + "Tastavia.ini"): options and interface
// language, read once at start-up and written once when the main window unloads.

#include <QString>

class IniManager;

struct Impostazioni {
    bool divisioneErgonomica = false;
    bool suonoAttivo = true;
    bool mappaTastiAttiva = true;
    bool evidenziaAttivo = true;
    int schemaColori = 0;          // 0..10
    int indiceModo = 0;            // 0 beginner, 1 expert
    bool tastieraSemplice = false;
    QString linguaCorrente;
    bool fileLinguaPresente = false;
};

// Paths inside the program folder; cartellaProgramma ends with "/".
QString fileImpostazioni(const QString &cartellaProgramma);
QString fileSegnalibri(const QString &cartellaProgramma);
QString fileLingua(const QString &cartellaProgramma, const QString &lingua);

// The interface language for the installer's Windows language id
// (1031 German, 1033 English, 1034 Spanish, 1036 French, anything else Italian).
QString linguaDaInstallatore(int languageId);

// Reads "CurrentLanguage" (derived from installerLanguage when empty), checks
// its language file, then the options in their order with their defaults.
// indiceModo 1 only records the mode: the window that applies it runs the mode
// change, which also switches the key map off.
void CaricaImpostazioni(IniManager &gestoreIni, const QString &cartellaProgramma,
                        int installerLanguage, Impostazioni &imp);

// Writes every option and the language; false when any write failed (a
// read-only program folder: the program goes on with its in-memory values).
bool SalvaImpostazioni(IniManager &gestoreIni, const QString &cartellaProgramma,
                       const Impostazioni &imp);
