// The process entry.

#include "app/Composizione.h"
#include "app/IstanzaUnica.h"
#include "app/LineaDiComando.h"
#include "mainwindow/frmClavora.h"
#include "practice/modClavora.h"
#include "platform/SystemServices.h"
#include "ui/Caratteri.h"
#include "ui/basSleep.h"
#include "ui/Immagini.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QProxyStyle>
#include <QSaveFile>
#include <QSet>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Balloon texts appear quickly and stay long enough to be read.
class StileTastavia : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *ritorno) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 100;
        return QProxyStyle::styleHint(hint, option, widget, ritorno);
    }
};

// A session that ends (logout, kill) sends SIGTERM: the main window still
// closes as usual, saving the settings and giving back the keyboard layout.
// The handler only writes a byte to a pipe; the event loop does the rest.
int pipeSegnali[2] = {-1, -1};

void suSegnale(int)
{
    const int errnoPrima = errno;
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(pipeSegnali[1], &c, 1);
    errno = errnoPrima;
}

} // namespace

void ChiudiAiSegnali(QObject *proprietario)
{
    if (pipeSegnali[0] < 0 && ::pipe2(pipeSegnali, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifica = new QSocketNotifier(pipeSegnali[0], QSocketNotifier::Read, proprietario);
    QObject::connect(notifica, &QSocketNotifier::activated, proprietario, [] {
        char c;
        while (::read(pipeSegnali[0], &c, 1) > 0) {
        }
        // Closing the main window closes, and may delete, every other window:
        // the list of windows is not walked on once the main one is found.
        frmClavora *principale = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if ((principale = qobject_cast<frmClavora *>(w)))
                break;
        if (principale) {
            principale->Form_Unload();   // also when it is not shown yet
            principale->hide();
        } else {
            QCoreApplication::exit(0);
        }
    });
    struct sigaction sa {};
    sa.sa_handler = suSegnale;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int segnale : {SIGTERM, SIGINT, SIGHUP})
        sigaction(segnale, &sa, nullptr);
}

namespace {

// Where an installation keeps its read-only data, seen from the executable's
// folder; the build sets it from the install layout.
#ifndef TASTAVIA_DATI_INSTALLATI
#define TASTAVIA_DATI_INSTALLATI "../../share/tastavia"
#endif

// The record of what was copied into the learner's folder, one line per
// shipped file: the checksum of the copy placed there, the size and time of the
// shipped file it came from, and its path. With it a newer package can tell a
// copy nobody touched (refreshed) from one the learner changed (kept).
const char *const fileCopie = ".copie-installate";

struct Copia {
    QByteArray impronta;   // empty: the copy did not come from us
    qint64 dimensione = -1;
    qint64 data = -1;
};

QMap<QString, Copia> leggiCopie(const QString &percorso)
{
    QMap<QString, Copia> copie;
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return copie;
    while (!f.atEnd()) {
        QByteArray riga = f.readLine();
        if (riga.endsWith('\n'))
            riga.chop(1);
        const QList<QByteArray> campi = riga.split('\t');
        if (campi.size() != 4)
            continue;   // a damaged line: that file is simply treated as unknown
        copie.insert(QString::fromUtf8(campi[3]),
                     {campi[0], campi[1].toLongLong(), campi[2].toLongLong()});
    }
    return copie;
}

void scriviCopie(const QString &percorso, const QMap<QString, Copia> &copie)
{
    QSaveFile f(percorso);
    if (!f.open(QIODevice::WriteOnly))
        return;
    for (auto c = copie.cbegin(); c != copie.cend(); ++c)
        f.write(c->impronta + '\t' + QByteArray::number(c->dimensione) + '\t' +
                QByteArray::number(c->data) + '\t' + c.key().toUtf8() + '\n');
    f.commit();
}

QByteArray impronta(const QString &percorso)
{
    QFile f(percorso);
    QCryptographicHash h(QCryptographicHash::Sha256);
    if (!f.open(QIODevice::ReadOnly) || !h.addData(&f))
        return {};
    return h.result().toHex();
}

// Replaces the whole file or nothing: a crash never leaves half a lesson.
bool copiaIntera(const QString &da, const QString &a)
{
    QFile sorgente(da);
    QSaveFile destinazione(a);
    if (!sorgente.open(QIODevice::ReadOnly) || !destinazione.open(QIODevice::WriteOnly))
        return false;
    char blocco[65536];
    for (qint64 n; (n = sorgente.read(blocco, sizeof blocco)) > 0;)
        if (destinazione.write(blocco, n) != n)
            return false;
    return sorgente.error() == QFileDevice::NoError && destinazione.commit();
}

// Brings the learner's folder up to the shipped data: new shipped files are
// copied (so a newer package's lessons appear), copies still as we placed them
// follow a changed shipped file, and a copy the learner changed is never
// overwritten. A copy the learner deleted stays deleted; a copy of a file no
// longer shipped goes when nobody changed it. Only the shipped files that
// changed since the last start are read.
void semina(const QString &sorgente, bool soloCartelle, const QString &destinazione)
{
    const QString registro = destinazione + "/" + fileCopie;
    QMap<QString, Copia> copie = leggiCopie(registro);
    bool cambiate = false;
    QSet<QString> spediti;
    const QDir radice(sorgente);
    QDirIterator it(sorgente, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo spedito(it.next());
        const QString relativo = radice.relativeFilePath(spedito.filePath());
        if (soloCartelle && !relativo.contains('/'))
            continue;   // beside a program: the program itself, its settings
        spediti.insert(relativo);
        const QString copia = destinazione + "/" + relativo;
        const qint64 data = spedito.lastModified().toMSecsSinceEpoch();
        const auto noto = copie.constFind(relativo);
        const bool visto = noto != copie.cend() && noto->dimensione == spedito.size() && noto->data == data;
        const bool esiste = QFileInfo::exists(copia) || QFileInfo(copia).isSymLink();
        if (visto && esiste)
            continue;
        if (noto != copie.cend() && !esiste)
            continue;   // copied once and deleted by the learner: not brought back

        Copia nuova{{}, spedito.size(), data};
        if (!esiste) {
            QDir().mkpath(QFileInfo(copia).path());
            if (!copiaIntera(spedito.filePath(), copia))
                continue;
            nuova.impronta = impronta(copia);
        } else {
            const QByteArray attuale = impronta(copia);
            const QByteArray daSpedire = impronta(spedito.filePath());
            const bool intatta = noto != copie.cend() && !noto->impronta.isEmpty() && attuale == noto->impronta;
            if (attuale == daSpedire)
                nuova.impronta = attuale;
            else if (intatta && copiaIntera(spedito.filePath(), copia))
                nuova.impronta = daSpedire;
            else if (intatta)
                continue;   // not replaced this time: try again at the next start
            // Otherwise the learner's own version: kept, and this shipped file
            // is remembered as seen so it is not read again at every start.
        }
        copie.insert(relativo, nuova);
        cambiate = true;
    }
    // Files a newer package no longer ships. An empty or unreadable shipped
    // folder says nothing about what was withdrawn.
    for (auto c = copie.begin(); !spediti.isEmpty() && c != copie.end();) {
        if (spediti.contains(c.key())) {
            ++c;
            continue;
        }
        const QString copia = destinazione + "/" + c.key();
        if (!c->impronta.isEmpty() && QFileInfo(copia).isFile() && !QFileInfo(copia).isSymLink() &&
            impronta(copia) == c->impronta)
            QFile::remove(copia);
        // Changed by the learner: the file is the learner's from now on.
        c = copie.erase(c);
        cambiate = true;
    }
    if (cambiate)
        scriviCopie(registro, copie);
}

} // namespace

// The program folder. An installation (its data found where the install layout
// puts it, relative to the executable) and a read-only program folder use a data
// folder of the learner's, seeded from the shipped data with the same layout;
// a writable folder holding the program and its data (the build folder) is used
// as it is. Files the learner changed there are never overwritten.
QString CartellaProgramma(const QString &cartellaEseguibile, const QString &cartellaDati,
                          bool eseguibileScrivibile)
{
    const QString installati = QDir::cleanPath(cartellaEseguibile + "/" TASTAVIA_DATI_INSTALLATI);
    const bool installato = QFileInfo(installati).isDir();
    if (!installato && eseguibileScrivibile)
        return cartellaEseguibile + "/";
    if (!QDir().mkpath(cartellaDati))
        // No folder of the learner's (no home, a full disk): practise from the
        // shipped data; settings writes then fail as on any read-only folder.
        return (installato ? installati : cartellaEseguibile) + "/";
    if (installato)
        semina(installati, false, cartellaDati);
    else
        semina(cartellaEseguibile, true, cartellaDati);
    return cartellaDati + "/";
}

QString CartellaProgramma()
{
    const QString exe = QCoreApplication::applicationDirPath();
    return CartellaProgramma(
        exe, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Tastavia",
        QFileInfo(exe).isWritable() && ::access(QFile::encodeName(exe).constData(), W_OK) == 0);
}

int Avvia(const platform::Services &servizi, const QString &cartella, const QStringList &argomenti,
          const std::function<int()> &cicloEventi, IstanzaUnica *istanza)
{
    if (!servizi.instance->tryLock())
        return 0;   // another Tastavia runs: end without a word

    const DecisioneAvvio d = DecidiSchermo(servizi.screen->size());
    if (!d.risoluzioneSufficiente) {
        servizi.dialogs->message(nullptr, "Tastavia", QString::fromUtf8(testoRisoluzioneMinima),
                                 platform::Dialogs::Critical, platform::Dialogs::Ok);
        return 0;
    }

    modClavora stato(servizi);
    stato.schermoGrande = d.schermoGrande;
    stato.windowsNT5 = stato.VersioneNT5();
    stato.cartellaProgramma = cartella;
    stato.pausa = [&stato](int ms) { PauseWithEvents(*stato.servizi.clock, ms); };

    frmClavora finestra(stato);
    ComponiFinestre(finestra, stato);
    if (istanza)
        QObject::connect(istanza, &IstanzaUnica::comandoRicevuto, &finestra,
                         [&finestra](const QString &file) { finestra.ComandoDaAltraIstanza(file); });
    finestra.Form_Load(argomenti.join(' '));
    if (finestra.chiusa || !cicloEventi)
        return 0;
    return cicloEventi();
}

namespace {

void stampa(std::FILE *dove, const QString &testo)
{
    std::fputs(testo.toLocal8Bit().constData(), dove);
}

// The executable's folder, before any application object exists.
QString cartellaEseguibile()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

QString cartellaDatiStudente()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Tastavia";
}

bool eseguibileScrivibile(const QString &exe)
{
    return QFileInfo(exe).isWritable() && ::access(QFile::encodeName(exe).constData(), W_OK) == 0;
}

} // namespace

