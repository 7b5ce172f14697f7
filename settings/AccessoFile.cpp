#include "settings/AccessoFile.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

using Orologio = std::chrono::steady_clock;

ErroreScrittura::Motivo motivoDa(int err, bool nellaCartella)
{
    switch (err) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErroreScrittura::DiscoPieno;
    case EROFS:
        return ErroreScrittura::SolaLettura;
    case EACCES:
    case EPERM:
        return nellaCartella ? ErroreScrittura::CartellaNonScrivibile : ErroreScrittura::SolaLettura;
    case ENOENT:
    case ENOTDIR:
        return ErroreScrittura::CartellaNonScrivibile;
    default:
        return ErroreScrittura::Altro;
    }
}

// Takes the lock, waiting until the deadline; false when it stayed taken. A
// file system without locks is used unlocked. The wait is a blocking flock()
// in a helper thread, so the kernel wakes us as soon as the holder lets go: a
// waiter that polls can miss every moment the lock is free while another
// process saves again and again.
bool blocca(int fd, int tipo, Orologio::time_point scadenza)
{
    for (;;) {
        if (::flock(fd, tipo | LOCK_NB) == 0)
            return true;
        if (errno != EINTR)
            break;
    }
    if (errno != EWOULDBLOCK)
        return true;
    if (Orologio::now() >= scadenza)
        return false;

    struct Attesa {
        std::mutex m;
        std::condition_variable cv;
        bool finita = false;
        bool presa = false;
    };
    auto attesa = std::make_shared<Attesa>();
    // The same open file: the lock the copy takes is fd's, and stays with fd
    // when the copy is closed. If we give up first, closing both lets it go.
    const int copia = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copia < 0)
        return false;
    try {
        std::thread([attesa, copia, tipo] {
            int r;
            do
                r = ::flock(copia, tipo);
            while (r != 0 && errno == EINTR);
            {
                const std::lock_guard<std::mutex> chiave(attesa->m);
                attesa->finita = true;
                attesa->presa = r == 0;
            }
            attesa->cv.notify_one();
            ::close(copia);
        }).detach();
    } catch (const std::system_error &) {
        ::close(copia);
        return false;
    }
    std::unique_lock<std::mutex> chiave(attesa->m);
    return attesa->cv.wait_until(chiave, scadenza, [&] { return attesa->finita; }) && attesa->presa;
}

bool leggiTutto(int fd, qint64 dimensione, qint64 maxByte, QByteArray &out)
{
    out.resize(std::min(dimensione, maxByte) + 1);
    qint64 letti = 0;
    for (;;) {
        if (letti == out.size()) {
            if (out.size() > maxByte)
                return false;
            out.resize(std::min(out.size() * 2, maxByte + 1));
        }
        const ssize_t n = ::pread(fd, out.data() + letti, size_t(out.size() - letti), letti);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        letti += n;
    }
    out.truncate(letti);
    return true;
}

bool scriviTutto(int fd, const QByteArray &dati, off_t da)
{
    qint64 scritti = 0;
    while (scritti < dati.size()) {
        const ssize_t n = ::pwrite(fd, dati.constData() + scritti, size_t(dati.size() - scritti), da + scritti);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        scritti += n;
    }
    return true;
}

// The file itself: a symbolic link stays a link and its target is written.
// Empty for a link that leads nowhere.
QByteArray fileVero(const QString &percorso)
{
    const QFileInfo info(percorso);
    if (!info.isSymLink())
        return QFile::encodeName(percorso);
    return info.exists() ? QFile::encodeName(info.canonicalFilePath()) : QByteArray();
}

// Blanks that read as nothing after the end of a file's text: a line break
// first when the text does not end with one, in the text's own units.
QByteArray Riempitivo(const QByteArray &testo, qint64 byte)
{
    if (byte <= 0)
        return {};
    const bool le = testo.startsWith("\xFF\xFE"), be = testo.startsWith("\xFE\xFF");
    QByteArray spazio(" "), aCapo("\n");
    if (le) {
        spazio = QByteArray(" \0", 2);
        aCapo = QByteArray("\n\0", 2);
    } else if (be) {
        spazio = QByteArray("\0 ", 2);
        aCapo = QByteArray("\0\n", 2);
    }
    QByteArray r;
    r.reserve(byte);
    if (!testo.isEmpty() && !testo.endsWith(aCapo) && byte >= aCapo.size())
        r += aCapo;
    while (r.size() + spazio.size() <= byte)
        r += spazio;
    while (r.size() < byte)
        r += ' ';   // the odd byte of a UTF-16 file, never read as a character
    return r;
}

