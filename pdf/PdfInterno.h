// What the parts of the PDF writer share and nobody else needs.
#pragma once

namespace pdfinterno {

constexpr double kPi = 3.141592;   // the writer's own approximation, kept for identical output

// A character as its code page 1252 byte, '?' when it has none.
char ansiByte(char32_t cp);

} // namespace pdfinterno
