#pragma once
// The game's best totals: TastaviaWinner.ini in the program folder, one
// section per learner (named as the learner's name), keys "Difficulty1" to
// "Difficulty3" for the three levels, each the best final total as a decimal
// integer. Read and written through the shared IniManager. Without a learner
// name the file is never touched.

#include "settings/IniManager.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

using RecordLivelli = std::array<int32_t, 3>;

// The file's path: the program folder (ending with "/") and "TastaviaWinner.ini".
QString FileRecord(const QString &cartellaProgramma);

// The key of a level 0..2: "Difficulty1".."Difficulty3".
QString ChiaveRecord(int livello);

// A stored value as a best total: empty or not a number (by the locale's
// rules, or plain digits) gives 0; a fraction goes to the nearest integer,
// halves to even; a number beyond 32 bits gives nullopt (a failed conversion).
std::optional<int32_t> ValoreRecord(const QString &testo, const QLocale &locale = QLocale());

// The three best totals of the learner. A level whose value does not fit in
// 32 bits keeps its entry of `attuali`. Nothing is read for an empty name.
RecordLivelli LeggiRecord(IniManager &ini, const QString &file, const QString &nomeUtente,
                          const RecordLivelli &attuali);

// Writes the total of one level. False when refused (no name, a level outside
// 0..2) or when the write failed; the caller goes on either way.
bool ScriviRecord(IniManager &ini, const QString &file, const QString &nomeUtente, int livello,
                  int32_t totale);
