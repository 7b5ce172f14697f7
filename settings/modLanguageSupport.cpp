#include "settings/modLanguageSupport.h"

#include "platform/FileSicuri.h"
#include "platform/Services.h"
#include "settings/Impostazioni.h"
#include "settings/IniDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <sys/stat.h>

namespace modLanguageSupport {

namespace {

const QString kNomeTraduzioniQt = QStringLiteral("TraduzioniQt");

bool NomeSicuro(const QString &lingua)
{
    return !lingua.isEmpty() && !lingua.contains(u'/') && !lingua.contains(u'\\') &&
           !lingua.contains(QLatin1String("..")) && !lingua.contains(QChar(0));
}

// The current language's texts, read again only when its file changes on disk.
struct TestiInMemoria {
    QString percorso;
    QByteArray impronta;    // device, inode, size, modification and change times
    bool leggibile = false;
    IniDocument::Section testi;
};

QByteArray Impronta(const QString &percorso)
{
    struct stat st {};
    if (::stat(QFile::encodeName(percorso).constData(), &st) != 0)
        return QByteArray();
    const qint64 campi[] = {qint64(st.st_dev),         qint64(st.st_ino),          qint64(st.st_size),
                            qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec), qint64(st.st_ctim.tv_sec),
                            qint64(st.st_ctim.tv_nsec)};
    return QByteArray(reinterpret_cast<const char *>(campi), sizeof campi);
}

QString TestoLookup(const ::TestoLingua &lingua, const char *id, const char *predefinito)
{
    return Testo(lingua, QString::fromLatin1(id), QString::fromUtf8(predefinito));
}

} // namespace

std::optional<QString> LeggiProfilo(const QByteArray &contenuto, const QString &sezione,
                                    const QString &chiave)
{
    // One character more than a text may have, to tell a long value from a full one.
    // Translators' editors write UTF-8 as often as code page 1252: both read the same.
    std::optional<QString> v = IniDocument::find(IniDocument::conUtf8Riconosciuto(contenuto), sezione, chiave,
                                                 kLunghezzaMassima + 2);
    if (v && v->size() > kLunghezzaMassima)
        return std::nullopt;
    return v;
}

std::optional<QString> LeggiProfilo(const QString &file, const QString &sezione, const QString &chiave)
{
    // Only a regular file, opened without blocking: a FIFO never hangs a window.
    const filesicuri::Lettura l = filesicuri::LeggiFileRegolare(file, kMaxBytesFile);
    if (l.esito != filesicuri::Esito::Ok)
        return std::nullopt;
    return LeggiProfilo(l.dati, sezione, chiave);
}

QString TestoLingua(const QString &file, const QString &id)
{
    return LeggiProfilo(file, kSezione, id).value_or(QString()).trimmed();
}

QString TestoOPredefinito(const std::optional<QString> &dalFile, const QString &predefinito)
{
    const QString testo = dalFile ? dalFile->trimmed() : QString();
    if (testo.isEmpty())
        return predefinito;
    qsizetype inizio = 0, fine = predefinito.size();
    while (inizio < fine && predefinito.at(inizio).isSpace())
        ++inizio;
    while (fine > inizio && predefinito.at(fine - 1).isSpace())
        --fine;
    return predefinito.left(inizio) + testo + predefinito.mid(fine);
}

::TestoLingua CreaTestoLingua(std::function<QString()> file)
{
    auto memoria = std::make_shared<TestiInMemoria>();
    return [file = std::move(file), memoria](const QString &id, const QString &predefinito) {
        const QString percorso = file ? file() : QString();
        if (percorso.isEmpty())
            return predefinito;
        // A file that cannot be looked at is tried again at every call.
        const QByteArray impronta = Impronta(percorso);
        if (impronta.isEmpty() || impronta != memoria->impronta || percorso != memoria->percorso) {
            const filesicuri::Lettura l = filesicuri::LeggiFileRegolare(percorso, kMaxBytesFile);
            memoria->percorso = percorso;
            memoria->impronta = impronta;
            memoria->leggibile = l.esito == filesicuri::Esito::Ok;
            memoria->testi = memoria->leggibile
                                 ? IniDocument::readSection(IniDocument::conUtf8Riconosciuto(l.dati), kSezione,
                                                            kLunghezzaMassima + 2)
                                 : IniDocument::Section();
        }
        std::optional<QString> testo = memoria->leggibile ? memoria->testi.find(id) : std::nullopt;
        if (testo && testo->size() > kLunghezzaMassima)
            testo.reset();   // a text cut short would be shown wrong
        return TestoOPredefinito(testo, predefinito);
    };
}

