#pragma once
// Text helpers shared by every part of the program: the code page 1252 codec
// used at file boundaries, and the number formats shown to the learner.

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <functional>

namespace testo {

// Code page 1252 both ways. A character outside the code page becomes "?".
QString daCp1252(const QByteArray &bytes);
QByteArray aCp1252(const QString &text);

// The code page 1252 value of one character (its "ANSI code"), or -1.
int codiceAnsi(QChar c);
QChar daCodiceAnsi(int code);

// The code a typed character is judged by: its ANSI code, or 256 + its UTF-16
// value when the code page has no such character (so it matches only itself,
// never the "?" it would become in a file). carattereTasto gives it back.
int codiceTasto(QChar c);
QChar carattereTasto(int codice);

// A learner's name made fit to be part of a file name: "/", "\\", control and
// other characters a file name cannot safely hold become "_", a leading "."
// too (no hidden file, no ".."), and the result is cut to at most 200 bytes of
// UTF-8 so that a suffix still fits in a file name.
QString nomeFileSicuro(const QString &nome);

// Decodes a file's bytes: UTF-8 (with or without byte-order mark) when the bytes
// are valid UTF-8, code page 1252 otherwise.
QString decodificaTesto(const QByteArray &bytes);

// Round to nearest, halves to even.
long long arrotonda(double value);

// Formats a number for display: "0", "##0", "0.0", "#.0", "##0.0%", "#0.0%",
// "###,###" with the given locale's separators. Decimals round halves away
// from zero (1 error in 16 keys is 6,3 %); whole numbers halves to even.
QString formato(double value, const QString &pattern, const QLocale &locale = QLocale());

// A text cut at its end, with "…" after what is kept, so that it fits in
// `larghezza` as `misura` measures it; the whole text when it fits.
QString accorcia(const QString &testo, double larghezza, const std::function<double(const QString &)> &misura);

// Two-digit time parts: "hh", "nn" (minutes), "ss".
QString dueCifre(int value);

// The dead keys of the French layouts (Qt key codes): ^ ¨ ` ´ ~ ¸.
bool tastoMorto(int tasto);
// A dead key's accent with the next key's text: "ê" for ^ and "e", the
// accent alone for a blank, the accent then the text when they do not
// compose. Empty when the key is no dead key.
QString componiAccento(int tastoMorto, const QString &testo);

} // namespace testo
