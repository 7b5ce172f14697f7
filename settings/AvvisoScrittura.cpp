#include "settings/AvvisoScrittura.h"

#include "settings/IniManager.h"

#include <QDir>

namespace {

// Language id and built-in text of each reason, SolaLettura to Altro.
const struct {
    const char *id;
    const char *italiano;
} kMotivi[] = {
    {"0161", "il file è di sola lettura"},
    {"0162", "il disco è pieno"},
    {"0163", "la cartella non consente di scrivere"},
    {"0164", "il file è bloccato da un altro programma"},
    {"0165", "errore di scrittura"},
};

} // namespace

QString AvvisoScrittura::testo(const char *id, const QString &italiano) const
{
    const QString tradotto = m_testoLingua ? m_testoLingua(QString::fromLatin1(id)) : QString();
    return tradotto.isEmpty() ? italiano : tradotto;
}

QString AvvisoScrittura::Testo(const ErroreScrittura &errore) const
{
    const bool noto = errore.motivo >= ErroreScrittura::SolaLettura && errore.motivo <= ErroreScrittura::Altro;
    const auto &motivo = kMotivi[(noto ? int(errore.motivo) : int(ErroreScrittura::Altro)) - 1];
    const QString perche = testo(motivo.id, QString::fromUtf8(motivo.italiano));
    return testo(kIdMessaggio, QStringLiteral("Impossibile salvare il file %1 (%2). Tastavia continua, "
                                              "ma queste modifiche non saranno ricordate al prossimo avvio."))
        .arg(QDir::toNativeSeparators(errore.file), perche);
}

int AvvisoScrittura::Avvisa(IniManager &gestoreIni, platform::Dialogs &dialogs, QWidget *parent)
{
    int mostrati = 0;
    for (const ErroreScrittura &errore : gestoreIni.prendiErrori()) {
        if (m_avvisati.contains(errore.file))
            continue;
        m_avvisati.insert(errore.file);
        dialogs.message(parent, QStringLiteral("Tastavia"), Testo(errore), platform::Dialogs::Warning,
                        platform::Dialogs::Ok);
        ++mostrati;
    }
    return mostrati;
}