bool stessoFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

std::function<void()> AccessoFile::primaDelTaglio;

AccessoFile::~AccessoFile()
{
    chiudi();
}

void AccessoFile::chiudi()
{
    if (m_fd < 0)
        return;
    if (m_creato && !m_scritto) {
        // Nothing was saved: the empty file made for the change goes again.
        struct stat mio {}, ora {};
        if (::fstat(m_fd, &mio) == 0 && ::stat(m_percorso.constData(), &ora) == 0 && stessoFile(mio, ora))
            ::unlink(m_percorso.constData());
    }
    ::close(m_fd);   // releases the lock
    m_fd = -1;
}

AccessoFile::Apertura AccessoFile::leggi(const QString &percorso, qint64 maxByte, int attesaMs,
                                         QByteArray &contenuto)
{
    contenuto.clear();
    const QByteArray file = fileVero(percorso);
    if (file.isEmpty())
        return Apertura::Fallita;
    // Non-blocking, so that a FIFO in the file's place cannot hang the open.
    const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? Apertura::Mancante : Apertura::Fallita;
    struct stat st {};
    Apertura esito = Apertura::Fallita;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= maxByte) {
        // A writer that edits in place holds the lock: wait for it, but not for ever.
        blocca(fd, LOCK_SH, Orologio::now() + std::chrono::milliseconds(attesaMs));
        if (leggiTutto(fd, st.st_size, maxByte, contenuto))
            esito = Apertura::Ok;
        else
            contenuto.clear();
    }
    ::close(fd);
    return esito;
}

