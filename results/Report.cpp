#include "results/Report.h"

#include "practice/modClavora.h"
#include "settings/modLanguageSupport.h"

namespace risultati {

DatiReport PreparaReport(const modClavora &stato, const TestoLingua &lingua, const QLocale &locale)
{
    DatiReport d;
    d.testi = CaricaTesti(lingua, stato.fileLinguaPresente, stato.nomeModo);
    d.figure = Calcola(stato);
    d.cifre = Formatta(d.figure, locale);
    d.nomeReport = stato.nomeUtente;
    d.nomeModo = stato.nomeModo;
    d.unitaVelocita = stato.unitaVelocita;
    d.fileEsercizio = stato.fileEsercizio;
    d.adesso = stato.servizi.clock ? stato.servizi.clock->now() : QDateTime();
    d.locale = locale;
    return d;
}

RigheTotali Totali(const DatiReport &d)
{
    const TestiRisultati &t = d.testi;
    const Cifre &c = d.cifre;
    return {t[TitoloTotali],
            t[Digitazioni] + QStringLiteral(" ") + d.unitaVelocita + QStringLiteral(":  ") + c.velocitaComplessiva,
            t[PunteggioComplessivo] + QStringLiteral(" ") + c.punteggioComplessivo,
            t[RapportoErrori] + QStringLiteral(" ") + c.rapportoErrori + QStringLiteral("  (") +
                t.paroleValutazione[size_t(c.valutazione)] + QStringLiteral(")")};
}

QString DataLunga(const QDateTime &quando, const QLocale &locale)
{
    return locale.toString(quando.date(), QLocale::LongFormat);
}

QString DataOraPDF(const QDateTime &quando, const QLocale &locale)
{
    // The long time format may carry the time zone ("t"); the report's time has none.
    QString formatoOra = locale.timeFormat(QLocale::LongFormat);
    formatoOra.remove(QLatin1Char('t'));
    formatoOra = formatoOra.trimmed();
    return locale.toString(quando.date(), modLanguageSupport::FormatoDataLunga(locale)) +
           QStringLiteral(" (") + locale.toString(quando.time(), formatoOra) + QStringLiteral(")");
}

} // namespace risultati
