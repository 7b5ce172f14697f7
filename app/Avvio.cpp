// The process entry.

#include "app/Composizione.h"
#include "app/frmClavora.h"
#include "app/modClavora.h"
#include "platform/SystemServices.h"
#include "ui/Caratteri.h"
#include "ui/basSleep.h"
#include "ui/Immagini.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProxyStyle>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <csignal>
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
int pipeSegnali[2] = {-1, -1};

void suSegnale(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(pipeSegnali[1], &c, 1);
}

void chiudiAiSegnali(QObject *proprietario)
{
    if (::pipe2(pipeSegnali, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifica = new QSocketNotifier(pipeSegnali[0], QSocketNotifier::Read, proprietario);
    QObject::connect(notifica, &QSocketNotifier::activated, proprietario, [] {
        char c;
        while (::read(pipeSegnali[0], &c, 1) > 0) {
        }
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *f = qobject_cast<frmClavora *>(w))
                f->close();
    });
    struct sigaction sa {};
    sa.sa_handler = suSegnale;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int segnale : {SIGTERM, SIGINT, SIGHUP})
        sigaction(segnale, &sa, nullptr);
}

void copiaCartella(const QString &da, const QString &a)
{
    QDir().mkpath(a);
    const QDir sorgente(da);
    for (const QFileInfo &f : sorgente.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString destinazione = a + "/" + f.fileName();
        if (f.isDir())
            copiaCartella(f.filePath(), destinazione);
        else if (!QFileInfo::exists(destinazione))
            QFile::copy(f.filePath(), destinazione);
    }
}

} // namespace

// The program folder: the executable's own when it can be written (settings
// live beside the program); otherwise a data folder of this installation,
// seeded from the installed data with the same layout. Files the learner
// already has there are never overwritten.
QString CartellaProgramma(const QString &cartellaEseguibile, const QString &cartellaDati,
                          bool eseguibileScrivibile)
{
    if (eseguibileScrivibile)
        return cartellaEseguibile + "/";
    for (const char *cartella : {"CorsoDattilo", "Esercizi", "Lang", "Guida"})
        if (QFileInfo(cartellaEseguibile + "/" + cartella).isDir())
            copiaCartella(cartellaEseguibile + "/" + cartella, cartellaDati + "/" + cartella);
    QDir().mkpath(cartellaDati);
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
          const std::function<int()> &cicloEventi)
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
    finestra.Form_Load(argomenti.join(' '));
    if (finestra.chiusa || !cicloEventi)
        return 0;
    return cicloEventi();
}

int AvvioProgramma(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tastavia");
    QApplication::setStyle(new StileTastavia);
    QApplication::setFont(FontTesto(9));
    // Sizes for title bars and task switchers; the desktop file names the scalable icon.
    QIcon icona;
    for (int lato : {16, 24, 32, 48, 64})
        icona.addPixmap(ImmaginePng(QStringLiteral(":/images/icon/tastavia-%1.png").arg(lato)));
    QApplication::setWindowIcon(icona);
    platform::SystemServices sistema;
    if (!sistema.services().instance->tryLock())
        return 0;   // another Tastavia runs: end at once, touching nothing
    // Reaching the sound server (and loading libpulse) waits for the first turn
    // of the event loop, which comes once the window has been asked to show.
    QTimer::singleShot(0, &app, [&sistema] { sistema.startSound(); });
    chiudiAiSegnali(&app);
    QStringList argomenti = QCoreApplication::arguments();
    argomenti.removeFirst();
    return Avvia(sistema.services(), CartellaProgramma(), argomenti, [] { return QApplication::exec(); });
}
