#include "game/MotoLettere.h"

#include <algorithm>

void MotoLettere::avvia(int64_t ora, int intervallo)
{
    // A fresh interval of the timer from now: what is left of the way is
    // covered in it.
    attivo_ = true;
    intervallo_ = std::max(1, intervallo);
    inizio_ = ora;
}

void MotoLettere::ferma(int64_t ora)
{
    if (!attivo_)
        return;
    base_ = frazione(ora);
    attivo_ = false;
}

void MotoLettere::tick(int64_t ora)
{
    base_ = 0;
    inizio_ = ora;
}

void MotoLettere::azzera()
{
    base_ = 0;
}

double MotoLettere::frazione(int64_t ora) const
{
    if (!attivo_)
        return base_;
    const double trascorso = double(ora - inizio_) / double(intervallo_);
    return std::clamp(base_ + (1.0 - base_) * trascorso, 0.0, 1.0);
}
