#pragma once
// Everything the results show, gathered once when the window loads: the texts,
// the figures as the learner reads them, and the few shared values the
// printed page and the PDF name. The window, the page and the PDF all draw
// from this one value, so their figures cannot differ.

#include "results/Statistiche.h"
#include "results/TestiRisultati.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

class modClavora;

namespace risultati {

struct DatiReport {
    TestiRisultati testi;
    Figure figure;
    Cifre cifre;
    QString nomeReport;      // the learner's name; "Tastavia" once a PDF was made without one
    QString nomeModo;
    QString unitaVelocita;
    QString fileEsercizio;
    QDateTime adesso;        // the clock service's time when the window loaded
    QLocale locale;
};

DatiReport PreparaReport(const modClavora &stato, const TestoLingua &lingua,
                         const QLocale &locale = QLocale());

// The overall figures of the run as the PDF states them: the title, the
// speed and the score, and the error ratio with its evaluation word.
struct RigheTotali {
    QString titolo, velocita, punteggio, rapporto;
};
RigheTotali Totali(const DatiReport &dati);

// The printed page's date: the locale's long date format.
QString DataLunga(const QDateTime &quando, const QLocale &locale);
// The PDF's date and time: weekday, day, month name and year, then the
// locale's long time (without a time zone) in brackets.
QString DataOraPDF(const QDateTime &quando, const QLocale &locale);

} // namespace risultati
