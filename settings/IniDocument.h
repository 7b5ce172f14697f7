#pragma once
// An INI file held in memory, read and edited the way the Windows
// private-profile functions do, so files written by either mean the same to
// both. Lines an edit does not touch keep their exact bytes (byte-order mark,
// line endings, comments, spacing, unknown lines).

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

class IniDocument {
public:
    enum class Encoding { Cp1252, Utf8, Utf16LE, Utf16BE };
    enum class Result { Changed, Unchanged, Refused };

    // GetPrivateProfileString's buffer in the settings class: 254 characters come back.
    static constexpr int kBufferSize = 255;

    IniDocument() = default;  // an empty file: code page 1252, no byte-order mark
    // Material that editors write as UTF-8 without a byte-order mark (exercise
    // and language files): bytes that are valid UTF-8 and not plain ASCII get
    // the mark, so they read as UTF-8; anything else comes back as it is.
    static QByteArray conUtf8Riconosciuto(const QByteArray &bytes);
    static IniDocument fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;
    Encoding encoding() const { return m_encoding; }

    // The value, unquoted and cut to bufferSize - 1 characters; the default
    // (without its trailing spaces, cut the same way) when the section, the key
    // or its "=" is missing.
    QString read(const QString &section, const QString &key, const QString &defaultValue,
                 int bufferSize = kBufferSize) const;
    // The same answer straight from a file's bytes, without building the
    // editable document: what a plain read of a file uses.
    static QString read(const QByteArray &bytes, const QString &section, const QString &key,
                        const QString &defaultValue, int bufferSize = kBufferSize);
    // The value from a file's bytes, unquoted and cut the same way; nothing when
    // the section, the key or its "=" is missing (an empty value is a value).
    static std::optional<QString> find(const QByteArray &bytes, const QString &section,
                                       const QString &key, int bufferSize = kBufferSize);

    // Every key of a section read in one pass, each answering as find would:
    // what a reader that looks up many keys of one file keeps.
    class Section {
    public:
        std::optional<QString> find(const QString &key) const;

    private:
        friend class IniDocument;
        Encoding m_encoding = Encoding::Cp1252;
        QHash<QString, std::optional<QString>> m_values;   // by case-folded name
    };
    static Section readSection(const QByteArray &bytes, const QString &section, int bufferSize = kBufferSize);

    // Writes key=value into the first section of that name, creating what is
    // missing. Refused: empty names, CR or LF anywhere (they would add lines
    // and so inject keys or sections), and key names that could never be read
    // back as that key ("=" inside, or a line that would read as a header).
    Result write(const QString &section, const QString &key, const QString &value);
    Result removeKey(const QString &section, const QString &key);
    Result removeSection(const QString &section);

private:
    struct Line {
        enum Kind : quint8 { Blank, Header, Key, Bare };
        QByteArray content;     // raw bytes, without the line ending
        QByteArray eol;         // the run of CR/LF that ended it; empty on an unterminated last line
        Kind kind = Blank;
        QString name;           // section name (Header) or key name (Key, Bare)
        QString value;          // trimmed value (Key)
        int valueOffset = 0;    // byte offset of the value in content (Key)
    };

    struct Parsed {
        Line::Kind kind = Line::Blank;
        QStringView name, value;
    };
    static Parsed classify(QStringView line);
    static Encoding detect(const QByteArray &bytes, qsizetype &bomSize);
    static QString decode(const QByteArray &raw, Encoding e);
    static QString normalised(const QString &text, Encoding e);
    static QString finishRead(const QStringView *value, const QString &defaultValue, int bufferSize);
    template <typename F>
    static void scanSection(const QByteArray &bytes, const QString &section, Encoding &e, F &&key);

    Line parseLine(QByteArray content, QByteArray eol) const;
    Line makeLine(const QString &text) const;
    QByteArray encode(const QString &text) const;
    int findSection(const QString &name) const;
    int sectionEnd(int header) const;
    int findKey(int header, const QString &name) const;
    void terminateLastLine();

    Encoding m_encoding = Encoding::Cp1252;
    QByteArray m_bom;
    QByteArray m_tail;      // odd last byte of a UTF-16 file
    QList<Line> m_lines;
};
