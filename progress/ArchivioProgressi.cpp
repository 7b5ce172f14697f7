#include "progress/ArchivioProgressi.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace progressi {

namespace {

// A statement that finalizes itself.
class Istruzione {
public:
    Istruzione(sqlite3 *db, const char *sql) { codice = sqlite3_prepare_v2(db, sql, -1, &st, nullptr); }
    ~Istruzione() { sqlite3_finalize(st); }
    Istruzione(const Istruzione &) = delete;
    Istruzione &operator=(const Istruzione &) = delete;
    void testo(int i, const QString &t)
    {
        const QByteArray b = t.toUtf8();
        sqlite3_bind_text(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    void intero(int i, int64_t v) { sqlite3_bind_int64(st, i, v); }
    void reale(int i, double v) { sqlite3_bind_double(st, i, v); }
    // SQLITE_DONE after a statement that gives no rows.
    int esegui()
    {
        const int r = sqlite3_step(st);
        sqlite3_reset(st);
        return r;
    }
    sqlite3_stmt *st = nullptr;
    int codice = SQLITE_OK;
};

int esegui(sqlite3 *db, const char *sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

// Version 1: the pieces of work and the characters by day.
const char *const schema1 = R"(
CREATE TABLE sessioni (
  id INTEGER PRIMARY KEY, studente TEXT NOT NULL, quando INTEGER NOT NULL, giorno INTEGER NOT NULL,
  evento INTEGER NOT NULL, materiale INTEGER NOT NULL, file TEXT NOT NULL DEFAULT '',
  livello INTEGER NOT NULL DEFAULT 0, numero INTEGER NOT NULL DEFAULT 0, modo INTEGER NOT NULL DEFAULT 0,
  velocita REAL NOT NULL DEFAULT 0, punteggio INTEGER NOT NULL DEFAULT 0,
  battute INTEGER NOT NULL DEFAULT 0, errori INTEGER NOT NULL DEFAULT 0);
CREATE INDEX sessioni_studente ON sessioni (studente, evento, materiale);
CREATE TABLE caratteri (
  studente TEXT NOT NULL, giorno INTEGER NOT NULL, carattere INTEGER NOT NULL,
  attesi INTEGER NOT NULL DEFAULT 0, battute INTEGER NOT NULL DEFAULT 0, errori INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (studente, giorno, carattere)) WITHOUT ROWID;
CREATE TABLE confusioni (
  studente TEXT NOT NULL, giorno INTEGER NOT NULL, atteso INTEGER NOT NULL, digitato INTEGER NOT NULL,
  volte INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (studente, giorno, atteso, digitato)) WITHOUT ROWID;
)";

// Version 2: the times between keystrokes as sixteen classes, and summaries per
// day and kind of material and per character over all days, so that years of
// history are shown without a scan.
QByteArray schema2()
{
    QByteArray sql;
    for (int i = 0; i < 16; ++i)
        sql += "ALTER TABLE caratteri ADD COLUMN t" + QByteArray::number(i) + " INTEGER NOT NULL DEFAULT 0;\n";
    sql += R"(
CREATE TABLE giorni (
  studente TEXT NOT NULL, giorno INTEGER NOT NULL, materiale INTEGER NOT NULL,
  righe INTEGER NOT NULL DEFAULT 0, somma_velocita REAL NOT NULL DEFAULT 0,
  battute INTEGER NOT NULL DEFAULT 0, errori INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (studente, giorno, materiale)) WITHOUT ROWID;
INSERT INTO giorni (studente, giorno, materiale, righe, somma_velocita, battute, errori)
  SELECT studente, giorno, materiale, count(*), sum(velocita), sum(battute), sum(errori)
  FROM sessioni WHERE evento IN (0, 3) GROUP BY studente, giorno, materiale;
CREATE TABLE caratteri_totali (
  studente TEXT NOT NULL, carattere INTEGER NOT NULL,
  attesi INTEGER NOT NULL DEFAULT 0, battute INTEGER NOT NULL DEFAULT 0, errori INTEGER NOT NULL DEFAULT 0,
)";
    QByteArray colonne, somme;
    for (int i = 0; i < 16; ++i) {
        sql += "  t" + QByteArray::number(i) + " INTEGER NOT NULL DEFAULT 0,\n";
        colonne += ", t" + QByteArray::number(i);
        somme += ", sum(t" + QByteArray::number(i) + ")";
    }
    sql += "  PRIMARY KEY (studente, carattere)) WITHOUT ROWID;\n"
           "INSERT INTO caratteri_totali (studente, carattere, attesi, battute, errori" + colonne + ")\n"
           "  SELECT studente, carattere, sum(attesi), sum(battute), sum(errori)" + somme +
           " FROM caratteri GROUP BY studente, carattere;\n";
    return sql;
}

} // namespace

int ClasseTempo(int64_t ms)
{
    for (size_t i = 0; i + 1 < LimitiTempi.size(); ++i)
        if (ms < LimitiTempi[i])
            return int(i);
    return int(LimitiTempi.size() - 1);
}

double Mediana(const Istogramma &h)
{
    int64_t totale = 0;
    for (int32_t n : h)
        totale += n;
    if (totale == 0)
        return -1;
    const double meta = double(totale) / 2.0;
    int64_t cumulato = 0;
    for (size_t i = 0; i < h.size(); ++i) {
        if (h[i] > 0 && double(cumulato + h[i]) >= meta) {
            const double basso = i == 0 ? 0 : LimitiTempi[i - 1];
            const double alto = LimitiTempi[i];
            return basso + (alto - basso) * (meta - double(cumulato)) / double(h[i]);
        }
        cumulato += h[i];
    }
    return LimitiTempi.back();
}

int GiornoDi(int64_t secondiEpoca)
{
    const QDate d = QDateTime::fromSecsSinceEpoch(secondiEpoca).date();
    return d.year() * 10000 + d.month() * 100 + d.day();
}

ArchivioProgressi::ArchivioProgressi(QString percorso, int attesaMs)
    : percorso_(std::move(percorso)), attesaMs_(attesaMs)
{
}

ArchivioProgressi::~ArchivioProgressi() { Chiudi(); }

void ArchivioProgressi::Chiudi()
{
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

Esito ArchivioProgressi::EsitoDi(int codice)
{
    if (db_ && codice != SQLITE_OK && codice != SQLITE_DONE && codice != SQLITE_ROW)
        ultimoErrore_ = QString::fromUtf8(sqlite3_errmsg(db_));
    switch (codice & 0xff) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW: return Esito::Ok;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return Esito::Bloccato;
    case SQLITE_READONLY:
    case SQLITE_PERM: return Esito::SolaLettura;
    case SQLITE_FULL: return Esito::Pieno;
    case SQLITE_CANTOPEN: return Esito::NonAperto;
    default: return Esito::Errore;
    }
}

bool ArchivioProgressi::MettiDaParte()
{
    Chiudi();
    // Numbered rather than dated: an older damaged copy is never overwritten.
    QString destinazione;
    for (int n = 1; destinazione.isEmpty() || QFileInfo::exists(destinazione); ++n)
        destinazione = percorso_ + ".guasto-" + QString::number(n);
    if (!QFile::rename(percorso_, destinazione))
        return false;
    // The log and index of the damaged file belong to it, not to the new one.
    for (const char *coda : {"-wal", "-shm"})
        if (QFileInfo::exists(percorso_ + coda))
            QFile::rename(percorso_ + coda, destinazione + coda);
    messoDaParte_ = destinazione;
    return true;
}

Esito ArchivioProgressi::Apri()
{
    if (db_)
        return Esito::Ok;
    for (int tentativo = 0; tentativo < 2; ++tentativo) {
        const Esito e = Prepara();
        if (e != Esito::Errore || !db_)
            return e;
        // Not a database, or a damaged one: set aside once, then a fresh store.
        const int codice = sqlite3_extended_errcode(db_) & 0xff;
        if ((codice != SQLITE_NOTADB && codice != SQLITE_CORRUPT) || tentativo > 0 || !MettiDaParte()) {
            Chiudi();
            return e;
        }
    }
    return Esito::Errore;
}

Esito ArchivioProgressi::Prepara()
{
    const QByteArray nome = QFile::encodeName(percorso_);
    // Only the learner reads their history: the file (and so its log) is made 0600.
    if (!QFileInfo::exists(percorso_)) {
        const int fd = ::open(nome.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0)
            ::close(fd);
        else if (errno == EACCES || errno == EROFS)
            return Esito::SolaLettura;
        else if (errno == ENOSPC)
            return Esito::Pieno;
        else if (errno != EEXIST)
            return Esito::NonAperto;
    }
    int r = sqlite3_open_v2(nome.constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (r != SQLITE_OK) {
        const Esito e = EsitoDi(r);
        Chiudi();
        return e == Esito::Ok ? Esito::NonAperto : e;
    }
    if (sqlite3_db_readonly(db_, "main") == 1) {
        Chiudi();
        return Esito::SolaLettura;
    }
    sqlite3_busy_timeout(db_, attesaMs_);
    sqlite3_extended_result_codes(db_, 1);
    // The first read tells a database from any other file.
    r = esegui(db_, "PRAGMA journal_mode=WAL");
    if (r != SQLITE_OK)
        return EsitoDi(r);
    esegui(db_, "PRAGMA synchronous=NORMAL");
    esegui(db_, "PRAGMA foreign_keys=OFF");

    int versione = 0;
    {
        Istruzione v(db_, "PRAGMA user_version");
        if (v.codice != SQLITE_OK)
            return EsitoDi(v.codice);
        r = sqlite3_step(v.st);
        if (r != SQLITE_ROW)
            return EsitoDi(r);
        versione = sqlite3_column_int(v.st, 0);
    }
    if (versione > VersioneSchema) {
        Chiudi();
        return Esito::Versione;
    }
    if (versione < VersioneSchema) {
        // Another program may be migrating too: the write lock first, then look again.
        r = esegui(db_, "BEGIN IMMEDIATE");
        if (r != SQLITE_OK)
            return EsitoDi(r);
        Istruzione v(db_, "PRAGMA user_version");
        if (v.codice == SQLITE_OK && sqlite3_step(v.st) == SQLITE_ROW)
            versione = sqlite3_column_int(v.st, 0);
        QString errore;
        if (!Migra(db_, versione, VersioneSchema, &errore)) {
            const int codice = sqlite3_extended_errcode(db_);
            esegui(db_, "ROLLBACK");
            ultimoErrore_ = errore;
            return EsitoDi(codice == SQLITE_OK ? SQLITE_ERROR : codice);
        }
        r = esegui(db_, "COMMIT");
        if (r != SQLITE_OK) {
            esegui(db_, "ROLLBACK");
            return EsitoDi(r);
        }
    }
    return Esito::Ok;
}

bool ArchivioProgressi::Migra(sqlite3 *db, int daVersione, int aVersione, QString *errore)
{
    auto passo = [&](const char *sql) {
        char *messaggio = nullptr;
        const int r = sqlite3_exec(db, sql, nullptr, nullptr, &messaggio);
        if (r != SQLITE_OK && errore)
            *errore = QString::fromUtf8(messaggio ? messaggio : sqlite3_errstr(r));
        sqlite3_free(messaggio);
        return r == SQLITE_OK;
    };
    const QByteArray sql2 = schema2();
    for (int v = daVersione + 1; v <= aVersione; ++v) {
        bool ok = true;
        if (v == 1)
            ok = passo(schema1);
        else if (v == 2)
            ok = passo(sql2.constData());
        if (!ok || !passo(("PRAGMA user_version=" + QByteArray::number(v)).constData()))
            return false;
    }
    return true;
}

Esito ArchivioProgressi::Scrivi(const Lotto &lotto)
{
    if (lotto.vuoto())
        return Esito::Ok;
    const Esito aperto = Apri();
    if (aperto != Esito::Ok)
        return aperto;

    int r = esegui(db_, "BEGIN IMMEDIATE");
    if (r != SQLITE_OK)
        return EsitoDi(r);
    auto fallito = [this](int codice) {
        const Esito e = EsitoDi(codice);
        esegui(db_, "ROLLBACK");
        return e;
    };

    Istruzione sessione(db_,
        "INSERT INTO sessioni (studente, quando, giorno, evento, materiale, file, livello, numero, modo,"
        " velocita, punteggio, battute, errori) VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13)");
    Istruzione giorno(db_,
        "INSERT INTO giorni (studente, giorno, materiale, righe, somma_velocita, battute, errori)"
        " VALUES (?1,?2,?3,1,?4,?5,?6) ON CONFLICT DO UPDATE SET righe = righe + 1,"
        " somma_velocita = somma_velocita + excluded.somma_velocita,"
        " battute = battute + excluded.battute, errori = errori + excluded.errori");
    QByteArray sqlCarattere = "INSERT INTO caratteri (studente, giorno, carattere, attesi, battute, errori";
    QByteArray valori = " VALUES (?1,?2,?3,?4,?5,?6";
    QByteArray aggiorna = " ON CONFLICT DO UPDATE SET attesi = attesi + excluded.attesi,"
                          " battute = battute + excluded.battute, errori = errori + excluded.errori";
    for (int i = 0; i < 16; ++i) {
        const QByteArray t = "t" + QByteArray::number(i);
        sqlCarattere += "," + t;
        valori += ",?" + QByteArray::number(7 + i);
        aggiorna += "," + t + " = " + t + " + excluded." + t;
    }
    sqlCarattere += ")" + valori + ")" + aggiorna;
    Istruzione carattere(db_, sqlCarattere.constData());
    // The same figures into the character's totals: ?2 (the day) is left out.
    QByteArray sqlTotale = sqlCarattere;
    sqlTotale.replace("INSERT INTO caratteri (studente, giorno, carattere", "INSERT INTO caratteri_totali (studente, carattere");
    sqlTotale.replace(" VALUES (?1,?2,?3,", " VALUES (?1,?3,");
    Istruzione totale(db_, sqlTotale.constData());
    Istruzione confusione(db_,
        "INSERT INTO confusioni (studente, giorno, atteso, digitato, volte) VALUES (?1,?2,?3,?4,?5)"
        " ON CONFLICT DO UPDATE SET volte = volte + excluded.volte");
    for (const Istruzione *i : {&sessione, &giorno, &carattere, &totale, &confusione})
        if (i->codice != SQLITE_OK)
            return fallito(i->codice);

    for (const Sessione &x : lotto.sessioni) {
        sessione.testo(1, lotto.studente);
        sessione.intero(2, x.quando);
        sessione.intero(3, x.giorno);
        sessione.intero(4, x.evento);
        sessione.intero(5, x.materiale);
        sessione.testo(6, x.file);
        sessione.intero(7, x.livello);
        sessione.intero(8, x.numero);
        sessione.intero(9, x.modo);
        sessione.reale(10, x.velocita);
        sessione.intero(11, x.punteggio);
        sessione.intero(12, x.battute);
        sessione.intero(13, x.errori);
        if ((r = sessione.esegui()) != SQLITE_DONE)
            return fallito(r);
        if (x.evento != 0 && x.evento != 3)
            continue;
        giorno.testo(1, lotto.studente);
        giorno.intero(2, x.giorno);
        giorno.intero(3, x.materiale);
        giorno.reale(4, x.velocita);
        giorno.intero(5, x.battute);
        giorno.intero(6, x.errori);
        if ((r = giorno.esegui()) != SQLITE_DONE)
            return fallito(r);
    }
    for (const Carattere &c : lotto.caratteri) {
        carattere.testo(1, lotto.studente);
        carattere.intero(2, c.giorno);
        carattere.intero(3, c.carattere);
        carattere.intero(4, c.attesi);
        carattere.intero(5, c.battute);
        carattere.intero(6, c.errori);
        for (int i = 0; i < 16; ++i)
            carattere.intero(7 + i, c.tempi[size_t(i)]);
        if ((r = carattere.esegui()) != SQLITE_DONE)
            return fallito(r);
        totale.testo(1, lotto.studente);
        totale.intero(3, c.carattere);
        totale.intero(4, c.attesi);
        totale.intero(5, c.battute);
        totale.intero(6, c.errori);
        for (int i = 0; i < 16; ++i)
            totale.intero(7 + i, c.tempi[size_t(i)]);
        if ((r = totale.esegui()) != SQLITE_DONE)
            return fallito(r);
    }
    for (const Confusione &c : lotto.confusioni) {
        confusione.testo(1, lotto.studente);
        confusione.intero(2, c.giorno);
        confusione.intero(3, c.atteso);
        confusione.intero(4, c.digitato);
        confusione.intero(5, c.volte);
        if ((r = confusione.esegui()) != SQLITE_DONE)
            return fallito(r);
    }
    r = esegui(db_, "COMMIT");
    if (r != SQLITE_OK)
        return fallito(r);
    return Esito::Ok;
}

} // namespace progressi
