#pragma once
// One settings-style file opened for a read or for a read-modify-write that
// other processes (a second copy of the program, another installation, a tool
// run by hand) may attempt at the same moment. A change holds an exclusive
// lock on the file itself from the read to the replace, so no successful write
// of another process is lost; the wait for the lock is bounded.
//
// The file is replaced atomically (a temporary file in the same folder renamed
// over it) with its mode and owner kept. Where the folder cannot be written,
// or the owner could not be kept, the file is rewritten in place, flushed and
// synced, as Windows does. A file without any write permission bit is never
// written, not even by root.

#include "settings/ErroreScrittura.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <sys/types.h>

class AccessoFile {
public:
    enum class Apertura { Ok, Mancante, Fallita };

    AccessoFile() = default;
    ~AccessoFile();
    AccessoFile(const AccessoFile &) = delete;
    AccessoFile &operator=(const AccessoFile &) = delete;

    // The whole file under a shared lock (after attesaMs without it, read
    // anyway). Mancante: no such file. Fallita: not a regular file, larger
    // than maxByte, or unreadable.
    static Apertura leggi(const QString &percorso, qint64 maxByte, int attesaMs, QByteArray &contenuto);

    // Opens the file for a change and locks it. A missing file is created
    // empty when crea is true, otherwise Mancante comes back. On Fallita,
    // errore() says why.
    Apertura apri(const QString &percorso, qint64 maxByte, int attesaMs, bool crea);
    const QByteArray &contenuto() const { return m_contenuto; }

    // Writes the new content while the lock is held; false with errore() set.
    bool sostituisci(const QByteArray &nuovo);

    ErroreScrittura::Motivo errore() const { return m_errore; }

    // Tests: called in an in-place save between the write and the cut, where
    // a kill would stop it.
    static std::function<void()> primaDelTaglio;

private:
    bool scriviSulPosto(const QByteArray &nuovo);
    void chiudi();

    int m_fd = -1;
    QByteArray m_percorso;       // the file itself, symbolic links resolved
    QByteArray m_contenuto;
    mode_t m_modo = 0;
    uid_t m_proprietario = 0;
    gid_t m_gruppo = 0;
    bool m_creato = false;       // created empty by apri(): removed again unless written
    bool m_scritto = false;
    ErroreScrittura::Motivo m_errore = ErroreScrittura::Nessuno;
};
