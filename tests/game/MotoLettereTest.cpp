// The characters' way between two ticks: where the drawing is at each moment,
// through ticks, a freeze and the start again.

#include "game/MotoLettere.h"

#include <gtest/gtest.h>

TEST(MotoLettere, fractionGrowsToTheNextTick_standsStillWhenStopped_andGoesOnFromThere)
{
    MotoLettere m;
    EXPECT_DOUBLE_EQ(m.frazione(0), 0.0);   // nothing moves before the timer runs
    m.avvia(1000, 100);
    m.tick(1000);
    const struct {
        int64_t ora;
        double attesa;
    } passi[] = {{1000, 0.0}, {1025, 0.25}, {1099, 0.99}, {1130, 1.0}};   // late tick: stays at the next place
    for (const auto &p : passi)
        EXPECT_DOUBLE_EQ(m.frazione(p.ora), p.attesa) << p.ora;

    m.tick(1100);
    m.ferma(1160);   // an error's pause: 60 % of the way
    EXPECT_DOUBLE_EQ(m.frazione(1160), 0.6);
    EXPECT_DOUBLE_EQ(m.frazione(2500), 0.6);
    m.avvia(2500, 100);   // the timer's fresh interval covers the rest
    EXPECT_DOUBLE_EQ(m.frazione(2500), 0.6);
    EXPECT_DOUBLE_EQ(m.frazione(2550), 0.8);
    EXPECT_DOUBLE_EQ(m.frazione(2600), 1.0);
    m.tick(2600);
    EXPECT_DOUBLE_EQ(m.frazione(2600), 0.0);

    m.ferma(2650);
    m.azzera();   // a new game: its characters start at their tops
    EXPECT_DOUBLE_EQ(m.frazione(3000), 0.0);
}
