#pragma once
// Exercise and text files are often pasted from a word processor or a web
// page, whose typographic characters may have no key on the learner's
// keyboard. Read through this, "l’été" keeps its apostrophe instead of
// losing it to the key filter.

#include <QString>
#include <functional>

namespace testo {

// Curly quotes and apostrophes, « » (and the blanks inside them), the ellipsis,
// non-breaking and thin spaces and the dashes become what the keyboard types:
// ' " ... a plain blank and a hyphen; œ, Œ and the accented capitals É À Ç È Ê
// become oe, OE and the bare capital. Soft hyphens and zero-width characters,
// which nobody can see, are dropped. With `tipizzabile`, the characters of the
// French writer that the learner's keyboard types (’ « » … — the narrow
// no-break space, œ, É...) stay as they are. Everything else stays too.
QString NormalizzaTipografia(const QString &testo, const std::function<bool(QChar)> &tipizzabile = {});

} // namespace testo
