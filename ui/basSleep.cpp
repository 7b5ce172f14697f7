#include "ui/basSleep.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

void RilascioPausa::rilascia()
{
    m_rilasciata = true;
    emit rilasciataOra();
}

namespace {

// One turn: runs events until the timer fires or the release comes.
// Returns true when released.
bool attendi(int millisecondi, RilascioPausa *rilascio)
{
    QEventLoop ciclo;
    QTimer timer;
    if (millisecondi >= 0) {
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &ciclo, &QEventLoop::quit);
        timer.start(millisecondi);
    }
    QPointer<RilascioPausa> guardia(rilascio);
    if (rilascio)
        QObject::connect(rilascio, &RilascioPausa::rilasciataOra, &ciclo, &QEventLoop::quit);
    ciclo.exec();
    return guardia && guardia->rilasciata();
}

} // namespace

int PauseWithEvents(const platform::Clock &clock, int millisecondi, RilascioPausa *rilascio)
{
    if (rilascio && rilascio->rilasciata())
        return WAIT_OBJECT_0;

    if (millisecondi < 0 && millisecondi != -1)
        millisecondi = 0;

    if (millisecondi == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return (rilascio && rilascio->rilasciata()) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
    }

    if (millisecondi == -1) {
        // Without a release nothing can end this wait; it still keeps events flowing.
        attendi(-1, rilascio);
        return WAIT_OBJECT_0;
    }

    // The tick is 64-bit and monotonic, so the deadline needs no wrap handling.
    const int64_t scadenza = clock.tickMs() + millisecondi;
    int64_t ultimo = clock.tickMs();
    int64_t resto = millisecondi;
    for (;;) {
        if (attendi(int(resto), rilascio))
            return WAIT_OBJECT_0;
        const int64_t adesso = clock.tickMs();
        resto = scadenza - adesso;
        // The timer ran the whole remainder; a clock that did not move (a test
        // clock) or has reached the deadline ends the wait. A live clock that is
        // a little behind the timer gets the rest.
        if (resto <= 0 || adesso == ultimo)
            return WAIT_TIMEOUT;
        ultimo = adesso;
    }
}
