#pragma once
// The fonts standing in for the original design's Windows fonts.

#include <QFont>

// "Arial": Liberation Sans (same metrics). Symbols it lacks (arrows, ⌫) come
// straight from DejaVu Sans rather than from whatever fontconfig tries first.
QFont FontTesto(double punti, bool grassetto = false);
// "Courier New": Liberation Mono.
QFont FontMonospazio(double punti, bool grassetto = false);
// The symbol fonts ("Wingdings" and kin) and "Verdana": DejaVu Sans.
QFont FontSimboli(double punti, bool grassetto = false);
