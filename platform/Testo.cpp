#include "platform/Testo.h"

#include <algorithm>

#include <QStringDecoder>
#include <array>
#include <cmath>

namespace testo {
namespace {

// 0x80..0x9F of code page 1252; unused codes map to the C1 control of the same
// value, as Windows itself converts them.
constexpr std::array<char16_t, 32> alti = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The dead keys of the French layouts and their accents.
struct Accento {
    int tasto;
    char16_t combinante;
    char16_t spaziato;
};
constexpr Accento accenti[] = {
    {Qt::Key_Dead_Circumflex, 0x0302, u'^'}, {Qt::Key_Dead_Diaeresis, 0x0308, 0x00A8},
    {Qt::Key_Dead_Grave, 0x0300, u'`'},      {Qt::Key_Dead_Acute, 0x0301, 0x00B4},
    {Qt::Key_Dead_Tilde, 0x0303, u'~'},      {Qt::Key_Dead_Cedilla, 0x0327, 0x00B8},
};

const Accento *accentoDi(int tasto)
{
    for (const Accento &a : accenti)
        if (a.tasto == tasto)
            return &a;
    return nullptr;
}

} // namespace

bool tastoMorto(int tasto)
{
    return accentoDi(tasto) != nullptr;
}

QString componiAccento(int tastoMorto, const QString &testo)
{
    const Accento *a = accentoDi(tastoMorto);
    if (!a)
        return {};
    if (testo == QStringLiteral(" "))
        return QString(QChar(a->spaziato));
    const QString composto = (testo + QChar(a->combinante)).normalized(QString::NormalizationForm_C);
    if (composto.size() == testo.size())
        return composto;
    return QChar(a->spaziato) + testo;
}

QChar daCodiceAnsi(int code)
{
    if (code < 0 || code > 255)
        return QChar('?');
    if (code >= 0x80 && code <= 0x9F)
        return QChar(alti[size_t(code - 0x80)]);
    return QChar(char16_t(code));
}

int codiceAnsi(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (size_t i = 0; i < alti.size(); ++i)
        if (alti[i] == u)
            return int(0x80 + i);
    return -1;
}

int codiceTasto(QChar c)
{
    const int ansi = codiceAnsi(c);
    return ansi >= 0 ? ansi : 256 + c.unicode();
}

QChar carattereTasto(int codice)
{
    return codice < 256 ? daCodiceAnsi(codice) : QChar(char16_t(codice - 256));
}

QString nomeFileSicuro(const QString &nome)
{
    static const QString vietati = QStringLiteral("/\\:*?\"<>|");
    QString out;
    out.reserve(nome.size());
    for (QChar c : nome)
        out.append(c.unicode() < 0x20 || c.unicode() == 0x7F || vietati.contains(c) ? QChar('_') : c);
    if (out.startsWith('.'))
        out[0] = '_';
    while (out.toUtf8().size() > 200) {
        out.chop(1);
        if (!out.isEmpty() && out.back().isHighSurrogate())
            out.chop(1);
    }
    return out;
}

QString daCp1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out.append(daCodiceAnsi(uint8_t(b)));
    return out;
}

QByteArray aCp1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one "?" for one character, not for each half
        const int code = codiceAnsi(c);
        out.append(code < 0 ? '?' : char(code));
    }
    return out;
}

QString decodificaTesto(const QByteArray &bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString t = utf8.decode(body);
    if (!utf8.hasError())
        return t;
    return daCp1252(bytes);
}

long long arrotonda(double value)
{
    if (!std::isfinite(value))
        return 0;
    return std::llrint(value); // the default rounding mode: halves to even
}

QString dueCifre(int value)
{
    return QString::number(value).rightJustified(2, '0');
}

QString formato(double value, const QString &pattern, const QLocale &locale)
{
    if (!std::isfinite(value))
        value = 0;
    QString p = pattern;
    const bool percento = p.endsWith('%');
    if (percento) {
        value *= 100;
        p.chop(1);
    }
    const qsizetype punto = p.indexOf('.');
    const int decimali = punto < 0 ? 0 : int(p.size() - punto - 1);
    const bool raggruppa = p.contains(',');
    const QString intera = punto < 0 ? p : p.left(punto);
    const bool zeroIniziale = intera.contains('0');

    const double scala = std::pow(10.0, decimali);
    // A decimal half such as 6.25 is often a hair below it in binary (0.0125
    // * 1000 = 12.4999...): the nudge of a billionth makes it the half it is.
    const double scalato = value * scala;
    const long long n = decimali > 0 ? (long long)std::round(scalato + std::copysign(1e-9 * std::max(1.0, std::fabs(scalato)), scalato))
                                     : arrotonda(scalato);
    const bool negativo = n < 0;
    const unsigned long long a = negativo ? 0ULL - (unsigned long long)n : (unsigned long long)n;
    const unsigned long long parteIntera = a / (unsigned long long)scala;
    const unsigned long long frazione = a % (unsigned long long)scala;

    QString s;
    if (parteIntera > 0 || zeroIniziale) {
        s = QString::number(parteIntera);
        if (raggruppa) {
            const QString g = locale.groupSeparator();
            for (qsizetype i = s.size() - 3; i > 0; i -= 3)
                s.insert(i, g);
        }
    }
    if (decimali > 0)
        s += locale.decimalPoint() + QString::number(frazione).rightJustified(decimali, '0');
    if (negativo && !s.isEmpty())
        s.prepend(locale.negativeSign());
    if (percento)
        s += '%';
    return s;
}

QString accorcia(const QString &testo, double larghezza, const std::function<double(const QString &)> &misura)
{
    if (misura(testo) <= larghezza)
        return testo;
    const QString puntini = QStringLiteral("\u2026");
    QString corto = testo;
    while (!corto.isEmpty()) {
        corto.chop(corto.size() > 1 && corto.back().isLowSurrogate() ? 2 : 1);
        const QString prova = corto.trimmed() + puntini;
        if (misura(prova) <= larghezza)
            return prova;
    }
    return misura(puntini) <= larghezza ? puntini : QString();
}

} // namespace testo
