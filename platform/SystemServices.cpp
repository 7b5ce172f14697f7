#include "platform/SystemServices.h"

#include <QDesktopServices>
#include <QProcess>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QLibrary>
#include <QRandomGenerator>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#if __has_include(<X11/Xlib.h>)
#include <X11/Xlib.h>
#define TASTAVIA_HAVE_X11 1
#endif

#include "platform/FileSicuri.h"
#include "platform/XkbKeyboard.h"

namespace platform {
namespace {

class SystemClock : public Clock {
public:
    SystemClock() { timer_.start(); }
    QDateTime now() const override
    {
        QDateTime t = QDateTime::currentDateTime();
        return t.addMSecs(-t.time().msec());
    }
    int64_t tickMs() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

class SystemRandom : public RandomSource {
public:
    void seed(uint32_t value) override { gen_.seed(value); }
    double next() override { return gen_.generateDouble(); }

private:
    QRandomGenerator gen_{QRandomGenerator::securelySeeded()};
};

class SystemDialogs : public Dialogs {
public:
    Answer message(QWidget *parent, const QString &title, const QString &text, Icon icon,
                   Buttons buttons) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(title);
        box.setText(text);
        switch (icon) {
        case Information: box.setIcon(QMessageBox::Information); break;
        case Warning: box.setIcon(QMessageBox::Warning); break;
        case Critical: box.setIcon(QMessageBox::Critical); break;
        case Question: box.setIcon(QMessageBox::Question); break;
        case NoIcon: break;
        }
        switch (buttons) {
        case Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        }
        const int risposta = box.exec();
        // Without a window manager nobody hands the keyboard back to the
        // window that asked, and the next key would go nowhere.
        if (parent && parent->window()->isVisible())
            parent->window()->activateWindow();
        switch (risposta) {
        case QMessageBox::Yes: return AnsYes;
        case QMessageBox::No: return AnsNo;
        case QMessageBox::Cancel: return AnsCancel;
        default: return (buttons == YesNo || buttons == YesNoCancel) ? AnsNo : AnsOk;
        }
    }
};

// An advisory lock on a file in the user's runtime folder: the kernel drops it
// when the process ends, however it ends, so a killed run never blocks the next.
class SystemInstanceLock : public InstanceLock {
public:
    ~SystemInstanceLock() override
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool tryLock() override
    {
        if (fd_ >= 0)
            return true;
        // Only in a folder of the learner's: in a shared one another user could
        // hold the lock and keep Tastavia from ever starting.
        const uid_t io = ::geteuid();
        QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (!filesicuri::CartellaDi(dir, io, true)) {
            dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Tastavia";
            QDir().mkpath(dir);
            if (!filesicuri::CartellaDi(dir, io, false))
                return true;   // no lock can be had: better two instances than none
        }
        const QByteArray path = QFile::encodeName(dir + "/tastavia.lock");
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        if (fd < 0)
            return true;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return false;
        }
        fd_ = fd;
        return true;
    }

private:
    int fd_ = -1;
};

class SystemScreen : public Screen {
public:
    QSize size() const override
    {
        QScreen *s = QGuiApplication::primaryScreen();
        return s ? s->size() : QSize(0, 0);
    }
    QRect workArea() const override
    {
        QScreen *s = QGuiApplication::primaryScreen();
        return s ? s->availableGeometry() : QRect();
    }
    bool compositing() const override
    {
        const QString name = QGuiApplication::platformName();
        if (name.startsWith("wayland"))
            return true;
#ifdef TASTAVIA_HAVE_X11
        if (name == "xcb") {
            // A compositing manager owns the selection _NET_WM_CM_S<screen>.
            auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
            Display *dpy = x11 ? x11->display() : nullptr;
            if (!dpy)
                return false;
            const QByteArray sel = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(dpy));
            Atom atom = XInternAtom(dpy, sel.constData(), False);
            return XGetSelectionOwner(dpy, atom) != None;
        }
#endif
        return false;
    }
};

// The print stack (Qt print support, CUPS) lives in a module beside the program,
// loaded on the first question about printing.
class SystemPrinter : public Printer {
public:
    explicit SystemPrinter(QString modulo) : modulo_(std::move(modulo)) {}

    bool available() const override
    {
        Printer *p = reale();
        return p && p->available();
    }
    bool print(const QString &documento, bool orizzontale, int pagine,
               const Disegno &disegna) override
    {
        Printer *p = reale();
        return p && p->print(documento, orizzontale, pagine, disegna);
    }

private:
    Printer *reale() const
    {
        if (!cercato_) {
            cercato_ = true;
            QLibrary libreria(modulo_);
            using Crea = Printer *(*)();
            if (auto crea = reinterpret_cast<Crea>(libreria.resolve("tastavia_crea_stampante")))
                reale_.reset(crea());
            else
                qWarning("Tastavia: printing unavailable (%s)", qPrintable(libreria.errorString()));
        }
        return reale_.get();
    }

    QString modulo_;
    mutable bool cercato_ = false;
    mutable std::unique_ptr<Printer> reale_;
};

