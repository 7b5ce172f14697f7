#pragma once
// Fakes of every platform service: deterministic time and chance, recorded
// sounds and message boxes answered as the test says.

#include "platform/Services.h"

#include <QImage>

#include <QList>
#include <functional>
#include <deque>
#include <vector>

namespace fake {

class Clock : public platform::Clock {
public:
    QDateTime current{QDate(2026, 1, 5), QTime(9, 0, 0)};
    int64_t ms = 0;
    QDateTime now() const override { return current; }
    int64_t tickMs() const override { return ms; }
    void advance(int seconds) { current = current.addSecs(seconds); ms += seconds * 1000LL; }
};

class Random : public platform::RandomSource {
public:
    std::deque<double> queued;   // values handed out first, in order
    uint32_t state = 12345;
    void seed(uint32_t) override {}
    double next() override;
};

class Sound : public platform::Sound {
public:
    std::vector<int> played;
    void play(int id) override { played.push_back(id); }
};

class Dialogs : public platform::Dialogs {
public:
    struct Shown { QString title, text; Icon icon; Buttons buttons; };
    std::vector<Shown> shown;
    std::deque<Answer> answers;  // next answers; Ok / Yes when empty
    std::function<void(const Shown &)> whileShown;   // runs while the box is "open"
    Answer message(QWidget *, const QString &title, const QString &text, Icon icon,
                   Buttons buttons) override;
};

class InstanceLock : public platform::InstanceLock {
public:
    bool free = true;
    bool tryLock() override { return free; }
};

class Screen : public platform::Screen {
public:
    QSize pixels{1024, 768};
    bool composited = true;
    QSize size() const override { return pixels; }
    std::optional<QRect> area;   // the work area; the whole screen when unset
    QRect workArea() const override { return area.value_or(QRect(QPoint(0, 0), pixels)); }
    bool compositing() const override { return composited; }
};

class Keyboard : public platform::Keyboard {
public:
    bool caps = false;
    int capsSwitchedOff = 0;
    QString layout = "fr";
    QStringList installed{"fr", "us", "it"};
    QStringList activations;
    // The keymap a layout name gives (see keymapXkb); unset: the keymap is unknown.
    std::function<std::optional<Keymap>(const QString &layout)> keymaps;
    bool switchable = true;
    int crashRestores = 0;
    bool capsLockOn() const override { return caps; }
    void capsLockOff() override { caps = false; ++capsSwitchedOff; }
    QString activeLayout() const override { return layout; }
    bool activateLayout(const QString &name) override;
    std::optional<Keymap> keymap() const override { return keymaps ? keymaps(layout) : std::nullopt; }
    bool canSwitch() const override { return switchable; }
    bool restoreAfterCrash() override { ++crashRestores; return false; }
};

// A keymap compiled from xkb-data as the X server would hand it out: "fr",
// "fr(oss)", "us,fr" (several layouts, group 0 active).
std::optional<platform::Keyboard::Keymap> keymapXkb(const QString &nome);

// Prints onto pictures of A4 pages at 96 dpi, kept for the test to look at.
class Printer : public platform::Printer {
public:
    bool present = false;
    QString document;
    std::vector<QImage> pages;
    bool available() const override { return present; }
    bool print(const QString &documento, bool orizzontale, int pagine,
               const Disegno &disegna) override;
};

class Desktop : public platform::Desktop {
public:
    QStringList opened;
    QString temp;
    int language = 1040;
    bool viewer = true;   // false: no program opens a file
    // What the desktop says opens a type: unset, it cannot say; empty, nothing.
    std::optional<QString> gestore;
    QStringList chiesti;   // the types asked about
    std::optional<QString> handler(const QString &mimeType) const override
    {
        const_cast<Desktop *>(this)->chiesti << mimeType;
        return gestore;
    }
    bool openFile(const QString &path) override
    {
        opened << path;
        return viewer;
    }
    ProblemaCartella problema;   // told when temp is empty
    QString tempPath() const override { return temp; }
    ProblemaCartella tempProblem() const override { return problema; }
    int installerLanguage() const override { return language; }
};

// All fakes in one place; services() hands them out as the program's services.
struct Services {
    Clock clock;
    Random random;
    Sound sound;
    Dialogs dialogs;
    InstanceLock instance;
    Screen screen;
    Keyboard keyboard;
    Printer printer;
    Desktop desktop;
    platform::Services services();
};

} // namespace fake
