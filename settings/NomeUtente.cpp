#include "settings/NomeUtente.h"

#include "platform/Testo.h"

namespace {

bool aCapo(char32_t c)
{
    return c == u'\r' || c == u'\n' || c == 0x0B || c == 0x0C || c == u'\t' || c == 0x85 || c == 0x2028
        || c == 0x2029;
}

bool nelCodice(const QString &testo)
{
    for (QChar c : testo)
        if (testo::codiceAnsi(c) < 0)
            return false;
    return true;
}

} // namespace

NomeFiltrato FiltraNome(const QString &grezzo)
{
    // Composed first: "e" and a combining acute accent are the "é" of the code page.
    const QString testo = grezzo.normalized(QString::NormalizationForm_C);
    NomeFiltrato out;
    out.testo.reserve(testo.size());
    bool aCapoPrima = false;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo.at(i);
        if (aCapo(c.unicode())) {
            if (!aCapoPrima)
                out.testo += u' ';
            aCapoPrima = true;
            continue;
        }
        aCapoPrima = false;
        if (c.isHighSurrogate() && i + 1 < testo.size() && testo.at(i + 1).isLowSurrogate()) {
            ++i;   // beyond the code page, whatever it is
            out.tolti = true;
            continue;
        }
        const auto categoria = c.category();
        if (categoria == QChar::Other_Control || categoria == QChar::Other_Format || testo::codiceAnsi(c) < 0) {
            out.tolti = true;
            continue;
        }
        out.testo += c;
    }
    return out;
}

QString NomeMaiuscolo(const QString &nome)
{
    QString out;
    out.reserve(nome.size());
    for (QChar c : nome) {
        // One letter stays one letter: "ß" is not "SS", or "Weiß" and "Weiss"
        // would be one learner.
        const QString grande = QString(c).toUpper();
        out += grande.size() == 1 && nelCodice(grande) ? grande : QString(c);
    }
    return out;
}