QString FileDellaLingua(const QString &cartellaProgramma, const QString &lingua)
{
    if (!NomeSicuro(lingua))
        return QString();
    const QString esatto = fileLingua(cartellaProgramma, lingua);
    if (QFileInfo(esatto).isFile())
        return esatto;
    const QDir cartella(cartellaProgramma + QStringLiteral("Lang"));
    for (const QFileInfo &f : cartella.entryInfoList(QDir::Files, QDir::Name))
        if (f.suffix().compare(QLatin1String("lng"), Qt::CaseInsensitive) == 0 &&
            f.completeBaseName().compare(lingua, Qt::CaseInsensitive) == 0)
            return f.filePath();
    return esatto;
}

bool FileLinguaPresente(const QString &cartellaProgramma, const QString &lingua)
{
    return ProblemaFileLingua(cartellaProgramma, lingua).esito == filesicuri::Esito::Ok;
}

filesicuri::Lettura ProblemaFileLingua(const QString &cartellaProgramma, const QString &lingua)
{
    return filesicuri::LeggiFileRegolare(FileDellaLingua(cartellaProgramma, lingua), kMaxBytesFile, true);
}

QStringList LingueDisponibili(const QString &cartellaProgramma)
{
    QStringList nomi;
    const QDir cartella(cartellaProgramma + QStringLiteral("Lang"));
    for (const QFileInfo &f : cartella.entryInfoList(QDir::Files, QDir::Name))
        if (f.suffix().compare(QLatin1String("lng"), Qt::CaseInsensitive) == 0 &&
            !f.completeBaseName().isEmpty())
            nomi << f.completeBaseName();
    return nomi;
}

QString LinguaInstallatore(const platform::Desktop *desktop)
{
    return desktop ? QString::number(desktop->installerLanguage()) : QString();
}

QString LinguaDaValoreInstallatore(const QString &valore)
{
    bool ok = false;
    const int id = valore.trimmed().toInt(&ok);
    return linguaDaInstallatore(ok ? id : 0);
}

ElencoLingue ElencoPerFinestra(const QString &cartellaProgramma, const QString &linguaCorrente)
{
    ElencoLingue elenco;
    elenco.voci = LingueDisponibili(cartellaProgramma);
    elenco.selezionata = -1;
    bool italianoDaFile = false;
    for (int i = 0; i < elenco.voci.size(); ++i) {
        if (elenco.selezionata < 0 && elenco.voci[i].compare(linguaCorrente, Qt::CaseInsensitive) == 0)
            elenco.selezionata = i;
        italianoDaFile |= elenco.voci[i].compare(kItaliano, Qt::CaseInsensitive) == 0;
    }
    if (!italianoDaFile) {
        elenco.voci << kVoceItaliano;
        if (elenco.selezionata < 0)
            elenco.selezionata = int(elenco.voci.size()) - 1;
    }
    if (elenco.selezionata < 0)
        elenco.selezionata = 0;
    return elenco;
}

QString LinguaDellaVoce(const QString &voce)
{
    return voce == kVoceItaliano ? kItaliano : voce;
}

