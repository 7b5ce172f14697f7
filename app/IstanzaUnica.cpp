#include "app/IstanzaUnica.h"

#include "platform/FileSicuri.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

// A plain Unix socket rather than QLocalServer: QtNetwork and the Kerberos and
// proxy libraries it pulls in cost 1.3 MB of every start for one line of text.

namespace {

// One line each way: the request with the file, the answer once it was taken.
const QByteArray kRichiesta = "tastavia-comando\t";
const QByteArray kRisposta = "ok\n";
constexpr qsizetype kMaxRiga = 8192;

bool Indirizzo(const QString &percorso, sockaddr_un &a)
{
    const QByteArray nome = QFile::encodeName(percorso);
    std::memset(&a, 0, sizeof a);
    a.sun_family = AF_UNIX;
    if (nome.isEmpty() || nome.size() >= qsizetype(sizeof a.sun_path))
        return false;
    std::memcpy(a.sun_path, nome.constData(), size_t(nome.size()));
    return true;
}

// Only a process of this learner may hand over a command.
bool DelloStessoUtente(int fd)
{
    ucred c{};
    socklen_t n = sizeof c;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &c, &n) == 0 && c.uid == ::geteuid();
}

} // namespace

// One connection of a second start: reads its line, answers, and goes.
class IstanzaUnica::Collegamento : public QObject {
public:
    Collegamento(int fd, IstanzaUnica *istanza)
        : QObject(istanza), fd_(fd), notifica_(fd, QSocketNotifier::Read, this)
    {
        connect(&notifica_, &QSocketNotifier::activated, this, [this, istanza] { Leggi(istanza); });
        // A client that never finishes its line does not keep its socket for ever.
        QTimer::singleShot(5000, this, [this] { Chiudi(); });
    }
    ~Collegamento() override { ::close(fd_); }

private:
    void Leggi(IstanzaUnica *istanza)
    {
        char blocco[1024];
        const ssize_t n = ::read(fd_, blocco, sizeof blocco);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (n <= 0) {
            Chiudi();
            return;
        }
        riga_.append(blocco, n);
        const qsizetype fine = riga_.indexOf('\n');
        if (fine < 0) {
            if (riga_.size() > kMaxRiga)
                Chiudi();
            return;
        }
        if (fine > kMaxRiga || !riga_.startsWith(kRichiesta)) {
            Chiudi();
            return;
        }
        const QString file = QString::fromUtf8(riga_.mid(kRichiesta.size(), fine - kRichiesta.size()));
        // The answer goes before the window comes forward: the second start need
        // not wait for a modal window to close. A line this short fits the buffer.
        [[maybe_unused]] const ssize_t scritti = ::send(fd_, kRisposta.constData(), size_t(kRisposta.size()),
                                                        MSG_NOSIGNAL | MSG_DONTWAIT);
        Chiudi();
        emit istanza->comandoRicevuto(file);
    }
    void Chiudi()
    {
        notifica_.setEnabled(false);
        deleteLater();
    }

    int fd_;
    QSocketNotifier notifica_;
    QByteArray riga_;
};

QString PercorsoSocketIstanza(const QString &cartellaRuntime, const QString &cartellaDati)
{
    const uid_t io = ::geteuid();
    if (filesicuri::CartellaDi(cartellaRuntime, io, true))
        return cartellaRuntime + "/tastavia.socket";
    if (filesicuri::CartellaDi(cartellaDati, io, false))
        return cartellaDati + "/tastavia.socket";
    return {};
}

QString PercorsoSocketIstanza()
{
    return PercorsoSocketIstanza(qEnvironmentVariable("XDG_RUNTIME_DIR"),
                                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                     "/Tastavia");
}

IstanzaUnica::IstanzaUnica(QString percorso, QObject *parent)
    : QObject(parent), percorso_(std::move(percorso))
{
}

IstanzaUnica::~IstanzaUnica()
{
    if (ascolto_ < 0)
        return;
    delete notifica_;
    ::close(ascolto_);
    ::unlink(QFile::encodeName(percorso_).constData());
}

bool IstanzaUnica::Ascolta()
{
    sockaddr_un a;
    if (ascolto_ >= 0 || !Indirizzo(percorso_, a))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // The caller holds the instance lock: what is there was left by a run that crashed.
    ::unlink(a.sun_path);
    const mode_t maschera = ::umask(0177);
    const bool legato = ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
    ::umask(maschera);
    if (!legato || ::listen(fd, 4) != 0) {
        ::close(fd);
        return false;
    }
    ascolto_ = fd;
    notifica_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifica_, &QSocketNotifier::activated, this, [this] {
        int c;
        while ((c = ::accept4(ascolto_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
            if (DelloStessoUtente(c))
                new Collegamento(c, this);
            else
                ::close(c);
        }
    });
    return true;
}

bool ConsegnaAllaPrimaIstanza(const QString &percorso, const QString &file, int attesaMs)
{
    sockaddr_un a;
    if (!Indirizzo(percorso, a))
        return false;
    QByteArray riga = kRichiesta + file.toUtf8();
    riga.replace('\n', ' ');
    riga += '\n';
    const QDeadlineTimer scadenza(attesaMs);
    do {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        if (::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0) {
            bool preso = ::send(fd, riga.constData(), size_t(riga.size()), MSG_NOSIGNAL) == riga.size();
            QByteArray risposta;
            while (preso && !risposta.endsWith('\n') && risposta.size() < 16) {
                pollfd p{fd, POLLIN, 0};
                if (::poll(&p, 1, int(qMax<qint64>(1, scadenza.remainingTime()))) <= 0)
                    break;
                char blocco[16];
                const ssize_t n = ::read(fd, blocco, sizeof blocco);
                if (n <= 0)
                    break;
                risposta.append(blocco, n);
            }
            ::close(fd);
            return preso && risposta == kRisposta;
        }
        ::close(fd);
        // The first one holds the lock but does not listen yet: it is starting.
        QThread::msleep(100);
    } while (!scadenza.hasExpired());
    return false;
}