int AvvioProgramma(int argc, char **argv)
{
    QStringList grezzi;
    for (int i = 1; i < argc; ++i)
        grezzi << QString::fromLocal8Bit(argv[i]);
    // --help and --version need no window system, and touch no file.
    if (const auto solo = SoloTesto(grezzi); solo != LineaDiComando::Azione::Avvia) {
        const QString exe = cartellaEseguibile();
        const TestoLingua lingua = LinguaRigaComando(
            CartellaImpostazioni(exe, cartellaDatiStudente(), eseguibileScrivibile(exe)),
            platform::languageIdForLocale(QLocale().name()));
        stampa(stdout, solo == LineaDiComando::Azione::Aiuto ? TestoAiutoRigaComando(lingua)
                                                              : TestoVersioneRigaComando(lingua));
        return 0;
    }

    // On X11 the changed pixels go to the server inside the request instead of
    // through shared memory. With shared memory, drawing again where a picture
    // was just sent waits for a round trip first: each blink of the welcome
    // screen cost three wake-ups instead of one. Our repaints are small, so
    // sending them costs no measurable time. Whoever sets the variable wins.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tastavia");
    // What is left once Qt took its own options (-platform, -display...).
    QStringList argomenti = QCoreApplication::arguments();
    argomenti.removeFirst();
    const QString exe = QCoreApplication::applicationDirPath();
    const bool scrivibile = eseguibileScrivibile(exe);
    const LineaDiComando comando = InterpretaArgomenti(
        argomenti, QDir::currentPath(), CartellaImpostazioni(exe, cartellaDatiStudente(), scrivibile));
    if (comando.azione == LineaDiComando::Azione::Errore) {
        const QString cartella = CartellaImpostazioni(exe, cartellaDatiStudente(), scrivibile);
        stampa(stderr, TestoErroreRigaComando(
                           LinguaRigaComando(cartella, platform::languageIdForLocale(QLocale().name())),
                           comando.errato));
        return 2;
    }

    platform::SystemServices sistema;
    if (!sistema.services().instance->tryLock()) {
        // Another Tastavia of this learner runs: it takes the file and comes forward.
        ConsegnaAllaPrimaIstanza(PercorsoSocketIstanza(), comando.file, 10000);
        return 0;
    }
    IstanzaUnica istanza(PercorsoSocketIstanza());
    istanza.Ascolta();

    QApplication::setStyle(new StileTastavia);
    QApplication::setFont(FontTesto(9));
    // Sizes for title bars and task switchers; the desktop file names the scalable icon.
    QIcon icona;
    for (int lato : {16, 24, 32, 48, 64})
        icona.addPixmap(ImmaginePng(QStringLiteral(":/images/icon/tastavia-%1.png").arg(lato)));
    QApplication::setWindowIcon(icona);
    // Reaching the sound server (and loading libpulse) waits for the first turn
    // of the event loop, which comes once the window has been asked to show.
    QTimer::singleShot(0, &app, [&sistema] { sistema.startSound(); });
    ChiudiAiSegnali(&app);
    const QStringList file = comando.file.isEmpty() ? QStringList() : QStringList{comando.file};
    return Avvia(sistema.services(), CartellaProgramma(), file, [] { return QApplication::exec(); },
                 &istanza);
}
