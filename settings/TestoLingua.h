#pragma once
// The text lookup every window is handed at start-up: the text of a four-digit
// id ("0031") in the interface language, or the built-in Italian text given as
// `predefinito` when the language has none. An empty lookup means Italian.

#include <QString>
#include <functional>

using TestoLingua = std::function<QString(const QString &id, const QString &predefinito)>;

// The text through the lookup, or the built-in one without a lookup.
inline QString Testo(const TestoLingua &lingua, const QString &id, const QString &predefinito)
{
    return lingua ? lingua(id, predefinito) : predefinito;
}
