#pragma once
// The learner's history: one SQLite file beside the settings file, in
// write-ahead-log mode, readable by two programs at once (a busy store is
// waited for), each write one transaction. Its schema carries a version
// (user_version) and is brought up to date on opening. A file that is not a
// database, or a damaged one, is renamed aside and a fresh store started; a
// store that cannot be used answers with an Esito, never stops the caller.

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

struct sqlite3;

namespace progressi {

constexpr int VersioneSchema = 2;
// The file's name in the settings folder.
constexpr const char *NomeArchivio = "TastaviaProgressi.sqlite";

// Upper limits (milliseconds) of the classes of the time between keystrokes;
// the last class holds everything longer.
constexpr std::array<int, 16> LimitiTempi = {80, 120, 160, 200, 250, 300, 400, 500,
                                             650, 800, 1000, 1300, 1700, 2500, 4000, 8000};
using Istogramma = std::array<int32_t, 16>;
int ClasseTempo(int64_t ms);
// The median of the times in a histogram, interpolated inside its class; -1 when empty.
double Mediana(const Istogramma &h);

struct Sessione {
    int64_t quando = 0;      // seconds since the epoch, the program's clock
    int giorno = 0;          // yyyymmdd, local
    int evento = 0;          // RegistroEventi::Evento
    int materiale = 0;       // RegistroEventi::Materiale
    QString file;
    int livello = 0;
    int numero = 0;
    int modo = 0;
    double velocita = 0;
    int punteggio = 0;
    int battute = 0;
    int errori = 0;
};

struct Carattere {
    int giorno = 0;
    char16_t carattere = 0;
    int32_t attesi = 0;      // times it was the expected character and typed
    int32_t battute = 0;     // keystrokes those took (a dead key or AltGr adds its own)
    int32_t errori = 0;      // wrong keys typed where it was expected
    Istogramma tempi{};      // time since the previous keystroke
};

struct Confusione {
    int giorno = 0;
    char16_t atteso = 0;
    char16_t digitato = 0;
    int32_t volte = 0;
};

// One write: everything a finished line brings.
struct Lotto {
    QString studente;        // the learner's key; "" is the anonymous learner
    std::vector<Sessione> sessioni;
    std::vector<Carattere> caratteri;
    std::vector<Confusione> confusioni;
    bool vuoto() const { return sessioni.empty() && caratteri.empty() && confusioni.empty(); }
};

enum class Esito {
    Ok,
    NonAperto,      // the file or its folder cannot be opened or made
    Bloccato,       // another program held it longer than the wait
    SolaLettura,    // the file or its folder cannot be written
    Pieno,          // the disk is full
    Versione,       // a newer program's store: left as it is
    Errore,         // anything else
};

class ArchivioProgressi {
public:
    explicit ArchivioProgressi(QString percorso, int attesaMs = 5000);
    ~ArchivioProgressi();
    ArchivioProgressi(const ArchivioProgressi &) = delete;
    ArchivioProgressi &operator=(const ArchivioProgressi &) = delete;

    const QString &percorso() const { return percorso_; }
    // Opens (and makes, migrates, or sets aside and makes anew) the store. Called
    // by the first write or read; again after a failure.
    Esito Apri();
    bool aperto() const { return db_ != nullptr; }
    // Where a damaged file was moved; empty when none was.
    const QString &messoDaParte() const { return messoDaParte_; }
    // The last failure's words from SQLite, for the log.
    const QString &ultimoErrore() const { return ultimoErrore_; }

    Esito Scrivi(const Lotto &lotto);

    // Brings a store of `daVersione` up to `aVersione` (tests make older stores with it).
    static bool Migra(sqlite3 *db, int daVersione, int aVersione, QString *errore = nullptr);

    sqlite3 *db() { return db_; }

private:
    Esito EsitoDi(int codice);
    Esito Prepara();
    void Chiudi();
    bool MettiDaParte();

    QString percorso_;
    int attesaMs_;
    sqlite3 *db_ = nullptr;
    QString messoDaParte_;
    QString ultimoErrore_;
};

// "2026-01-05" -> 20260105 and back, for day keys.
int GiornoDi(int64_t secondiEpoca);

} // namespace progressi
