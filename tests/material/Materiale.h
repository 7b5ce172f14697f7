#pragma once
// Reading the shipped practice material as the program sees it: the key
// table's characters, code page 1252, the sections of an exercise file.

#include "keyboard/TabellaTasti.h"
#include "tests/support/Sorgenti.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace materiale {

// Every character the French key table maps, in table order of keys, plus CR.
// ˆ is the modifier-letter circumflex (code 136), typed with AltGr.
inline const QString &caratteriTabella()
{
    static const QString s = QString::fromUtf8(
        "aAâäzZeE€êërRtTyYuUûüiIîìïoOôòöpP"
        "qQsSdDfFgGhHjJkKlLmM"
        "<>wWxXcCvVbBnN,?.;:/"
        "à0@ˆç9^_8\\ %ù*µ¤$£è7`-6|\r[(5)°]+}=²!§{'4\"3#1&~é2");
    return s;
}

// What French writing needs beyond the table above: œ Œ « » É À Ç È Ê ’ … —
// and the narrow no-break space. Keymaps that type them (fr(oss), fr(latin9),
// fr(afnor)...) give them keys; elsewhere they become their nearest typeable
// form when a line is read.
inline const QString &francesi()
{
    static const QString s = QString::fromUtf8("œŒ«»ÉÀÇÈÊ\u2019\u2026\u2014\u202F");
    return s;
}

// Every character the material may ask for, and the one test of it: what the
// key table types without a keymap, or on one that types French writing whole.
inline const QString &caratteriTipizzabili()
{
    static const QString s = [] {
        QString out;
        tastiera::TabellaTasti tabella;
        const std::optional<tastiera::LayoutTastiera> oss = tastiera::LayoutTastiera::daNomi("fr", "oss");
        tastiera::TabellaTasti francese;
        if (oss)
            francese.ApplicaLayout(&*oss);
        for (QChar c : caratteriTabella() + francesi())
            if (tabella.Scrive(c) || francese.Scrive(c))
                out += c;
        return out;
    }();
    return s;
}

inline bool tipizzabile(QChar c) { return caratteriTipizzabili().contains(c); }

inline bool digitabile(QChar c, const QString &extra = QString())
{
    return tipizzabile(c) || extra.contains(c);
}

// The characters of t that no key produces, for a readable failure message.
inline QString senzaTasto(const QString &t, const QString &extra = QString())
{
    QString out;
    for (QChar c : t)
        if (!digitabile(c, extra) && !out.contains(c))
            out += c;
    return out;
}

// Code page 1252: Latin-1 except 0x80..0x9F. Undefined bytes decode to U+FFFD.
inline const char16_t *cp1252Alti()
{
    static const char16_t alti[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
        0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    return alti;
}

inline QString daCp1252(const QByteArray &b)
{
    QString s;
    s.reserve(b.size());
    for (char ch : b) {
        const auto u = static_cast<unsigned char>(ch);
        s += (u >= 0x80 && u < 0xA0) ? QChar(cp1252Alti()[u - 0x80]) : QChar(u);
    }
    return s;
}

// Whether code page 1252 can hold every character of t.
inline bool inCp1252(const QString &t)
{
    const char16_t *alti = cp1252Alti();
    for (QChar c : t) {
        const char16_t u = c.unicode();
        const bool latino1 = u < 0x80 || (u >= 0xA0 && u <= 0xFF);
        if (u == 0xFFFD || (!latino1 && std::find(alti, alti + 32, u) == alti + 32))
            return false;
    }
    return true;
}

inline QByteArray leggiFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline const QByteArray bomUtf8("\xEF\xBB\xBF");

// An exercise file's text as the program reads it: UTF-8 after a byte-order
// mark, code page 1252 otherwise.
inline QString testoEsercizio(const QByteArray &b)
{
    return b.startsWith(bomUtf8) ? QString::fromUtf8(b.mid(bomUtf8.size())) : daCp1252(b);
}

// Only CR LF line ends: no lone CR, no lone LF.
inline bool soloCrLf(const QByteArray &b)
{
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (b[i] == '\r' && (i + 1 >= b.size() || b[i + 1] != '\n'))
            return false;
        if (b[i] == '\n' && (i == 0 || b[i - 1] != '\r'))
            return false;
    }
    return true;
}

// Minimal reading of an exercise file: section (upper case) -> key -> value.
using Sezioni = QMap<QString, QMap<QString, QString>>;
inline Sezioni leggiEsercizio(const QString &testo)
{
    Sezioni out;
    QString sezione;
    for (const QString &riga : testo.split(QStringLiteral("\r\n"))) {
        const QString r = riga.trimmed();
        if (r.startsWith(u'[') && r.contains(u']')) {
            sezione = r.mid(1, r.lastIndexOf(u']') - 1).trimmed().toUpper();
            out[sezione];
        } else if (const qsizetype eq = r.indexOf(u'='); eq > 0 && !sezione.isEmpty()) {
            const QString k = r.left(eq).trimmed();
            if (!out[sezione].contains(k))
                out[sezione][k] = r.mid(eq + 1).trimmed();
        }
    }
    return out;
}

inline QStringList filesIn(const QString &dir, const QString &pattern)
{
    const QDir d(cartellaSorgenti() + QStringLiteral("/data/") + dir);
    QStringList out;
    for (const QString &n : d.entryList({pattern}, QDir::Files, QDir::Name))
        out << d.filePath(n);
    return out;
}

// A text file's text: UTF-8 when its bytes are valid UTF-8, code page 1252 otherwise.
inline QString testoDi(const QString &path)
{
    const QByteArray b = leggiFile(path);
    const QString t = QString::fromUtf8(b);
    return t.toUtf8() == b ? t : daCp1252(b);
}

inline const QString separatore = QStringLiteral("\u00A6\u00A6");

} // namespace materiale
