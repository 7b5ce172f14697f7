#pragma once
// Exercise and text files are often pasted from a word processor or a web
// page, whose typographic characters have no key on the keyboard. Read through
// this, "l’été" keeps its apostrophe instead of losing it to the key filter.

#include <QString>

namespace testo {

// Curly quotes and apostrophes, « » (and the blanks inside them), the ellipsis,
// non-breaking and thin spaces and the dashes become what the keyboard types:
// ' " ... a plain blank and a hyphen. Soft hyphens and zero-width characters,
// which nobody can see, are dropped. Everything else stays as it is.
QString NormalizzaTipografia(const QString &testo);

} // namespace testo
