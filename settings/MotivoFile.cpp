#include "settings/MotivoFile.h"

#include <QDir>

#include <cerrno>
#include <cstring>

namespace {

QString t(const TestoLingua &lingua, const char *id, const char *italiano)
{
    return Testo(lingua, QString::fromLatin1(id), QString::fromUtf8(italiano));
}

} // namespace

QString MotivoErrno(int errore, const TestoLingua &lingua)
{
    switch (errore) {
    case ENOENT:
    case ENOTDIR:
        return t(lingua, "0251", "non esiste");
    case EACCES:
    case EPERM:
        return t(lingua, "0252", "permesso negato");
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return t(lingua, "0162", "il disco è pieno");
    case EROFS:
        return t(lingua, "0253", "il disco è di sola lettura");
    default:
        return QString::fromLocal8Bit(std::strerror(errore));
    }
}

QString MotivoLettura(const filesicuri::Lettura &lettura, qint64 maxByte, const TestoLingua &lingua)
{
    using filesicuri::Esito;
    switch (lettura.esito) {
    case Esito::Ok:
        return {};
    case Esito::NonRegolare:
        return t(lingua, "0254", "non è un file normale (una cartella, un dispositivo o una coda)");
    case Esito::TroppoGrande:
        return t(lingua, "0255", "supera il limite di %1 KB").arg((maxByte + 999) / 1000);
    case Esito::Mancante:
        return MotivoErrno(lettura.errore ? lettura.errore : ENOENT, lingua);
    case Esito::Illeggibile:
        break;
    }
    return MotivoErrno(lettura.errore ? lettura.errore : EIO, lingua);
}

QString TestoCartellaTemporanea(const platform::Desktop::ProblemaCartella &problema, const TestoLingua &lingua)
{
    return t(lingua, "0250", "Impossibile usare la cartella temporanea %1 (%2): il file PDF non è stato creato.")
        .arg(QDir::toNativeSeparators(problema.cartella), MotivoErrno(problema.errore, lingua));
}

QString TestoFileLinguaRifiutato(const QString &file, const filesicuri::Lettura &lettura, qint64 maxByte,
                                 const TestoLingua &lingua)
{
    return t(lingua, "0256", "Il file %1 non si può usare (%2): i testi restano in italiano.")
        .arg(QDir::toNativeSeparators(file), MotivoLettura(lettura, maxByte, lingua));
}
