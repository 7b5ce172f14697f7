#pragma once
// The values that several windows share, and the service procedures every
// window calls. One object, made at start-up and handed to every window, so a
// test can build its own.

#include "platform/Services.h"
#include "settings/AvvisoScrittura.h"
#include "settings/IniManager.h"

#include <QDateTime>
#include <QLocale>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class QWidget;

class modClavora {
public:
    explicit modClavora(platform::Services servizi);

    platform::Services servizi;

    // Shared values, named as everywhere else in the program.
    QString cartellaProgramma;          // always ends with "/"
    bool schermoGrande = false;
    bool windowsNT5 = false;            // a compositing manager runs: opacity effects work
    bool suonoAttivo = true;
    bool modoEsperto = false;
    int indiceModo = 0;
    QString nomeModo;
    float tempoObiettivo = 0.4f;
    bool modoFileTesto = false;
    QString fileEsercizio;
    int livelloCorrente = 0;
    std::array<float, 16> velocitaFrase{};   // indices 1..15
    int16_t totaleBattute = 0;
    int16_t totaleErrori = 0;
    int32_t numParole = 0;
    QTime tempoEsercizio{0, 0, 0};
    QString testoDaAnalizzare;
    int sceltaRisultati = 0;
    int tipoFineLivello = 0;
    QString nomeUtente;
    QString linguaCorrente;
    bool fileLinguaPresente = false;
    // Numbers and dates are written in the interface language, not the process's.
    QLocale localeInterfaccia() const;
    QString layoutPrecedente;
    int schemaColori = 0;
    QString unitaVelocita = QStringLiteral("al minuto");
    QString msgGuidaMancante = QStringLiteral("Impossibile trovare il file della guida");
    // No program opened the help page: told with the page's path.
    QString msgGuidaNonAperta = QStringLiteral("Nessun programma ha aperto la guida. La pagina si trova in:");
    bool popupVisibile = false;
    int dialogoDaMostrare = 0;

    // The one INI access object every window uses.
    IniManager gestoreIni;
    AvvisoScrittura avvisoScrittura;    // a failed save is told once per file and run

    // The pause that keeps events flowing; tests replace it with one that moves
    // the fake clock instead of waiting.
    std::function<void(int ms)> pausa;

    // Service procedures.
    void SuonaEffetto(int id);
    void Suona(int id) { if (suonoAttivo) SuonaEffetto(id); }
    bool TastoAttivo(int virtualKey) const;
    void SpegniBloccoMaiuscole();
    static bool FileEsiste(const QString &path);
    // Opens help page contextId (the contents for 0 or less, or when the page is
    // missing) in the interface language (Guida/<language>/, the Italian pages
    // of Guida/ where it has none). Without any page: a box saying so, unless
    // `avvisa` is false. False when no page was found; when no program opens
    // it, a box says where the page is.
    bool ApriGuida(QWidget *window, int contextId, bool avvisa = true);
    // The help page ApriGuida opens; empty when there is none.
    QString PaginaGuida(int contextId) const;
    static QString NomeFile(const QString &path);
    static QString NomeSenzaEstensione(const QString &path);
    void AttendiSecondi(int seconds, bool processEvents);
    bool VersioneNT5() const;
    bool StampanteDisponibile() const;
};

// Size 16 bit counters stop at their limit instead of failing.
inline void incrementa(int16_t &counter)
{
    if (counter < INT16_MAX)
        ++counter;
}

// What start-up decides from the screen size in pixels.
struct DecisioneAvvio {
    bool risoluzioneSufficiente;
    bool schermoGrande;
};
DecisioneAvvio DecidiSchermo(QSize pixels);

extern const char *const testoRisoluzioneMinima;
