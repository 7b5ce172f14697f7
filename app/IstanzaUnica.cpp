#include "app/IstanzaUnica.h"

#include "platform/FileSicuri.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace {

// One line each way: the request with the file, the answer once it was taken.
const QByteArray kRichiesta = "tastavia-comando\t";
const QByteArray kRisposta = "ok\n";
constexpr qint64 kMaxRiga = 8192;

} // namespace

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
    if (server_)
        server_->close();   // removes the socket file
}

bool IstanzaUnica::Ascolta()
{
    if (percorso_.isEmpty())
        return false;
    QLocalServer::removeServer(percorso_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(percorso_))
        return false;
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *c = server_->nextPendingConnection()) {
            connect(c, &QLocalSocket::disconnected, c, &QObject::deleteLater);
            connect(c, &QLocalSocket::readyRead, this, [this, c] {
                if (!c->canReadLine()) {
                    if (c->bytesAvailable() > kMaxRiga)
                        c->abort();
                    return;
                }
                QByteArray riga = c->readLine(kMaxRiga);
                if (!riga.startsWith(kRichiesta)) {
                    c->abort();
                    return;
                }
                riga.chop(riga.endsWith('\n') ? 1 : 0);
                c->write(kRisposta);
                c->flush();
                // The window comes forward after the answer: the second start
                // need not wait for a modal window to close.
                emit comandoRicevuto(QString::fromUtf8(riga.mid(kRichiesta.size())));
            });
        }
    });
    return true;
}

bool ConsegnaAllaPrimaIstanza(const QString &percorso, const QString &file, int attesaMs)
{
    if (percorso.isEmpty())
        return false;
    const QDeadlineTimer scadenza(attesaMs);
    do {
        QLocalSocket s;
        s.connectToServer(percorso);
        if (s.waitForConnected(qMax<qint64>(1, scadenza.remainingTime()))) {
            QByteArray riga = kRichiesta + file.toUtf8();
            riga.replace('\n', ' ');
            s.write(riga + '\n');
            if (!s.waitForBytesWritten(qMax<qint64>(1, scadenza.remainingTime())))
                return false;
            while (!s.canReadLine() && s.waitForReadyRead(qMax<qint64>(1, scadenza.remainingTime()))) {
            }
            return s.canReadLine() && s.readLine() == kRisposta;
        }
        // The first one holds the lock but does not listen yet: it is starting.
        QThread::msleep(100);
    } while (!scadenza.hasExpired());
    return false;
}