QString TestoInformazioni(const ::TestoLingua &lingua, bool fileLinguaPresente, const QString &linguaCorrente)
{
    const QString capo = QStringLiteral("\r\n");
    if (!fileLinguaPresente)
        return QStringLiteral("Lingua attuale: Italiano [Default]") + capo + capo +
               QStringLiteral("Autore: [Default]");
    const auto chiave = [&lingua](const char *nome) {
        return Testo(lingua, QString::fromLatin1(nome), QString()).trimmed();
    };
    QString autore = chiave("InfoAuthor");
    if (autore.isEmpty()) {
        autore = TestoLookup(lingua, "0561", "Sconosciuto");
    } else {
        const QString posta = chiave("MailAuthor");
        if (!posta.isEmpty())
            autore += capo + posta;
    }
    return TestoLookup(lingua, "0206", "Lingua attuale:") + QStringLiteral(" ") + NomeLingua(lingua, linguaCorrente) + capo +
           capo + TestoLookup(lingua, "0207", "Autore:") + QStringLiteral(" ") + autore;
}

QString NomeLingua(const ::TestoLingua &lingua, const QString &nome)
{
    struct Nome {
        const char *inglese, *id, *italiano;
    };
    static const Nome nomi[] = {{"English", "0555", "Inglese"}, {"French", "0556", "Francese"},
                                {"German", "0557", "Tedesco"},  {"Spanish", "0558", "Spagnolo"},
                                {"Italian", "0559", "Italiano"}};
    for (const Nome &n : nomi)
        if (nome.compare(QLatin1String(n.inglese), Qt::CaseInsensitive) == 0)
            return TestoLookup(lingua, n.id, n.italiano);
    return nome;
}

QString NomeVoce(const ::TestoLingua &lingua, const QString &voce)
{
    if (voce == kVoceItaliano)
        return NomeLingua(lingua, kItaliano) + QStringLiteral(" ") + TestoLookup(lingua, "0560", "[Default]");
    return NomeLingua(lingua, voce);
}

QLocale LocaleInterfaccia(const QString &linguaCorrente, bool fileLinguaPresente)
{
    const QLocale locale = LocaleDellaLingua(fileLinguaPresente ? linguaCorrente : kItaliano);
    return locale.language() == QLocale::C ? QLocale(QLocale::Italian, QLocale::Italy) : locale;
}

QString FormatoDataLunga(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::German:
        return QStringLiteral("dddd, dd. MMMM yyyy");
    case QLocale::French:
        return QStringLiteral("dddd dd MMMM yyyy");
    case QLocale::Spanish:
        return QStringLiteral("dddd, dd 'de' MMMM 'de' yyyy");
    default:
        return QStringLiteral("dddd, dd MMMM yyyy");
    }
}

QString DuePunti(const QLocale &locale)
{
    return locale.language() == QLocale::French ? QStringLiteral("\u00A0:") : QStringLiteral(":");
}

QLocale LocaleDellaLingua(const QString &lingua)
{
    const QString nome = LinguaDellaVoce(lingua.trimmed());
    for (int l = QLocale::AnyLanguage + 1; l <= QLocale::LastLanguage; ++l) {
        const auto linguaQt = static_cast<QLocale::Language>(l);
        if (QLocale::languageToString(linguaQt).compare(nome, Qt::CaseInsensitive) == 0)
            return QLocale(linguaQt);
    }
    return QLocale::c();
}

bool InstallaTraduzioniQt(const QString &lingua)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    const QLocale locale = LocaleDellaLingua(lingua);
    const QList<QTranslator *> installate =
        app->findChildren<QTranslator *>(kNomeTraduzioniQt, Qt::FindDirectChildrenOnly);
    // The same language again (the main window and the language window both
    // ask after a change): the file is not read twice.
    if (installate.size() == 1 && installate.front()->property("locale").toString() == locale.name())
        return true;
    for (QTranslator *vecchia : installate) {
        QCoreApplication::removeTranslator(vecchia);
        delete vecchia;
    }
    if (locale.language() == QLocale::C || locale.language() == QLocale::English)
        return false;
    auto *traduzioni = new QTranslator(app);
    traduzioni->setObjectName(kNomeTraduzioniQt);
    traduzioni->setProperty("locale", locale.name());
    if (!traduzioni->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduzioni;
        return false;
    }
    QCoreApplication::installTranslator(traduzioni);
    return true;
}

} // namespace modLanguageSupport
