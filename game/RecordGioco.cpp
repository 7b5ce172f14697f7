#include "game/RecordGioco.h"

#include "platform/Testo.h"

#include <cmath>
#include <limits>

QString FileRecord(const QString &cartellaProgramma)
{
    return cartellaProgramma + QStringLiteral("TastaviaWinner.ini");
}

QString ChiaveRecord(int livello)
{
    return QStringLiteral("Difficulty%1").arg(livello + 1);
}

std::optional<int32_t> ValoreRecord(const QString &testo, const QLocale &locale)
{
    const QString t = testo.trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    double v = locale.toDouble(t, &ok);
    if (!ok)
        v = QLocale::c().toDouble(t, &ok);
    if (!ok || std::isnan(v))
        return 0;
    if (!std::isfinite(v) || v < double(std::numeric_limits<int32_t>::min()) - 0.5 ||
        v > double(std::numeric_limits<int32_t>::max()) + 0.5)
        return std::nullopt;
    const long long n = testo::arrotonda(v);
    if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(n);
}

RecordLivelli LeggiRecord(IniManager &ini, const QString &file, const QString &nomeUtente,
                          const RecordLivelli &attuali)
{
    RecordLivelli record = attuali;
    if (nomeUtente.isEmpty())
        return record;
    ini.setNome(file);
    ini.setSezione(nomeUtente);
    for (int livello = 0; livello < 3; ++livello) {
        const std::optional<int32_t> v = ValoreRecord(ini.Leggi(ChiaveRecord(livello), QStringLiteral("0")));
        if (v)
            record[size_t(livello)] = *v;
    }
    return record;
}

bool ScriviRecord(IniManager &ini, const QString &file, const QString &nomeUtente, int livello,
                  int32_t totale)
{
    if (nomeUtente.isEmpty() || livello < 0 || livello > 2)
        return false;
    ini.setNome(file);
    ini.setSezione(nomeUtente);
    return ini.Scrivi(ChiaveRecord(livello), QString::number(totale)) != 0;
}
