#pragma once
// A pause that keeps the interface alive: timers, painting and input go on
// while it waits, in a nested event loop (never a busy loop).

#include "platform/Services.h"

#include <QObject>
#include <functional>

// Lets a pause end before its time (or ends a pause without limit).
class RilascioPausa : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void rilascia();
    bool rilasciata() const { return m_rilasciata; }
    void riarma() { m_rilasciata = false; }

signals:
    void rilasciataOra();

private:
    bool m_rilasciata = false;
};

constexpr int WAIT_OBJECT_0 = 0;    // released through the RilascioPausa
constexpr int WAIT_TIMEOUT = 258;   // the time is over

// Waits the given milliseconds while dispatching events; -1 waits until the
// release is signalled (with no release it waits for ever, as asked). 0 lets
// pending events run once. Returns WAIT_TIMEOUT or WAIT_OBJECT_0. Handlers
// that run inside the pause may re-enter the caller.
int PauseWithEvents(const platform::Clock &clock, int millisecondi, RilascioPausa *rilascio = nullptr);

// PauseWithEvents bound to a clock, for code that takes the pause as a function
// (tests hand in one that only records). The clock must outlive the function.
inline std::function<int(int)> PausaConEventi(const platform::Clock &clock)
{
    return [&clock](int millisecondi) { return PauseWithEvents(clock, millisecondi); };
}
