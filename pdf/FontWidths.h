#pragma once
// Width tables of the built-in font families (see FontWidths.cpp).
#include <cstdint>

namespace pdfwidths {

extern const int16_t kArialRegular[224];     // codes 32..255
extern const int16_t kArialBold[224];
extern const int16_t kArialItalic[224];
extern const int16_t kArialBoldItalic[224];
extern const int16_t kSymbol[226];           // codes 30..255, every style

} // namespace pdfwidths
