#pragma once
// The 45 built-in French sentences: 1..15 level 1, 16..30 level 2,
// 31..45 level 3 (two lines joined by CR LF).

#include <QString>

// Sentence number 1..45; any other number gives an empty string.
QString FraseInterna(int numero);
