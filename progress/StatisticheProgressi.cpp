#include "progress/StatisticheProgressi.h"

#include <QDate>
#include <algorithm>
#include <sqlite3.h>

namespace progressi {

namespace {

QDate DataDi(int giorno) { return QDate(giorno / 10000, giorno / 100 % 100, giorno % 100); }
int ChiaveDi(const QDate &d) { return d.year() * 10000 + d.month() * 100 + d.day(); }

class Lettura {
public:
    Lettura(sqlite3 *db, const char *sql, const QString &studente, int daGiorno)
    {
        ok = sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK;
        if (!ok)
            return;
        const QByteArray b = studente.toUtf8();
        sqlite3_bind_text(st, 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 2, daGiorno);
    }
    ~Lettura() { sqlite3_finalize(st); }
    Lettura(const Lettura &) = delete;
    Lettura &operator=(const Lettura &) = delete;
    bool riga()
    {
        if (!ok)
            return false;
        const int r = sqlite3_step(st);
        if (r != SQLITE_ROW && r != SQLITE_DONE)
            ok = false;
        return r == SQLITE_ROW;
    }
    int64_t intero(int i) const { return sqlite3_column_int64(st, i); }
    double reale(int i) const { return sqlite3_column_double(st, i); }
    QString testo(int i) const
    {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)));
    }
    sqlite3_stmt *st = nullptr;
    bool ok = false;
};

} // namespace

int GiornoPrima(int oggi, int giorni) { return ChiaveDi(DataDi(oggi).addDays(-giorni)); }

