#pragma once
// Access to INI-format files with the private-profile semantics of Windows
// (see IniDocument). Callers set nome() and sezione() before each group of
// accesses; every call reads the file afresh. A change locks the file from
// its read to its write, so changes made at once by another process are kept,
// and replaces it atomically (see AccessoFile), so a crash leaves either the
// old or the new file.

#include "settings/ErroreScrittura.h"
#include "settings/IniDocument.h"

#include <QList>
#include <QString>
#include <cstdint>

class IniManager {
public:
    // Larger files are not settings files: read as missing, never rewritten.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
    // How long a change waits for another process's lock before it fails.
    static constexpr int kAttesaBloccoMs = 2000;
    // Reads wait less: they only need the lock against a file edited in place.
    static constexpr int kAttesaLetturaMs = 250;

    QString nome() const { return m_nome; }
    void setNome(const QString &path) { m_nome = path; }
    QString sezione() const { return m_sezione; }
    void setSezione(const QString &section) { m_sezione = section; }
    void setAttesaBloccoMs(int ms) { m_attesaMs = ms; }

    // Non-zero on success, also when nothing had to change (even in a file
    // that may not be written). 0 when refused (empty names, CR or LF in a
    // name or value) or when the file could not be read or written; the file
    // is then left as it was, and a write failure is recorded.
    int32_t Scrivi(const QString &chiave, const QString &Valore);
    // Never fails: the default (trailing spaces dropped) for anything missing or unreadable.
    QString Leggi(const QString &chiave, const QString &predefinito) const;
    int32_t CancellaSezione();
    int32_t CancellaValore(const QString &chiave);

    // The files that could not be saved since the last call, with the reason,
    // in the order the failures happened. Refused calls are not failures.
    QList<ErroreScrittura> prendiErrori();

private:
    template <typename Edit>
    int32_t change(Edit edit);
    void segnala(ErroreScrittura::Motivo motivo);

    QString m_nome;
    QString m_sezione;
    int m_attesaMs = kAttesaBloccoMs;
    QList<ErroreScrittura> m_errori;
};
