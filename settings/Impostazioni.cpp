#include "settings/Impostazioni.h"

#include "settings/IniManager.h"
#include "settings/modLanguageSupport.h"

#include <cmath>

namespace {

// The option read with its default, an empty value counting as missing.
QString leggiOpzione(IniManager &ini, const QString &chiave, const QString &predefinito)
{
    const QString v = ini.Leggi(chiave, predefinito);
    return v.isEmpty() ? predefinito : v;
}

// A numeric text as an integer, rounded half to even; false when it is not a number.
bool comeIntero(const QString &text, int &out)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > 2147483647.0)
        return false;
    out = int(std::nearbyint(d));
    return true;
}

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace

QString fileImpostazioni(const QString &cartellaProgramma)
{
    return cartellaProgramma + QStringLiteral("Tastavia.ini");
}

QString fileSegnalibri(const QString &cartellaProgramma)
{
    return cartellaProgramma + QStringLiteral("CorsoDattilo/Tastavia.bmk");
}

QString fileLingua(const QString &cartellaProgramma, const QString &lingua)
{
    return cartellaProgramma + QStringLiteral("Lang/") + lingua + QStringLiteral(".lng");
}

QString linguaDaInstallatore(int languageId)
{
    switch (languageId) {
    case 1031: return QStringLiteral("German");
    case 1033: return QStringLiteral("English");
    case 1034: return QStringLiteral("Spanish");
    case 1036: return QStringLiteral("French");
    default: return QStringLiteral("Italian");
    }
}

void CaricaImpostazioni(IniManager &gestoreIni, const QString &cartellaProgramma,
                        int installerLanguage, Impostazioni &imp)
{
    gestoreIni.setNome(fileImpostazioni(cartellaProgramma));
    gestoreIni.setSezione(QStringLiteral("Language"));
    imp.linguaCorrente = gestoreIni.Leggi(QStringLiteral("CurrentLanguage"), QString());
    if (imp.linguaCorrente.isEmpty())
        imp.linguaCorrente = linguaDaInstallatore(installerLanguage);

    // The name comes from a file anyone can edit: it never leads out of Lang/.
    imp.fileLinguaPresente = modLanguageSupport::FileLinguaPresente(cartellaProgramma, imp.linguaCorrente);

    gestoreIni.setSezione(QStringLiteral("Options"));
    imp.divisioneErgonomica = leggiOpzione(gestoreIni, QStringLiteral("Ergonomic"), QStringLiteral("0")) != u"0";
    imp.suonoAttivo = leggiOpzione(gestoreIni, QStringLiteral("Song"), QStringLiteral("1")) != u"0";
    imp.mappaTastiAttiva = leggiOpzione(gestoreIni, QStringLiteral("KeyMap"), QStringLiteral("1")) != u"0";
    imp.evidenziaAttivo = leggiOpzione(gestoreIni, QStringLiteral("Highlight"), QStringLiteral("1")) != u"0";

    // The colour menu knows schemes 0..10 only; anything else falls back to 0.
    int schema = 0;
    if (!comeIntero(leggiOpzione(gestoreIni, QStringLiteral("BackColor"), QStringLiteral("0")), schema)
        || schema < 0 || schema > 10)
        schema = 0;
    imp.schemaColori = schema;

    imp.indiceModo = leggiOpzione(gestoreIni, QStringLiteral("Category"), QStringLiteral("0")) == u"1" ? 1 : 0;

    int semplice = 0;
    imp.tastieraSemplice =
        comeIntero(leggiOpzione(gestoreIni, QStringLiteral("SimpleKeyb"), QStringLiteral("0")), semplice)
        && semplice != 0;
}

bool SalvaImpostazioni(IniManager &gestoreIni, const QString &cartellaProgramma, const Impostazioni &imp)
{
    gestoreIni.setNome(fileImpostazioni(cartellaProgramma));
    gestoreIni.setSezione(QStringLiteral("Options"));
    bool ok = true;
    // Each write is tried even after a failure, as the program ignores them one by one.
    ok &= gestoreIni.Scrivi(QStringLiteral("Ergonomic"), flag(imp.divisioneErgonomica)) != 0;
    ok &= gestoreIni.Scrivi(QStringLiteral("Song"), flag(imp.suonoAttivo)) != 0;
    ok &= gestoreIni.Scrivi(QStringLiteral("KeyMap"), flag(imp.mappaTastiAttiva)) != 0;
    ok &= gestoreIni.Scrivi(QStringLiteral("Highlight"), flag(imp.evidenziaAttivo)) != 0;
    ok &= gestoreIni.Scrivi(QStringLiteral("SimpleKeyb"), flag(imp.tastieraSemplice)) != 0;
    ok &= gestoreIni.Scrivi(QStringLiteral("BackColor"), QString::number(imp.schemaColori)) != 0;
    ok &= gestoreIni.Scrivi(QStringLiteral("Category"), QString::number(imp.indiceModo)) != 0;
    gestoreIni.setSezione(QStringLiteral("Language"));
    ok &= gestoreIni.Scrivi(QStringLiteral("CurrentLanguage"), imp.linguaCorrente) != 0;
    return ok;
}
