#pragma once
// The fonts standing in for the original design's Windows fonts.

#include <QFont>

// "Arial": Liberation Sans (same metrics). Symbols it lacks (arrows, ⌫) come
// straight from DejaVu Sans rather than from whatever fontconfig tries first.
QFont FontTesto(int punti, bool grassetto = false);
// "Courier New": Liberation Mono.
QFont FontMonospazio(int punti, bool grassetto = false);
// The symbol fonts ("Wingdings" and kin) and "Verdana": DejaVu Sans.
QFont FontSimboli(int punti, bool grassetto = false);
