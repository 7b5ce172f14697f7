#include "settings/IniDocument.h"

#include "platform/Testo.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

// The file's bytes in code page 1252, through the program's shared codec.
QString cp1252Decode(const QByteArray &raw)
{
    // Most lines are plain ASCII, the same in Latin-1: one conversion, no table.
    for (char c : raw)
        if (static_cast<unsigned char>(c) >= 0x80)
            return testo::daCp1252(raw);
    return QString::fromLatin1(raw);
}
QByteArray cp1252Encode(const QString &text) { return testo::aCp1252(text); }

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == 0x0B || c == 0x0C || c == u'\r' || c == 0x1A;
}

QStringView trimmed(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b].unicode()))
        ++b;
    while (e > b && isBlank(s[e - 1].unicode()))
        --e;
    return s.mid(b, e - b);
}

QStringView cutAtNul(QStringView s)
{
    const qsizetype nul = s.indexOf(QChar(0));
    return nul < 0 ? s : s.left(nul);
}

// A name as passed in by a caller: cut at NUL (as a C string would be) and trimmed.
QString argName(const QString &s)
{
    return trimmed(cutAtNul(s)).toString();
}

bool sameName(QStringView a, QStringView b)
{
    // Qt folds case unit by unit, so names of different lengths never match.
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

int unitSize(IniDocument::Encoding e)
{
    return (e == IniDocument::Encoding::Utf16LE || e == IniDocument::Encoding::Utf16BE) ? 2 : 1;
}

char16_t unitAt(const QByteArray &raw, qsizetype i, IniDocument::Encoding e)
{
    const auto b0 = static_cast<unsigned char>(raw[i]);
    if (unitSize(e) == 1)
        return b0;
    const auto b1 = static_cast<unsigned char>(raw[i + 1]);
    return e == IniDocument::Encoding::Utf16LE ? char16_t(b0 | (b1 << 8)) : char16_t((b0 << 8) | b1);
}

} // namespace

IniDocument::Encoding IniDocument::detect(const QByteArray &bytes, qsizetype &bomSize)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bomSize = 3;
        return Encoding::Utf8;
    }
    bomSize = 2;
    if (bytes.startsWith("\xFF\xFE"))
        return Encoding::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return Encoding::Utf16BE;
    bomSize = 0;
    return Encoding::Cp1252;
}

QByteArray IniDocument::conUtf8Riconosciuto(const QByteArray &bytes)
{
    qsizetype bomSize = 0;
    if (detect(bytes, bomSize) != Encoding::Cp1252)
        return bytes;
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString t = utf8.decode(bytes);
    return utf8.hasError() ? bytes : QByteArray("\xEF\xBB\xBF") + bytes;
}

IniDocument IniDocument::fromBytes(const QByteArray &bytes)
{
    IniDocument doc;
    qsizetype bomSize = 0;
    doc.m_encoding = detect(bytes, bomSize);
    doc.m_bom = bytes.left(bomSize);

    const int unit = unitSize(doc.m_encoding);
    qsizetype end = bytes.size();
    if (unit == 2 && (end - doc.m_bom.size()) % 2 != 0) {
        // A lone last byte is no character; kept at the very end so that
        // lines appended later stay aligned.
        doc.m_tail = bytes.right(1);
        --end;
    }
    // The usual line endings share one copy each instead of one per line.
    static const QByteArray crlf("\r\n"), lf("\n");
    qsizetype pos = doc.m_bom.size();
    while (pos < end) {
        qsizetype i = pos;
        while (i + unit <= end) {
            const char16_t c = unitAt(bytes, i, doc.m_encoding);
            if (c == u'\r' || c == u'\n')
                break;
            i += unit;
        }
        const qsizetype contentEnd = i;
        while (i + unit <= end) {
            const char16_t c = unitAt(bytes, i, doc.m_encoding);
            if (c != u'\r' && c != u'\n')
                break;
            i += unit;
        }
        QByteArray eol = bytes.mid(contentEnd, i - contentEnd);
        if (eol == crlf)
            eol = crlf;
        else if (eol == lf)
            eol = lf;
        doc.m_lines.append(doc.parseLine(bytes.mid(pos, contentEnd - pos), std::move(eol)));
        pos = i;
    }
    return doc;
}

