#include "platform/FileSicuri.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace filesicuri {

namespace {

QString senzaBarraFinale(QString p)
{
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p;
}

} // namespace

Lettura LeggiFileRegolare(const QString &percorso, qint64 maxByte, bool soloControllo)
{
    Lettura l;
    auto esito = [&l](Esito e, int err = 0) {
        l.esito = e;
        l.errore = err;
        l.dati.clear();
        return l;
    };
    if (percorso.isEmpty())
        return esito(Esito::Mancante, ENOENT);
    const QByteArray nome = QFile::encodeName(percorso);
    // Looked at before it is opened: opening some devices already does something.
    struct stat st {};
    if (::stat(nome.constData(), &st) != 0)
        return esito(errno == ENOENT || errno == ENOTDIR ? Esito::Mancante : Esito::Illeggibile, errno);
    if (!S_ISREG(st.st_mode))
        return esito(Esito::NonRegolare);
    const int fd = ::open(nome.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return esito(errno == ENOENT || errno == ENOTDIR ? Esito::Mancante : Esito::Illeggibile, errno);
    struct Chiudi {
        int fd;
        ~Chiudi() { ::close(fd); }
    } chiudi{fd};
    // The file may have been swapped between the look and the open.
    if (::fstat(fd, &st) != 0)
        return esito(Esito::Illeggibile, errno);
    if (!S_ISREG(st.st_mode))
        return esito(Esito::NonRegolare);
    l.dimensione = st.st_size;
    if (st.st_size > maxByte)
        return esito(Esito::TroppoGrande);
    if (soloControllo)
        return l;
    // Never more than the limit, even from a file that grows while it is read.
    l.dati.resize(qsizetype(st.st_size) + 1);
    qint64 letti = 0;
    for (;;) {
        if (letti == l.dati.size()) {
            if (letti > maxByte)
                return esito(Esito::TroppoGrande);
            l.dati.resize(qsizetype(std::min<qint64>(letti * 2, maxByte + 1)));
        }
        const ssize_t n = ::read(fd, l.dati.data() + letti, size_t(l.dati.size() - letti));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return esito(Esito::Illeggibile, errno);
        if (n == 0)
            break;
        letti += n;
    }
    if (letti > maxByte)
        return esito(Esito::TroppoGrande);
    l.dati.truncate(qsizetype(letti));
    return l;
}

bool CartellaDi(const QString &percorso, uid_t uid, bool soloProprietario)
{
    struct stat st {};
    if (percorso.isEmpty() || ::lstat(QFile::encodeName(senzaBarraFinale(percorso)).constData(), &st) != 0)
        return false;
    const mode_t altri = soloProprietario ? (S_IRWXG | S_IRWXO) : (S_IWGRP | S_IWOTH);
    return S_ISDIR(st.st_mode) && st.st_uid == uid && (st.st_mode & altri) == 0;
}

CartellaPrivata PreparaCartellaPrivata(const QString &cartellaRuntime, const QString &cartellaTemp)
{
    const uid_t io = ::geteuid();
    CartellaPrivata c;
    const QString runtime = senzaBarraFinale(cartellaRuntime);
    if (!runtime.isEmpty() && runtime.startsWith(u'/') && CartellaDi(runtime, io, true)) {
        const QString nostra = runtime + QStringLiteral("/tastavia");
        const QByteArray nome = QFile::encodeName(nostra);
        if (::mkdir(nome.constData(), S_IRWXU) != 0 && errno == EEXIST && !CartellaDi(nostra, io, true)) {
            // Ours (nobody else can write in the runtime folder), only too open.
            struct stat st {};
            if (::lstat(nome.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == io)
                ::chmod(nome.constData(), S_IRWXU);
        }
        if (CartellaDi(nostra, io, true)) {
            c.percorso = nostra + u'/';
            return c;
        }
    }
    // A shared folder: a name nobody can foresee, made by us, open to us alone.
    QString base = senzaBarraFinale(cartellaTemp.isEmpty() ? QStringLiteral("/tmp") : cartellaTemp);
    c.provata = base;
    QByteArray modello = QFile::encodeName(base + QStringLiteral("/tastavia-XXXXXX"));
    if (!base.startsWith(u'/')) {
        c.errore = ENOENT;   // a relative TMPDIR would mean the working folder
        return c;
    }
    if (!::mkdtemp(modello.data())) {
        c.errore = errno;
        return c;
    }
    const QString fatta = QFile::decodeName(modello);
    if (!CartellaDi(fatta, io, true)) {
        ::rmdir(modello.constData());
        c.errore = EPERM;
        return c;
    }
    c.percorso = fatta + u'/';
    c.provata.clear();
    return c;
}

int ScriviFilePrivato(const QString &percorso, const QByteArray &dati)
{
    QByteArray temporaneo = QFile::encodeName(percorso) + ".XXXXXX";
    const int fd = ::mkostemp(temporaneo.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    auto fallito = [&](int err) {
        ::close(fd);
        ::unlink(temporaneo.constData());
        return err;
    };
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0)
        return fallito(errno);
    qint64 scritti = 0;
    while (scritti < dati.size()) {
        const ssize_t n = ::write(fd, dati.constData() + scritti, size_t(dati.size() - scritti));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fallito(n == 0 ? ENOSPC : errno);
        scritti += n;
    }
    if (::fsync(fd) != 0)
        return fallito(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temporaneo.constData());
        return err;
    }
    // rename() replaces the name itself: a link there is not followed.
    if (::rename(temporaneo.constData(), QFile::encodeName(percorso).constData()) != 0) {
        const int err = errno;
        ::unlink(temporaneo.constData());
        return err;
    }
    return 0;
}

} // namespace filesicuri
