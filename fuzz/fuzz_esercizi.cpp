// Arbitrary bytes as an exercise file (".ftd", an INI file with sections
// "Livello1" to "Livello3"): every line of every level read through the file
// layer as the practice does, and the same answers as the reader of bytes.
// Bytes that are valid UTF-8 (with or without a byte-order mark) read as UTF-8,
// anything else as code page 1252.
#include "practice/Esercizi.h"
#include "practice/modClavora.h"
#include "settings/IniDocument.h"
#include "settings/IniManager.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString exerciseFile()
{
    static const QString path = [] {
        QByteArray name = QFile::encodeName(QDir::tempPath()) + "/fuzz_esercizi.XXXXXX";
        const int fd = ::mkstemp(name.data());
        if (fd < 0)
            std::abort();
        ::close(fd);
        return QFile::decodeName(name);
    }();
    return path;
}

void writeFile(const QString &path, const uint8_t *data, size_t size)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0 || (size > 0 && ::write(fd, data, size) != ssize_t(size)))
        std::abort();
    ::close(fd);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = exerciseFile();
    writeFile(path, data, size);
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    modClavora stato{platform::Services{}};
    Esercizi esercizi(stato);
    esercizi.larghezzaEtichetta = 600;
    esercizi.larghezzaTesto = [](const QString &t) { return int(t.size()) * 9; };
    esercizi.filtroCaratteri = [](const QString &t) { return t; };

    // UTF-8 detection: valid UTF-8 gains the mark and reads as UTF-8, the
    // same as with the mark written; anything else is left alone.
    const QByteArray riconosciuti = IniDocument::conUtf8Riconosciuto(bytes);
    if (riconosciuti != bytes) {
        if (riconosciuti != "\xEF\xBB\xBF" + bytes || IniDocument::fromBytes(riconosciuti).encoding() !=
                                                           IniDocument::Encoding::Utf8)
            std::abort();
        if (IniDocument::conUtf8Riconosciuto(riconosciuti) != riconosciuti)
            std::abort();
    }

    IniManager ini;
    ini.setNome(path);
    for (int livello = 1; livello <= 3; ++livello) {
        const QString sezione = "Livello" + QString::number(livello);
        ini.setSezione(sezione);
        // The first, the fifth and sixth (which tell five-line files from
        // fifteen-line ones), the last, and two that are never read.
        for (int chiave : {0, 1, 5, 6, 15, 16}) {
            const QString letto = ini.Leggi(QString::number(chiave), QString());
            if (letto != IniDocument::read(bytes, sezione, QString::number(chiave), QString()))
                std::abort();
            const QString riga = esercizi.LeggiVoceEsercizio(path, livello, chiave);
            // One model line, or two joined by the exercise's one line break.
            const qsizetype a = riga.indexOf(QStringLiteral("\r\n"));
            const QString resto = a < 0 ? riga : riga.left(a) + riga.mid(a + 2);
            if (resto.contains(u'\r') || resto.contains(u'\n') || riga.size() > 2 * IniDocument::kBufferSize)
                std::abort();
            const QString comeMateriale = IniDocument::read(riconosciuti, sezione, QString::number(chiave), QString());
            if (comeMateriale.trimmed().isEmpty() != riga.isEmpty())
                std::abort();
        }
    }

    // Sentences of each level, as the practice draws them.
    stato.fileEsercizio = path;
    for (int numero : {1, 5, 6, 10, 11, 15}) {
        esercizi.numeroFrase = numero;
        stato.livelloCorrente = Esercizi::LivelloDiFrase(numero);
        if (esercizi.RigaPerFrase(numero).isEmpty())
            std::abort();   // a built-in sentence stands in for a missing line
    }
    return 0;
}