QByteArray IniDocument::toBytes() const
{
    QByteArray out = m_bom;
    for (const Line &l : m_lines) {
        out += l.content;
        out += l.eol;
    }
    return out + m_tail;
}

QString IniDocument::decode(const QByteArray &raw, Encoding e)
{
    switch (e) {
    case Encoding::Cp1252:
        return cp1252Decode(raw);
    case Encoding::Utf8: {
        // A mark inside the text is a character, not a mark to skip: lines
        // must read the same alone as within the whole file.
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
        return utf8(raw);
    }
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        QString out(raw.size() / 2, Qt::Uninitialized);
        QChar *d = out.data();
        for (qsizetype i = 0; i < out.size(); ++i)
            d[i] = QChar(unitAt(raw, 2 * i, e));
        return out;
    }
    }
    return {};
}

QByteArray IniDocument::encode(const QString &text) const
{
    switch (m_encoding) {
    case Encoding::Cp1252:
        return cp1252Encode(text);
    case Encoding::Utf8:
        return text.toUtf8();
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        QByteArray out(text.size() * 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            const char hi = char(c >> 8), lo = char(c & 0xFF);
            out[2 * i] = m_encoding == Encoding::Utf16LE ? lo : hi;
            out[2 * i + 1] = m_encoding == Encoding::Utf16LE ? hi : lo;
        }
        return out;
    }
    }
    return {};
}

// What a text becomes once stored in this file: in code page 1252, characters
// it lacks turn into "?", and names must be matched as they will be stored.
QString IniDocument::normalised(const QString &text, Encoding e)
{
    return e == Encoding::Cp1252 ? cp1252Decode(cp1252Encode(text)) : text;
}

IniDocument::Parsed IniDocument::classify(QStringView line)
{
    Parsed p;
    const QStringView text = trimmed(line);
    if (text.isEmpty())
        return p;
    if (text.front() == u'[') {
        const qsizetype close = text.lastIndexOf(u']');
        if (close > 0) {
            p.kind = Line::Header;
            p.name = trimmed(cutAtNul(text.mid(1, close - 1)));
            return p;
        }
    }
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0) {
        p.kind = Line::Bare;
        p.name = trimmed(cutAtNul(text));
        return p;
    }
    p.kind = Line::Key;
    p.name = trimmed(cutAtNul(text.left(eq)));
    p.value = trimmed(cutAtNul(text.mid(eq + 1)));
    return p;
}

IniDocument::Line IniDocument::parseLine(QByteArray content, QByteArray eol) const
{
    Line l;
    l.content = std::move(content);
    l.eol = std::move(eol);
    const QString text = decode(l.content, m_encoding);
    const Parsed p = classify(text);
    l.kind = p.kind;
    l.name = p.name.toString();
    l.value = p.value.toString();
    if (l.kind != Line::Key)
        return l;

    // Where the value starts in the raw bytes: after the first "=" and its blanks.
    // "=" is one unit in every encoding and never part of a longer UTF-8 sequence.
    const int unit = unitSize(m_encoding);
    qsizetype i = 0;
    while (i + unit <= l.content.size() && unitAt(l.content, i, m_encoding) != u'=')
        i += unit;
    i += unit;
    while (i + unit <= l.content.size() && isBlank(unitAt(l.content, i, m_encoding)))
        i += unit;
    l.valueOffset = int(qMin(i, l.content.size()));
    return l;
}

IniDocument::Line IniDocument::makeLine(const QString &text) const
{
    return parseLine(encode(text), encode(QStringLiteral("\r\n")));
}

int IniDocument::findSection(const QString &name) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Header && sameName(m_lines[i].name, name))
            return i;
    return -1;
}

