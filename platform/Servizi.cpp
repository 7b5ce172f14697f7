// The name mappings the services speak in: Windows layout and language ids
// beside their XKB and locale names.

#include "platform/Services.h"

namespace platform {

QString xkbNameForLayoutId(const QString &windowsId)
{
    static const struct { const char *id; const char *xkb; } table[] = {
        {"0000040C", "fr"}, {"0000080C", "be"}, {"0000100C", "ch(fr)"}, {"00000C0C", "ca"},
        {"00000410", "it"}, {"00000409", "us"}, {"00000809", "gb"}, {"00000407", "de"},
        {"0000040A", "es"}, {"00000816", "pt"},
    };
    for (const auto &e : table)
        if (windowsId.compare(QLatin1String(e.id), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(e.xkb);
    return {};
}

QString layoutIdForXkbName(const QString &xkbName)
{
    static const struct { const char *xkb; const char *id; } table[] = {
        {"fr", "0000040C"}, {"be", "0000080C"}, {"it", "00000410"}, {"us", "00000409"},
        {"gb", "00000809"}, {"de", "00000407"}, {"es", "0000040A"}, {"pt", "00000816"},
    };
    // "fr(oss)" and other variants of a layout keep its id.
    const QString base = xkbName.section('(', 0, 0).trimmed();
    for (const auto &e : table)
        if (base == QLatin1String(e.xkb))
            return QString::fromLatin1(e.id);
    return {};
}

bool ApriConApplicazione(Desktop &desktop, const QString &path, const QString &mimeType)
{
    const std::optional<QString> applicazione = desktop.handler(mimeType);
    if (applicazione && applicazione->isEmpty())
        return false;
    return desktop.openFile(path);
}

int languageIdForLocale(const QString &localeName)
{
    const QString lang = localeName.left(2).toLower();
    if (lang == "de") return 1031;
    if (lang == "en") return 1033;
    if (lang == "es") return 1034;
    if (lang == "fr") return 1036;
    return 1040;
}

} // namespace platform
