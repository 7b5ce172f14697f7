#include "settings/Segnalibro.h"

#include "settings/Impostazioni.h"
#include "settings/IniManager.h"

QString nomeSenzaEstensioneSegnalibro(const QString &percorso)
{
    QString nome = percorso.mid(percorso.lastIndexOf(u'/') + 1);
    const qsizetype punto = nome.indexOf(u'.');
    if (punto >= 0)
        nome.truncate(punto);
    return nome;
}

QString LeggiSegnalibro(IniManager &gestoreIni, const QString &cartellaProgramma, const QString &nomeUtente)
{
    if (nomeUtente.isEmpty())
        return QString();
    gestoreIni.setNome(fileSegnalibri(cartellaProgramma));
    gestoreIni.setSezione(nomeUtente);
    return gestoreIni.Leggi(QStringLiteral("Bookmark"), QString());
}

void SalvaSegnalibro(IniManager &gestoreIni, platform::Dialogs &dialogs, QWidget *parent,
                     const QString &cartellaProgramma, const QString &nomeUtente,
                     const QString &fileEsercizio, bool ultimaVoce, const QStringList &messaggi17a22)
{
    if (nomeUtente.isEmpty())
        return;
    gestoreIni.setNome(fileSegnalibri(cartellaProgramma));
    gestoreIni.setSezione(nomeUtente);
    if (ultimaVoce) {
        gestoreIni.CancellaSezione();
        return;
    }
    const auto risposta = dialogs.message(parent, QStringLiteral("Tastavia"),
                                          messaggi17a22.join(QStringLiteral("\r\n")),
                                          platform::Dialogs::Question, platform::Dialogs::YesNoCancel);
    if (risposta == platform::Dialogs::AnsYes)
        gestoreIni.Scrivi(QStringLiteral("Bookmark"), nomeSenzaEstensioneSegnalibro(fileEsercizio));
    else if (risposta == platform::Dialogs::AnsNo)
        gestoreIni.CancellaSezione();
}

int IndiceSegnalibro(const QStringList &voci, const QString &segnalibro)
{
    if (segnalibro.isEmpty())
        return 0;
    const qsizetype at = voci.indexOf(segnalibro);
    return (at >= 0 && at + 1 < voci.size()) ? int(at + 1) : 0;
}