// One past the last line of the section whose header is at `header`.
int IniDocument::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Line::Header)
        ++i;
    return i;
}

int IniDocument::findKey(int header, const QString &name) const
{
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Line &l = m_lines[i];
        if ((l.kind == Line::Key || l.kind == Line::Bare) && sameName(l.name, name))
            return i;
    }
    return -1;
}

void IniDocument::terminateLastLine()
{
    if (!m_lines.isEmpty() && m_lines.last().eol.isEmpty())
        m_lines.last().eol = encode(QStringLiteral("\r\n"));
}

QString IniDocument::finishRead(const QStringView *value, const QString &defaultValue, int bufferSize)
{
    QString result;
    if (value) {
        QStringView v = *value;
        if (v.size() >= 2 && v.front() == v.back() && (v.front() == u'"' || v.front() == u'\''))
            v = v.mid(1, v.size() - 2);
        result = v.toString();
    } else {
        QStringView d = cutAtNul(defaultValue);
        while (!d.isEmpty() && d.back() == u' ')
            d.chop(1);
        result = d.toString();
    }
    result.truncate(qMax(0, bufferSize - 1));
    return result;
}

QString IniDocument::read(const QString &section, const QString &key, const QString &defaultValue,
                          int bufferSize) const
{
    const QString s = normalised(argName(section), m_encoding);
    const QString k = normalised(argName(key), m_encoding);
    if (!s.isEmpty() && !k.isEmpty()) {
        const int header = findSection(s);
        const int at = header < 0 ? -1 : findKey(header, k);
        if (at >= 0 && m_lines[at].kind == Line::Key) {
            const QStringView v = m_lines[at].value;
            return finishRead(&v, defaultValue, bufferSize);
        }
    }
    return finishRead(nullptr, defaultValue, bufferSize);
}

QString IniDocument::read(const QByteArray &bytes, const QString &section, const QString &key,
                          const QString &defaultValue, int bufferSize)
{
    const std::optional<QString> v = find(bytes, section, key, bufferSize);
    return v ? *v : finishRead(nullptr, defaultValue, bufferSize);
}

// Calls `key` with each key or bare name of the first section named `section`,
// in file order, until it returns true.
template <typename F>
void IniDocument::scanSection(const QByteArray &bytes, const QString &section, Encoding &e, F &&key)
{
    qsizetype bomSize = 0;
    e = detect(bytes, bomSize);
    const QString s = normalised(argName(section), e);
    if (s.isEmpty())
        return;

    // CR and LF are single units in every encoding, so lines split the same
    // way in the decoded text as in the bytes.
    const QString text = decode(bytes.mid(bomSize), e);
    const QStringView all(text);
    bool inSection = false;
    qsizetype pos = 0;
    while (pos < all.size()) {
        qsizetype end = pos;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const Parsed p = classify(all.mid(pos, end - pos));
        pos = end;
        while (pos < all.size() && (all[pos] == u'\r' || all[pos] == u'\n'))
            ++pos;

        if (p.kind == Line::Header) {
            if (inSection)
                return;  // only the first section of a name counts
            inSection = sameName(p.name, s);
        } else if (inSection && (p.kind == Line::Key || p.kind == Line::Bare) && key(p)) {
            return;
        }
    }
}

std::optional<QString> IniDocument::find(const QByteArray &bytes, const QString &section,
                                         const QString &key, int bufferSize)
{
    std::optional<QString> found;
    QString k;
    Encoding e = Encoding::Cp1252;
    scanSection(bytes, section, e, [&](const Parsed &p) {
        if (k.isNull())
            k = normalised(argName(key), e);
        if (k.isEmpty() || !sameName(p.name, k))
            return k.isEmpty();
        if (p.kind == Line::Key)   // a name without "=" has no value
            found = finishRead(&p.value, QString(), bufferSize);
        return true;
    });
    return found;
}

