#pragma once
// Start-up: the one place that knows every window. It creates the main window
// and hands it the windows it opens (name, information, results, text report,
// game), each given the shared values and the services.

#include "platform/Services.h"

#include <QString>
#include <QStringList>
#include <functional>

class QObject;
class IstanzaUnica;
class frmClavora;
class modClavora;

// Gives the main window every window it opens.
void ComponiFinestre(frmClavora &principale, modClavora &stato);

// The process entry: single instance, screen check, main window.
int AvvioProgramma(int argc, char **argv);

// SIGTERM, SIGINT and SIGHUP close the main window through the event loop,
// as Esc answered Yes does (settings saved, keyboard layout given back).
void ChiudiAiSegnali(QObject *proprietario);

// What the entry does once the application and its services exist; the event
// loop is run by cicloEventi (none in tests). A second start's command line
// comes through `istanza` when there is one.
int Avvia(const platform::Services &servizi, const QString &cartellaProgramma,
          const QStringList &argomenti, const std::function<int()> &cicloEventi,
          IstanzaUnica *istanza = nullptr);

// The program folder, ending with "/".
QString CartellaProgramma();
QString CartellaProgramma(const QString &cartellaEseguibile, const QString &cartellaDati,
                          bool eseguibileScrivibile);
