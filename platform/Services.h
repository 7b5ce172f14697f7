#pragma once
// Every contact with the world outside the program goes through one of these
// interfaces, so tests can replace it with a fake (tests/support/FakeServices.h).

#include <QByteArray>
#include <QDateTime>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QWidget;

namespace platform {

// The program's "now" in whole seconds, and a millisecond tick for pauses.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;     // whole seconds, local time
    virtual int64_t tickMs() const = 0;    // monotonic milliseconds
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(uint32_t value) = 0;
    virtual double next() = 0;             // uniform in [0, 1)
};

class Sound {
public:
    virtual ~Sound() = default;
    virtual void play(int id) = 0;         // never blocks; silent without a sound server
};

// Message boxes. Only windows ask; logic classes return what went wrong.
class Dialogs {
public:
    enum Icon { NoIcon, Information, Warning, Critical, Question };
    enum Buttons { Ok, YesNo, YesNoCancel, OkCancel };
    enum Answer { AnsOk = 1, AnsCancel = 2, AnsYes = 6, AnsNo = 7 };
    virtual ~Dialogs() = default;
    virtual Answer message(QWidget *parent, const QString &title, const QString &text,
                           Icon icon, Buttons buttons) = 0;
};

class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    virtual bool tryLock() = 0;            // false: another instance runs
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual QSize size() const = 0;        // pixels of the primary screen
    // The part of it windows may take (without the desktop's panels).
    virtual QRect workArea() const { return QRect(QPoint(0, 0), size()); }
    virtual bool compositing() const = 0;  // a compositing manager runs (window opacity works)
};

// Keyboard layout and Caps Lock through XKB; "unknown" and no-ops without X11.
class Keyboard {
public:
    virtual ~Keyboard() = default;
    virtual bool capsLockOn() const = 0;
    virtual void capsLockOff() = 0;
    virtual QString activeLayout() const = 0;          // XKB name such as "fr", or "unknown"
    virtual bool activateLayout(const QString &xkbName) = 0;

    // The keymap in use, in xkbcommon's text format, with its active layout
    // (group): what the keys really type. Empty when the display server does
    // not say (offscreen).
    struct Keymap {
        QByteArray text;
        int group = 0;
    };
    virtual std::optional<Keymap> keymap() const { return std::nullopt; }
    // Whether this program may change the keymap: on plain X11 only. Under
    // Wayland, Xwayland included, the compositor owns the keymap.
    virtual bool canSwitch() const { return false; }
    // Gives back a keymap that a run changed and could not restore (a crash,
    // kill -9); true when something was given back.
    virtual bool restoreAfterCrash() { return false; }
};

class Printer {
public:
    // Paints page `pagina` (from 0) into `area`: the whole A4 sheet, from its corner.
    using Disegno = std::function<void(QPainter &, const QRect &area, int pagina)>;

    virtual ~Printer() = default;
    virtual bool available() const = 0;    // a default printer exists
    // Prints `pagine` pages on the default printer, without a dialog. False
    // when nothing could be printed (no printer, printing refused).
    virtual bool print(const QString &documento, bool orizzontale, int pagine,
                       const Disegno &disegna) = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual bool openFile(const QString &path) = 0;    // default application, not waited for
    // The same, and `nonAperto` runs (later, from the event loop) when no
    // program opened the file: no opener installed, or the opener failed.
    virtual void openFileOr(const QString &path, std::function<void()> nonAperto)
    {
        if (!openFile(path) && nonAperto)
            nonAperto();
    }
    // The application the desktop opens a type of file with ("application/pdf"):
    // its desktop entry, or empty when no installed application takes the
    // type; nothing when the desktop cannot say.
    virtual std::optional<QString> handler(const QString &mimeType) const
    {
        (void)mimeType;
        return std::nullopt;
    }
    // A folder open to the learner alone (0700) for files handed to other
    // programs, made on first use, ending with "/"; empty when none can be
    // had, and then tempProblem() says which folder was tried and why.
    virtual QString tempPath() const = 0;
    struct ProblemaCartella {
        QString cartella;
        int errore = 0;    // errno
    };
    virtual ProblemaCartella tempProblem() const { return {}; }
    virtual int installerLanguage() const = 0;         // Windows language id: 1031, 1033, 1034, 1036, 1040
};

// Opens a file of the given type with its application, asking the desktop
// first: false, without trying, when it says no application takes the type
// (then the learner must be told where the file is).
bool ApriConApplicazione(Desktop &desktop, const QString &path, const QString &mimeType);

struct Services {
    Clock *clock = nullptr;
    RandomSource *random = nullptr;
    Sound *sound = nullptr;
    Dialogs *dialogs = nullptr;
    InstanceLock *instance = nullptr;
    Screen *screen = nullptr;
    Keyboard *keyboard = nullptr;
    Printer *printer = nullptr;
    Desktop *desktop = nullptr;
};

// Windows layout ids ("0000040C") to XKB names ("fr"); empty when unknown.
QString xkbNameForLayoutId(const QString &windowsId);
QString layoutIdForXkbName(const QString &xkbName);

// Locale name ("it_IT", "fr") to the Windows language id; 1040 (Italian) when unknown.
int languageIdForLocale(const QString &localeName);

} // namespace platform