IniDocument::Section IniDocument::readSection(const QByteArray &bytes, const QString &section, int bufferSize)
{
    Section out;
    scanSection(bytes, section, out.m_encoding, [&](const Parsed &p) {
        // The first of a name wins, as in find.
        const QString name = p.name.toString().toCaseFolded();
        if (!out.m_values.contains(name))
            out.m_values.insert(name, p.kind == Line::Key ? std::optional(finishRead(&p.value, QString(), bufferSize))
                                                          : std::nullopt);
        return false;
    });
    return out;
}

std::optional<QString> IniDocument::Section::find(const QString &key) const
{
    return m_values.value(normalised(argName(key), m_encoding).toCaseFolded());
}

IniDocument::Result IniDocument::write(const QString &section, const QString &key, const QString &value)
{
    // Refused rather than cleaned: a name or value with a line break is a
    // caller's fault, and writing it would add lines of its own.
    for (const QString *t : {&section, &key, &value})
        if (cutAtNul(*t).contains(u'\r') || cutAtNul(*t).contains(u'\n'))
            return Result::Refused;
    const QString s = normalised(argName(section), m_encoding);
    const QString k = normalised(argName(key), m_encoding);
    QString v = normalised(cutAtNul(value).toString(), m_encoding);
    if (s.isEmpty() || k.isEmpty())
        return Result::Refused;
    qsizetype lead = 0;
    while (lead < v.size() && isBlank(v[lead].unicode()))
        ++lead;
    v.remove(0, lead);

    const Line fresh = makeLine(k + u'=' + v);
    if (fresh.kind != Line::Key || !sameName(fresh.name, k))
        return Result::Refused;

    const int header = findSection(s);
    if (header < 0) {
        terminateLastLine();
        m_lines.append(makeLine(u'[' + s + u']'));
        m_lines.append(fresh);
        return Result::Changed;
    }

    const int at = findKey(header, k);
    if (at >= 0) {
        Line &l = m_lines[at];
        if (l.kind == Line::Key && l.value == v)
            return Result::Unchanged;
        // Keep the file's own spelling of the name; only the value changes.
        QByteArray content = l.kind == Line::Key ? l.content.left(l.valueOffset) + encode(v)
                                                 : l.content + encode(u'=' + v);
        l = parseLine(std::move(content), l.eol);
        return Result::Changed;
    }

    // After the last meaningful line of the section (the header when it is empty).
    int last = header;
    for (int i = header + 1, end = sectionEnd(header); i < end; ++i)
        if (m_lines[i].kind != Line::Blank)
            last = i;
    // A run of line endings holds the section's trailing blank lines: the new
    // key goes after the first break, the blank lines stay after it.
    const QByteArray eol = m_lines[last].eol;
    const int unit = unitSize(m_encoding);
    qsizetype first = qMin<qsizetype>(unit, eol.size());
    if (eol.size() >= 2 * unit && unitAt(eol, 0, m_encoding) == u'\r' && unitAt(eol, unit, m_encoding) == u'\n')
        first = 2 * unit;
    m_lines[last].eol = first > 0 ? eol.left(first) : encode(QStringLiteral("\r\n"));
    m_lines.insert(last + 1, fresh);
    if (eol.size() > first)
        m_lines.insert(last + 2, parseLine(QByteArray(), eol.mid(first)));
    return Result::Changed;
}

IniDocument::Result IniDocument::removeKey(const QString &section, const QString &key)
{
    const QString s = normalised(argName(section), m_encoding);
    const QString k = normalised(argName(key), m_encoding);
    if (s.isEmpty() || k.isEmpty())
        return Result::Refused;
    const int header = findSection(s);
    const int at = header < 0 ? -1 : findKey(header, k);
    if (at < 0)
        return Result::Unchanged;
    m_lines.removeAt(at);
    return Result::Changed;
}

IniDocument::Result IniDocument::removeSection(const QString &section)
{
    const QString s = normalised(argName(section), m_encoding);
    if (s.isEmpty())
        return Result::Refused;
    const int header = findSection(s);
    if (header < 0)
        return Result::Unchanged;
    m_lines.remove(header, sectionEnd(header) - header);
    return Result::Changed;
}
