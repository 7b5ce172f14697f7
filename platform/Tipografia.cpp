#include "platform/Tipografia.h"

namespace testo {

namespace {

bool spazioSpeciale(char16_t c)
{
    switch (c) {
    case 0x00A0:   // no-break space
    case 0x2002: case 0x2003: case 0x2004: case 0x2005: case 0x2006:
    case 0x2007: case 0x2008: case 0x2009: case 0x200A:   // en, em, thin, hair...
    case 0x202F:   // narrow no-break space, the French one before ; : ! ?
    case 0x205F: case 0x3000:
        return true;
    default:
        return false;
    }
}

bool spazio(QChar c) { return c == u' ' || spazioSpeciale(c.unicode()); }

bool invisibile(char16_t c)
{
    return c == 0x00AD || (c >= 0x200B && c <= 0x200D) || c == 0x2060 || c == 0xFEFF;
}

} // namespace

QString NormalizzaTipografia(const QString &testo, const std::function<bool(QChar)> &tipizzabile)
{
    const auto resta = [&tipizzabile](char16_t c) { return tipizzabile && tipizzabile(QChar(c)); };
    QString out;
    out.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const char16_t c = testo.at(i).unicode();
        if (c == 0x2019 || c == 0x00AB || c == 0x00BB || c == 0x2026 || c == 0x2014 || c == 0x202F ||
            c == 0x0153 || c == 0x0152 || c == 0x00C9 || c == 0x00C0 || c == 0x00C7 || c == 0x00C8 ||
            c == 0x00CA) {
            // Without word of the keyboard letters stay: the key filter decides.
            const bool lettera = QChar(c).isLetter();
            if (resta(c) || (lettera && !tipizzabile)) {
                out += QChar(c);
                continue;
            }
        }
        switch (c) {
        case 0x2018: case 0x2019: case 0x201A: case 0x201B: case 0x2032: case 0x02BC:
            out += u'\'';
            break;
        case 0x201C: case 0x201D: case 0x201E: case 0x201F: case 0x2033:
        case 0x2039: case 0x203A:
            out += u'"';
            break;
        case 0x00AB:   // « and the blanks after it: "« oui »" becomes "oui" in quotes
            out += u'"';
            while (i + 1 < testo.size() && spazio(testo.at(i + 1)))
                ++i;
            break;
        case 0x00BB:
            while (!out.isEmpty() && out.back() == u' ')
                out.chop(1);
            out += u'"';
            break;
        case 0x2026:
            out += QLatin1String("...");
            break;
        case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2015:
        case 0x2212:
            out += u'-';
            break;
        case 0x0153:
            out += QLatin1String("oe");
            break;
        case 0x0152:
            out += QLatin1String("OE");
            break;
        case 0x00C9: case 0x00C8: case 0x00CA:
            out += u'E';
            break;
        case 0x00C0:
            out += u'A';
            break;
        case 0x00C7:
            out += u'C';
            break;
        default:
            if (spazioSpeciale(c))
                out += u' ';
            else if (!invisibile(c))
                out += QChar(c);
            break;
        }
    }
    return out;
}

} // namespace testo
