#pragma once
// Why a file or folder could not be used, told in the interface language:
// the common reasons have texts of their own, any other is the system's.

#include "platform/FileSicuri.h"
#include "platform/Services.h"
#include "settings/TestoLingua.h"

#include <QString>

// The reason of an errno ("permesso negato").
QString MotivoErrno(int errore, const TestoLingua &lingua);
// The reason a material file was not read: not a regular file, over the
// limit (in KB), missing or unreadable. Empty when it was read.
QString MotivoLettura(const filesicuri::Lettura &lettura, qint64 maxByte, const TestoLingua &lingua);
// The box for a temporary folder that cannot be used: which folder and why.
QString TestoCartellaTemporanea(const platform::Desktop::ProblemaCartella &problema, const TestoLingua &lingua);
// The box for a language file that is never read (not a regular file, too
// large): which file and why; the texts stay Italian.
QString TestoFileLinguaRifiutato(const QString &file, const filesicuri::Lettura &lettura, qint64 maxByte,
                                 const TestoLingua &lingua);