bool LeggiRiepilogo(ArchivioProgressi &archivio, const QString &studente, int daGiorno, Riepilogo &r)
{
    r = Riepilogo{};
    r.studente = studente;
    r.daGiorno = daGiorno;
    if (archivio.Apri() != Esito::Ok)
        return false;
    sqlite3 *db = archivio.db();
    bool ok = true;

    {
        Lettura q(db, "SELECT giorno, materiale, righe, somma_velocita, battute, errori FROM giorni"
                      " WHERE studente = ?1 AND giorno >= ?2 ORDER BY giorno, materiale", studente, daGiorno);
        while (q.riga()) {
            PuntoGiorno p;
            p.giorno = int(q.intero(0));
            p.materiale = int(q.intero(1));
            p.righe = int(q.intero(2));
            p.velocita = p.righe > 0 ? q.reale(3) / p.righe : 0;
            const int64_t battute = q.intero(4), errori = q.intero(5);
            p.precisione = battute + errori > 0 ? 100.0 * double(battute) / double(battute + errori) : 100.0;
            r.righeTotali += p.righe;
            r.giorni.push_back(p);
        }
        ok = ok && q.ok;
    }

    // The characters, summed by SQLite (years of days are many rows), and the
    // last week's times apart for the trend.
    std::map<char16_t, StatCarattere> perCarattere;
    std::map<char16_t, Istogramma> settimana;
    {
        QByteArray somme;
        for (int i = 0; i < 16; ++i)
            somme += ", sum(t" + QByteArray::number(i) + ")";
        // All days: the totals kept beside the days.
        const QByteArray sql = daGiorno <= 0
            ? "SELECT carattere, attesi, battute, errori" + QByteArray(somme).replace("sum(", "(") +
                  " FROM caratteri_totali WHERE studente = ?1 AND ?2 <= 0"
            : "SELECT carattere, sum(attesi), sum(battute), sum(errori)" + somme +
                  " FROM caratteri WHERE studente = ?1 AND giorno >= ?2 GROUP BY carattere";
        Lettura q(db, sql.constData(), studente, daGiorno);
        while (q.riga()) {
            StatCarattere &c = perCarattere[char16_t(q.intero(0))];
            c.carattere = char16_t(q.intero(0));
            c.attesi = q.intero(1);
            c.battute = q.intero(2);
            c.errori = q.intero(3);
            for (int i = 0; i < 16; ++i)
                c.tempi[size_t(i)] = int32_t(q.intero(4 + i));
        }
        ok = ok && q.ok;
        int oggi = 0;
        Lettura ultimo(db, "SELECT max(giorno) FROM caratteri WHERE studente = ?1 AND giorno >= ?2", studente,
                       daGiorno);
        if (ultimo.riga())
            oggi = int(ultimo.intero(0));
        if (oggi > 0) {
            const QByteArray recenti = "SELECT carattere" + somme +
                                       " FROM caratteri WHERE studente = ?1 AND giorno > ?2 GROUP BY carattere";
            Lettura w(db, recenti.constData(), studente, std::max(daGiorno - 1, GiornoPrima(oggi, 7)));
            while (w.riga()) {
                Istogramma &h = settimana[char16_t(w.intero(0))];
                for (int i = 0; i < 16; ++i)
                    h[size_t(i)] = int32_t(w.intero(1 + i));
            }
            ok = ok && w.ok;
        }
    }
    {
        Lettura q(db, "SELECT atteso, digitato, sum(volte) AS n FROM confusioni"
                      " WHERE studente = ?1 AND giorno >= ?2 GROUP BY atteso, digitato ORDER BY n DESC",
                  studente, daGiorno);
        while (q.riga()) {
            auto s = perCarattere.find(char16_t(q.intero(0)));
            if (s != perCarattere.end() && s->second.confusioni.size() < 5)
                s->second.confusioni.push_back({char16_t(q.intero(1)), q.intero(2)});
        }
        ok = ok && q.ok;
    }
    for (auto &[c, s] : perCarattere) {
        s.mediana = Mediana(s.tempi);
        // The last week against the days before it.
        Istogramma prima = s.tempi;
        const Istogramma &dopo = settimana[c];
        for (size_t i = 0; i < prima.size(); ++i)
            prima[i] -= dopo[i];
        const double m0 = Mediana(prima), m1 = Mediana(dopo);
        s.tendenza = m0 >= 0 && m1 >= 0 ? m1 - m0 : 0;
        r.caratteri.push_back(s);
    }

    {
        // The course: its levels in order of time, the last and the best.
        Lettura q(db, "SELECT file, velocita, punteggio FROM sessioni WHERE studente = ?1 AND evento = 1"
                      " AND materiale = 1 AND giorno >= ?2 ORDER BY quando, id", studente, daGiorno);
        while (q.riga()) {
            Lezione &l = r.lezioni[q.testo(0)];
            l.file = q.testo(0);
            ++l.volte;
            l.ultimaVelocita = q.reale(1);
            l.ultimoPunteggio = int(q.intero(2));
            l.migliorVelocita = std::max(l.migliorVelocita, l.ultimaVelocita);
            l.migliorPunteggio = std::max(l.migliorPunteggio, l.ultimoPunteggio);
        }
        ok = ok && q.ok;
    }
    {
        Lettura q(db, "SELECT evento, livello, max(punteggio) FROM sessioni WHERE studente = ?1"
                      " AND evento IN (4, 5) AND giorno >= ?2 GROUP BY evento, livello", studente, daGiorno);
        while (q.riga()) {
            const int livello = int(q.intero(1));
            if (livello < 1 || livello > 3)
                continue;
            auto &migliori = q.intero(0) == 4 ? r.migliorGioco : r.migliorAllenamento;
            migliori[size_t(livello - 1)] = int(q.intero(2));
        }
        ok = ok && q.ok;
    }
    return ok;
}

std::vector<StatCarattere> PiuDeboli(const std::vector<StatCarattere> &caratteri, int n,
                                     const QString &ammessi, int minimo)
{
    std::vector<StatCarattere> scelti;
    for (const StatCarattere &s : caratteri) {
        if (s.carattere <= 0x20 || s.attesi + s.errori < minimo)
            continue;
        if (!ammessi.isEmpty() && !ammessi.contains(QChar(s.carattere)))
            continue;
        scelti.push_back(s);
    }
    std::stable_sort(scelti.begin(), scelti.end(), [](const StatCarattere &a, const StatCarattere &b) {
        if (a.tassoErrori() != b.tassoErrori())
            return a.tassoErrori() > b.tassoErrori();
        return a.mediana > b.mediana;
    });
    if (scelti.size() > size_t(std::max(0, n)))
        scelti.resize(size_t(std::max(0, n)));
    return scelti;
}

} // namespace progressi
