// Arbitrary bytes as an INI file: parse, read a few names, edit in memory,
// and check that an edit keeps what it did not touch readable. The same bytes
// as a language file give a text of at most 511 characters, or the built-in one.
// Seeds: fuzz/corpus/ini (language files, whole and broken).
#include "settings/IniDocument.h"
#include "settings/modLanguageSupport.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniDocument doc = IniDocument::fromBytes(bytes);

    // Unedited, the file comes back byte for byte.
    if (doc.toBytes() != bytes)
        std::abort();

    const QString sections[] = {QStringLiteral("Options"), QStringLiteral("a"), QStringLiteral("Strings"),
                                QStringLiteral("ÀCCESSNAME")};
    const QString keys[] = {QStringLiteral("Song"), QStringLiteral("k"), QStringLiteral("0012"),
                            QStringLiteral("Bookmark")};
    for (const QString &s : sections)
        for (const QString &k : keys)
        {
            const QString v = doc.read(s, k, QStringLiteral("dflt  "));
            if (v.size() > IniDocument::kBufferSize - 1)
                std::abort();
            // The plain reader of a file's bytes must agree with the document.
            if (IniDocument::read(bytes, s, k, QStringLiteral("dflt  ")) != v)
                std::abort();
        }

    const QString predefinito = QStringLiteral(" Predefinito\r\n");
    for (const QString &k : {QStringLiteral("0012"), QStringLiteral("0001"), QStringLiteral("InfoAuthor")}) {
        const std::optional<QString> v = modLanguageSupport::LeggiProfilo(bytes, QStringLiteral("Strings"), k);
        if (v && v->size() > modLanguageSupport::kLunghezzaMassima)
            std::abort();
        // A text is never empty: the language's words between the built-in edges, or the built-in text.
        const QString t = modLanguageSupport::TestoOPredefinito(v, predefinito);
        if (!t.startsWith(u' ') || !t.endsWith(QStringLiteral("\r\n")) || t.trimmed().isEmpty())
            std::abort();
        // Found means the plain read gives the same value.
        const std::optional<QString> trovato = IniDocument::find(bytes, QStringLiteral("Strings"), k, 600);
        if (trovato && IniDocument::read(bytes, QStringLiteral("Strings"), k, QStringLiteral("x"), 600) != *trovato)
            std::abort();
    }

    const QString other = doc.read(QStringLiteral("Strings"), QStringLiteral("0012"), QStringLiteral("none"));
    if (doc.write(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("valore")) == IniDocument::Result::Refused)
        std::abort();
    IniDocument again = IniDocument::fromBytes(doc.toBytes());
    if (again.read(QStringLiteral("a"), QStringLiteral("k"), QString()) != QStringLiteral("valore"))
        std::abort();
    if (again.read(QStringLiteral("Strings"), QStringLiteral("0012"), QStringLiteral("none")) != other)
        std::abort();

    again.removeKey(QStringLiteral("Options"), QStringLiteral("Song"));
    again.removeSection(QStringLiteral("a"));
    (void)again.toBytes();
    return 0;
}