AccessoFile::Apertura AccessoFile::apri(const QString &percorso, qint64 maxByte, int attesaMs, bool crea)
{
    chiudi();
    m_contenuto.clear();
    m_creato = m_scritto = false;
    m_errore = ErroreScrittura::Nessuno;
    auto fallita = [this](ErroreScrittura::Motivo motivo) {
        m_errore = motivo;
        return Apertura::Fallita;
    };

    m_percorso = fileVero(percorso);
    if (m_percorso.isEmpty())
        return fallita(ErroreScrittura::Altro);
    const char *const nome = m_percorso.constData();
    const auto scadenza = Orologio::now() + std::chrono::milliseconds(attesaMs);
    for (;;) {
        bool creato = false;
        int fd = ::open(nome, O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd < 0) {
            const int err = errno;
            if (err != ENOENT && err != ENOTDIR)
                return fallita(err == EISDIR ? ErroreScrittura::Altro : motivoDa(err, false));
            if (!crea)
                return Apertura::Mancante;
            fd = ::open(nome, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
            if (fd < 0 && errno == EEXIST)
                continue;   // another writer made it first: lock theirs
            if (fd < 0)
                return fallita(motivoDa(errno, true));
            creato = true;
        }

        struct stat st {}, ora {};
        auto rifiuta = [&](ErroreScrittura::Motivo motivo) {
            ::close(fd);
            return fallita(motivo);
        };
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
            return rifiuta(ErroreScrittura::Altro);
        if (!blocca(fd, LOCK_EX, scadenza))
            return rifiuta(ErroreScrittura::FileInUso);
        // A writer before us may have replaced the file while we waited: then
        // the lock is on the old one, and the new one must be opened.
        if (::stat(nome, &ora) != 0 || !stessoFile(st, ora) || ::fstat(fd, &st) != 0) {
            ::close(fd);
            if (Orologio::now() >= scadenza)
                return fallita(ErroreScrittura::FileInUso);
            continue;
        }
        // Without any write permission bit the file is read-only for
        // everyone, root included, as Windows' read-only attribute is.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return rifiuta(ErroreScrittura::SolaLettura);
        if (st.st_size > maxByte || !leggiTutto(fd, st.st_size, maxByte, m_contenuto)) {
            m_contenuto.clear();
            return rifiuta(ErroreScrittura::Altro);
        }
        m_fd = fd;
        m_creato = creato;
        m_modo = st.st_mode & 07777;
        m_proprietario = st.st_uid;
        m_gruppo = st.st_gid;
        return Apertura::Ok;
    }
}

namespace {

// The temporary files of saves that were interrupted (a kill between their
// creation and the rename): "<file>.XXXXXX", ours, regular. Called with the
// file's lock held, so no other save of it is half-way.
void RimuoviTemporaneiOrfani(const QByteArray &percorso)
{
    const QString file = QFile::decodeName(percorso);
    const QFileInfo info(file);
    const QString prefisso = info.fileName() + u'.';
    const QDir cartella = info.dir();
    const QStringList nomi = cartella.entryList({prefisso + QStringLiteral("*")},
                                                QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &nome : nomi) {
        if (nome.size() != prefisso.size() + 6 || !nome.startsWith(prefisso))
            continue;
        const QStringView coda = QStringView(nome).mid(prefisso.size());
        if (!std::all_of(coda.begin(), coda.end(), [](QChar c) {
                return c.unicode() < 0x80 && (c.isLetterOrNumber());
            }))
            continue;
        const QByteArray orfano = QFile::encodeName(cartella.filePath(nome));
        struct stat st {};
        if (::lstat(orfano.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
            ::unlink(orfano.constData());
    }
}

} // namespace

bool AccessoFile::sostituisci(const QByteArray &nuovo)
{
    if (m_fd < 0)
        return false;
    m_errore = ErroreScrittura::Nessuno;
    RimuoviTemporaneiOrfani(m_percorso);
    QByteArray temporaneo = m_percorso + ".XXXXXX";
    const int t = ::mkostemp(temporaneo.data(), O_CLOEXEC);
    if (t < 0) {
        const int err = errno;
        if (err == EACCES || err == EPERM || err == EROFS)
            return scriviSulPosto(nuovo);   // the folder cannot be written, the file can
        m_errore = motivoDa(err, true);
        return false;
    }
    auto scarta = [&] {
        ::close(t);
        ::unlink(temporaneo.constData());
    };
    // Mode and owner as before; when the owner cannot be kept, writing in
    // place keeps it.
    const bool altroProprietario = m_proprietario != ::geteuid() || m_gruppo != ::getegid();
    if ((altroProprietario && ::fchown(t, m_proprietario, m_gruppo) != 0) || ::fchmod(t, m_modo) != 0) {
        scarta();
        return scriviSulPosto(nuovo);
    }
    if (!scriviTutto(t, nuovo, 0) || ::fsync(t) != 0) {
        const int err = errno;
        scarta();
        m_errore = motivoDa(err, false);
        return false;
    }
    if (::close(t) != 0 || ::rename(temporaneo.constData(), m_percorso.constData()) != 0) {
        const int err = errno;
        ::unlink(temporaneo.constData());
        m_errore = motivoDa(err, true);
        return false;
    }
    m_scritto = true;
    return true;
}

bool AccessoFile::scriviSulPosto(const QByteArray &nuovo)
{
    auto fallito = [this](int err) {
        m_errore = motivoDa(err, false);
        return false;
    };
    // Room first, so that a full disk fails before the old content is touched;
    // the size stays, so no run of NUL bytes ever shows.
    if (nuovo.size() > m_contenuto.size() &&
        ::fallocate(m_fd, FALLOC_FL_KEEP_SIZE, 0, nuovo.size()) != 0 && errno != EOPNOTSUPP &&
        errno != ENOSYS)
        return fallito(errno);
    // The new text, and blanks over what is left of the old one; then the
    // cut. Stopped in between, the file reads as the new one.
    if (!scriviTutto(m_fd, nuovo + Riempitivo(nuovo, m_contenuto.size() - nuovo.size()), 0)) {
        const int err = errno;
        // Put back what was there, as far as it goes.
        scriviTutto(m_fd, m_contenuto, 0);
        if (::ftruncate(m_fd, m_contenuto.size()) == 0)
            ::fsync(m_fd);
        return fallito(err);
    }
    if (primaDelTaglio)
        primaDelTaglio();
    if (::ftruncate(m_fd, nuovo.size()) != 0 || ::fsync(m_fd) != 0)
        return fallito(errno);
    m_contenuto = nuovo;
    m_scritto = true;
    return true;
}
