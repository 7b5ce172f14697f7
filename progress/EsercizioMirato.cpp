#include "progress/EsercizioMirato.h"

#include "platform/Testo.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace progressi {

namespace {

constexpr int LunghezzaRiga = 44;

bool FattaDi(const QString &parola, const QString &ammessi)
{
    if (ammessi.isEmpty())
        return true;
    for (QChar c : parola)
        if (!ammessi.contains(c))
            return false;
    return true;
}

int Estrai(platform::RandomSource &random, int n) { return n <= 1 ? 0 : std::min(n - 1, int(random.next() * n)); }

} // namespace

QStringList LeggiParole(const QString &percorso)
{
    QFile f(percorso);
    QStringList parole;
    if (!f.open(QIODevice::ReadOnly) || f.size() > 4 * 1024 * 1024)
        return parole;
    for (const QString &riga : QString::fromUtf8(f.readAll()).split('\n')) {
        const QString p = riga.trimmed();
        if (!p.isEmpty() && !p.startsWith('#') && !p.contains(' '))
            parole << p;
    }
    return parole;
}

QString CaratteriInsegnati(const QString &cartellaCorso, const QString &segnalibro)
{
    if (segnalibro.isEmpty())
        return {};
    QString insegnati;
    bool trovato = false;
    for (const QFileInfo &f : QDir(cartellaCorso).entryInfoList(QDir::Files | QDir::Readable, QDir::Name)) {
        if (f.suffix().compare("ftd", Qt::CaseInsensitive) != 0)
            continue;
        QFile file(f.filePath());
        if (file.open(QIODevice::ReadOnly) && file.size() < 1024 * 1024)
            for (const QString &riga : testo::decodificaTesto(file.readAll()).split('\n')) {
                const qsizetype uguale = riga.indexOf('=');
                if (riga.trimmed().startsWith('[') || uguale < 0)
                    continue;
                for (QChar c : riga.mid(uguale + 1).trimmed())
                    if (c.unicode() >= 0x20 && c != QChar(0xA6) && !insegnati.contains(c))
                        insegnati += c;
            }
        if (f.fileName().section('.', 0, 0).compare(segnalibro, Qt::CaseInsensitive) == 0) {
            trovato = true;
            break;
        }
    }
    return trovato ? insegnati : QString();
}

EsercizioMirato ComponiEsercizio(const QStringList &parole, const QString &mirati, const QString &ammessi,
                                 platform::RandomSource &random)
{
    EsercizioMirato e;
    e.mirati = mirati;
    for (int livello = 0; livello < 3; ++livello) {
        const int massimo = livello == 0 ? 5 : livello == 1 ? 8 : 30;
        // The list is in order of frequency: the first thousands are the common words.
        std::vector<QString> conMirato, altre;
        for (const QString &p : parole) {
            if (p.size() > massimo || p.size() > LunghezzaRiga / 2 || !FattaDi(p, ammessi))
                continue;
            bool mirata = false;
            for (QChar c : mirati)
                mirata = mirata || p.contains(c);
            (mirata ? conMirato : altre).push_back(p);
        }
        // Characters no word holds (a digit, a sign): they stand as a word of their own.
        for (QChar c : mirati)
            if (std::none_of(conMirato.begin(), conMirato.end(), [c](const QString &p) { return p.contains(c); }))
                conMirato.push_back(QString(2, c));
        if (altre.empty())
            altre = conMirato;
        const bool frase = livello == 2 && (ammessi.isEmpty() || ammessi.contains('.'));
        for (int r = 0; r < 5; ++r) {
            QString riga;
            for (int n = 0; n < 20; ++n) {
                // Four words in five hold an aimed character, the others are common words.
                const bool mirata = n % 5 != 4;
                const std::vector<QString> &da = mirata ? conMirato : altre;
                const int quante = std::min<int>(int(da.size()), mirata ? 600 : 300);
                QString p = da[size_t(Estrai(random, quante))];
                if (frase && riga.isEmpty() && (ammessi.isEmpty() || ammessi.contains(p.at(0).toUpper())))
                    p[0] = p.at(0).toUpper();
                if (riga.size() + 1 + p.size() + (frase ? 1 : 0) > LunghezzaRiga)
                    break;
                riga += (riga.isEmpty() ? "" : " ") + p;
                ++e.paroleTotali;
                if (mirata || std::any_of(mirati.begin(), mirati.end(), [&p](QChar c) { return p.contains(c); }))
                    ++e.paroleMirate;
            }
            if (frase)
                riga += '.';
            e.livelli[size_t(livello)] << riga;
        }
    }
    return e;
}

QByteArray TestoEsercizio(const EsercizioMirato &e)
{
    QString t;
    for (int l = 0; l < 3; ++l) {
        t += "[Livello" + QString::number(l + 1) + "]\r\n";
        for (int r = 0; r < e.livelli[size_t(l)].size(); ++r)
            t += QString::number(r + 1) + "=" + e.livelli[size_t(l)][r] + "\r\n";
    }
    return "\xEF\xBB\xBF" + t.toUtf8();
}

} // namespace progressi
