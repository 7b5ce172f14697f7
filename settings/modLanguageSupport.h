#pragma once
// Interface languages. A language is a file of the program folder,
// "Lang/" + name + ".lng": an INI file whose section "Strings" gives the texts
// by four-digit id ("0031"), with "InfoAuthor" and "MailAuthor" naming its
// translator. Italian has no file: it is the program's built-in texts.
//
// Windows never read a language file: they are handed one lookup at start-up
// (CreaTestoLingua) that asks for the current language's file at every call and
// reads it again when it changed on disk, so a change of language or of the
// file reaches every window that looks its texts up again.

#include "platform/FileSicuri.h"
#include "settings/TestoLingua.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace platform {
class Desktop;
}

namespace modLanguageSupport {

// The longest text a language file gives; a longer value is not used.
constexpr int kLunghezzaMassima = 511;
// Language files are a few kilobytes. A larger file is not read at all.
constexpr qint64 kMaxBytesFile = 64 * 1024;

inline const QString kSezione = QStringLiteral("Strings");
inline const QString kItaliano = QStringLiteral("Italian");
// The list entry of the built-in texts.
inline const QString kVoceItaliano = QStringLiteral("Italian [Default]");

// --- Reading a language file ---------------------------------------------------

// A value of the file as the profile functions read it (unquoted, cut at a NUL).
// Nothing when the file, the section or the key is missing, when the file
// cannot be read or is too large, and when the value is longer than
// kLunghezzaMassima characters (a text cut short would be shown wrong).
std::optional<QString> LeggiProfilo(const QString &file, const QString &sezione, const QString &chiave);
// The same from the file's bytes.
std::optional<QString> LeggiProfilo(const QByteArray &contenuto, const QString &sezione,
                                    const QString &chiave);

// The text of an id in a language file, without leading and trailing blanks;
// empty when the file gives none. Read afresh at every call.
QString TestoLingua(const QString &file, const QString &id);

// What a window shows for a text: the file's text (trimmed) between the blanks
// and line breaks that begin and end the built-in text, which belong to how
// the texts are put together, not to the words; the built-in text itself when
// the file gives no text (missing, unreadable, too long or empty).
QString TestoOPredefinito(const std::optional<QString> &dalFile, const QString &predefinito);

// The lookup handed to every window. `file` names the current language's file
// at each call; an empty name means the built-in texts. The file's texts are
// kept and read again when its size, times or inode change.
::TestoLingua CreaTestoLingua(std::function<QString()> file);

// --- Languages -------------------------------------------------------------------

// The file of a language: Lang/<name>.lng, or a file of Lang/ whose name
// differs only in letter case (settings written on Windows). Empty for a name
// that would lead out of Lang/.
QString FileDellaLingua(const QString &cartellaProgramma, const QString &lingua);
// The language's file is a regular file, not too large, that can be opened.
bool FileLinguaPresente(const QString &cartellaProgramma, const QString &lingua);
// Why it cannot be used (a FIFO, a device, a folder, too large); Ok when it can.
filesicuri::Lettura ProblemaFileLingua(const QString &cartellaProgramma, const QString &lingua);

// The names of the language files of Lang/ (without ".lng"), in name order.
QStringList LingueDisponibili(const QString &cartellaProgramma);

// The installer's language: the Windows language id the desktop service
// derives from the user's locale, as text; empty without the service.
QString LinguaInstallatore(const platform::Desktop *desktop);
// The language of an installer value: "1031" German, "1033" English, "1034"
// Spanish, "1036" French; anything else (empty, not a number, "2057") Italian.
QString LinguaDaValoreInstallatore(const QString &valore);

// --- The language window, without its widgets ----------------------------------------

struct ElencoLingue {
    QStringList voci;       // the files' names, then "Italian [Default]" unless a file is Italian
    int selezionata = 0;    // the current language's entry (letter case aside)
};
// The entries of the language list. The built-in Italian is always offered,
// so a learner who chose another language can come back to it.
ElencoLingue ElencoPerFinestra(const QString &cartellaProgramma, const QString &linguaCorrente);
// The language an entry names: "Italian [Default]" is Italian.
QString LinguaDellaVoce(const QString &voce);

// The translation's information: the current language and its translator
// ("InfoAuthor", then "MailAuthor" on a line of its own when given; "Unknown"
// without a translator); the built-in texts name Italian as the default.
QString TestoInformazioni(const ::TestoLingua &lingua, bool fileLinguaPresente,
                          const QString &linguaCorrente);

// The name a learner reads for a language file's name: the five languages the
// program ships, in the interface language ("Francese", "allemand"); any
// other name as it is. The built-in Italian's list entry adds "[Default]".
QString NomeLingua(const ::TestoLingua &lingua, const QString &nome);
QString NomeVoce(const ::TestoLingua &lingua, const QString &voce);

// --- Numbers and dates in the interface language ------------------------------------

// The locale numbers and dates are written in: the interface language's, never
// the process's. Italian for the built-in texts and for a language Qt does not know.
QLocale LocaleInterfaccia(const QString &linguaCorrente, bool fileLinguaPresente);
// A long date with its weekday as the language writes it: "lunedì, 07 dicembre 2026",
// "Montag, 07. Dezember 2026", "lundi 07 décembre 2026", "lunes, 07 de diciembre de 2026".
QString FormatoDataLunga(const QLocale &locale);
// The colon that follows a label: French puts a no-break space before it.
QString DuePunti(const QLocale &locale);

// --- Qt's own texts ---------------------------------------------------------------------

// The locale of a language named in English ("German", "Italian [Default]");
// the C locale for a name Qt does not know.
QLocale LocaleDellaLingua(const QString &lingua);
// Installs Qt's translation (the buttons of message boxes: "Sì", "No") for the
// language, replacing the one installed before. False when there is none to
// install (English is Qt's own language; a language Qt has no file for).
bool InstallaTraduzioniQt(const QString &lingua);

} // namespace modLanguageSupport
