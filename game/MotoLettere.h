#pragma once
// Where the falling characters are between two ticks of the rules. The rules
// move a character a few pixels at each tick (100 ms in the game); the play
// area is drawn at the display's rate, each character placed the fraction of
// the way to the position the next tick gives it. Ticks, speeds and points
// stay the rules' own: at each tick the drawing is exactly where they say.
//
// Stopped (an error's pause, a box over the window, the end), the fraction
// stays where it was, so the characters stand still where they were seen;
// started again, it goes on from there and reaches the next tick with it.
//
//   moto.avvia(ora, 100);  moto.tick(ora);  moto.frazione(ora) -> 0..1

#include <cstdint>

class MotoLettere {
public:
    // The tick timer runs from `ora`, every `intervallo` ms.
    void avvia(int64_t ora, int intervallo);
    // The tick timer stopped at `ora`.
    void ferma(int64_t ora);
    // The rules ticked at `ora`: the characters are at their tops.
    void tick(int64_t ora);
    // A new game or run: characters placed anew, nothing covered yet.
    void azzera();

    bool attivo() const { return attivo_; }
    int intervallo() const { return intervallo_; }
    // How far from the last tick to the next the characters are drawn at `ora`.
    double frazione(int64_t ora) const;

private:
    bool attivo_ = false;
    int intervallo_ = 100;
    int64_t inizio_ = 0;    // when the current stretch began
    double base_ = 0;       // the fraction already covered then
};
