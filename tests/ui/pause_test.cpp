#include "ui/basSleep.h"
#include "tests/support/FakeServices.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>

namespace {

// A clock that moves, for the pauses that must really last.
class OrologioVero : public platform::Clock {
public:
    QDateTime now() const override { return {}; }
    int64_t tickMs() const override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

TEST(Pause, zeroMilliseconds_runsPendingEventsOnceAndTimesOut)
{
    fake::Clock clock;
    int chiamate = 0;
    QTimer::singleShot(0, [&] { ++chiamate; });
    EXPECT_EQ(PauseWithEvents(clock, 0), WAIT_TIMEOUT);
    EXPECT_EQ(chiamate, 1);
}

TEST(Pause, timedPause_lastsItsTimeAndKeepsTimersRunning)
{
    OrologioVero clock;
    int battiti = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++battiti; });
    timer.start(5);
    const int64_t inizio = clock.tickMs();
    EXPECT_EQ(PauseWithEvents(clock, 60), WAIT_TIMEOUT);
    EXPECT_GE(clock.tickMs() - inizio, 60);
    EXPECT_GT(battiti, 0);
}

TEST(Pause, frozenTestClock_stillEndsAfterTheRealTime)
{
    fake::Clock clock;
    EXPECT_EQ(PauseWithEvents(clock, 5), WAIT_TIMEOUT);
}

TEST(Pause, release_endsTimedAndUnlimitedPauses)
{
    fake::Clock clock;
    RilascioPausa rilascio;
    QTimer::singleShot(10, &rilascio, &RilascioPausa::rilascia);
    EXPECT_EQ(PauseWithEvents(clock, 60000, &rilascio), WAIT_OBJECT_0);

    // Already released: returns at once, until re-armed.
    EXPECT_EQ(PauseWithEvents(clock, -1, &rilascio), WAIT_OBJECT_0);
    rilascio.riarma();
    QTimer::singleShot(10, &rilascio, &RilascioPausa::rilascia);
    EXPECT_EQ(PauseWithEvents(clock, -1, &rilascio), WAIT_OBJECT_0);
    EXPECT_TRUE(rilascio.rilasciata());
}

TEST(Pause, reentrantPauseFromAHandler_bothEnd)
{
    fake::Clock clock;
    int interne = 0;
    QTimer::singleShot(1, [&] {
        EXPECT_EQ(PauseWithEvents(clock, 5), WAIT_TIMEOUT);
        ++interne;
    });
    EXPECT_EQ(PauseWithEvents(clock, 30), WAIT_TIMEOUT);
    EXPECT_EQ(interne, 1);
}

TEST(Pause, negativeTimeOtherThanUnlimited_actsAsZero)
{
    fake::Clock clock;
    EXPECT_EQ(PauseWithEvents(clock, -7), WAIT_TIMEOUT);
}

} // namespace