class SystemDesktop : public Desktop {
public:
    bool openFile(const QString &path) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
    // xdg-open, watched: it ends at once with a failure when it finds no
    // program (status 3 or 4), or is missing itself. An opener that ends badly
    // long after it started (a browser closed) is no failure to open.
    void openFileOr(const QString &path, std::function<void()> nonAperto) override
    {
        auto *p = new QProcess(qApp);
        auto orologio = std::make_shared<QElapsedTimer>();
        auto detto = std::make_shared<bool>(false);
        auto fallito = [p, nonAperto, orologio, detto](bool subito) {
            if (!*detto && (subito || orologio->elapsed() < 30000) && nonAperto) {
                *detto = true;
                nonAperto();
            }
            p->deleteLater();
        };
        QObject::connect(p, &QProcess::errorOccurred, p, [fallito](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                fallito(true);
        });
        QObject::connect(p, &QProcess::finished, p, [p, fallito](int codice, QProcess::ExitStatus stato) {
            if (stato != QProcess::NormalExit || codice != 0)
                fallito(false);
            else
                p->deleteLater();
        });
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        p->setStandardInputFile(QProcess::nullDevice());
        orologio->start();
        p->start(QStringLiteral("xdg-open"), {QUrl::fromLocalFile(path).toString()});
    }

    std::optional<QString> handler(const QString &mimeType) const override
    {
        // xdg-utils: the same answer xdg-open acts on. An entry that names an
        // application no longer installed counts as none.
        QProcess p;
        p.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
        if (!p.waitForStarted(2000))
            return std::nullopt;
        if (!p.waitForFinished(3000)) {
            p.kill();
            p.waitForFinished(500);
            return std::nullopt;
        }
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return std::nullopt;
        const QString voce = QString::fromLocal8Bit(p.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
        if (voce.isEmpty() || QStandardPaths::locate(QStandardPaths::ApplicationsLocation, voce).isEmpty())
            return QString();
        return voce;
    }
    ~SystemDesktop() override
    {
        // The folder made for this run goes with it; the runtime folder's stays.
        if (!fatta_.isEmpty())
            QDir(fatta_).removeRecursively();
    }
    QString tempPath() const override
    {
        if (!cartella_.isEmpty() && filesicuri::CartellaDi(cartella_, ::geteuid(), true))
            return cartella_;
        // Not QDir::tempPath(): it turns a TMPDIR that does not exist into "".
        const filesicuri::CartellaPrivata c = filesicuri::PreparaCartellaPrivata(
            qEnvironmentVariable("XDG_RUNTIME_DIR"), qEnvironmentVariable("TMPDIR"));
        cartella_ = c.percorso;
        problema_ = {c.provata, c.errore};
        if (QDir(c.percorso).dirName().startsWith(QLatin1String("tastavia-")))
            fatta_ = c.percorso;
        return cartella_;
    }
    ProblemaCartella tempProblem() const override { return problema_; }
    int installerLanguage() const override { return languageIdForLocale(QLocale().name()); }

private:
    mutable QString cartella_;
    mutable QString fatta_;
    mutable ProblemaCartella problema_;
};

// Silent until started: the connection to the sound server is made only once
// the program knows it will run (not for a second instance).
class DeferredSound : public Sound {
public:
    void start()
    {
        if (!real_)
            real_ = makePulseSound(":/sounds/");
    }
    void play(int id) override
    {
        if (real_)
            real_->play(id);
    }

private:
    std::unique_ptr<Sound> real_;
};

} // namespace

void SystemServices::startSound()
{
    static_cast<DeferredSound *>(sound_.get())->start();
}

namespace {

// Where a changed keymap is remembered: the learner's own runtime folder,
// which a crash leaves and a log-out empties, else the learner's data folder;
// never a shared one, and nothing is made here.
QString statoTastiera()
{
    const uid_t io = ::geteuid();
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!filesicuri::CartellaDi(dir, io, true))
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Tastavia";
    return filesicuri::CartellaDi(dir, io, false) ? dir + QStringLiteral("/tastavia-tastiera") : QString();
}

} // namespace

SystemServices::SystemServices()
    : clock_(std::make_unique<SystemClock>()),
      random_(std::make_unique<SystemRandom>()),
      sound_(std::make_unique<DeferredSound>()),
      dialogs_(std::make_unique<SystemDialogs>()),
      instance_(std::make_unique<SystemInstanceLock>()),
      screen_(std::make_unique<SystemScreen>()),
      keyboard_(std::make_unique<XkbKeyboard>(statoTastiera())),
      printer_(std::make_unique<SystemPrinter>(QCoreApplication::applicationDirPath() +
                                                "/libtastavia-stampa.so")),
      desktop_(std::make_unique<SystemDesktop>())
{
}

SystemServices::~SystemServices() = default;

Services SystemServices::services() const
{
    Services s;
    s.clock = clock_.get();
    s.random = random_.get();
    s.sound = sound_.get();
    s.dialogs = dialogs_.get();
    s.instance = instance_.get();
    s.screen = screen_.get();
    s.keyboard = keyboard_.get();
    s.printer = printer_.get();
    s.desktop = desktop_.get();
    return s;
}

} // namespace platform
