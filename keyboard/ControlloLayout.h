#pragma once
// The check of the learner's keymap at start-up. The keyboard belongs to the
// desktop: a keymap that types French AZERTY (fr, its latin9, oss and AFNOR
// variants, Belgian...) is taught as it is, whatever its name; another one is
// switched to French only where the program may (plain X11), and given back
// at exit. Layout ids are the Windows form ("0000040C"); the keyboard service
// speaks XKB names ("fr").

#include "keyboard/LayoutTastiera.h"
#include "platform/Services.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace tastiera {

class ControlloLayout {
public:
    static constexpr const char *LayoutFrancese = "0000040C";

    enum class Esito {
        Francese,      // the learner's keymap types French AZERTY: used as it is
        Cambiato,      // another keymap, switched to French for the run
        NonFrancese,   // another keymap that the desktop keeps (Wayland): taught with its own keys
        Fallito,       // another keymap, and French could not be activated
        Sconosciuto,   // the display server does not say (offscreen)
    };

    // nomeXkb maps a layout id to the service's name; an id it does not know
    // is taken as an XKB name already (the remembered layout may be one).
    explicit ControlloLayout(platform::Keyboard *tastiera,
                             std::function<QString(const QString &)> nomeXkb = platform::xkbNameForLayoutId);

    // Makes idLayout active; true when it is active afterwards. When switching
    // fails the remembered layout is put back and forgotten.
    bool AttivaLayout(const QString &idLayout, bool salvaPrecedente);

    // Start-up check: gives back a keymap a crashed run left changed, reads
    // the learner's keymap and switches only where it must and may.
    Esito VerificaLayout();

    // At exit: gives the user the layout that was active before, if we switched.
    void RipristinaLayout();

    // The layout active before the switch; empty when nothing was switched.
    QString layoutPrecedente() const { return layoutPrecedente_; }
    void setLayoutPrecedente(const QString &v) { layoutPrecedente_ = v; }

    // The keymap the keys follow after the check; empty when unknown.
    const std::optional<LayoutTastiera> &modello() const { return modello_; }

    // Reads the keymap again (the learner may change it in the desktop while
    // practising; Xwayland may get the compositor's only once a window has
    // the keyboard); true when it changed, with what the check would say of
    // it now. Never switches anything: a switched keymap stays Cambiato.
    bool AggiornaModello(Esito &esito);

private:
    QString nome(const QString &idLayout) const;
    QString attivo() const;
    std::optional<LayoutTastiera> leggi();
    std::optional<LayoutTastiera> compila(std::optional<platform::Keyboard::Keymap> keymap);

    platform::Keyboard *tastiera_;
    std::function<QString(const QString &)> nomeXkb_;
    QString layoutPrecedente_;
    std::optional<LayoutTastiera> modello_;
    std::optional<platform::Keyboard::Keymap> letta_;   // the keymap modello_ was built from
};

// The warning text: message 14 + " " + message 16, message 15, message 32, one per line.
QString testoAvvisoLayout(const std::function<QString(int)> &messaggio);

// What the main window needs to tell the learner about the keymap.
struct AvvisoLayout {
    platform::Dialogs *dialogs = nullptr;
    QWidget *finestra = nullptr;
    QString titoloAttenzione = QStringLiteral("Attenzione!");
    std::function<QString(int)> messaggio;   // the main window's message texts 0..42
    std::function<void(int)> apriGuida;      // help by context id; may be empty
};

// VerificaLayout with its warning when French could not be activated: a
// critical box, then help page 1001. What else there is to say (a switch, a
// keymap the desktop keeps) the window says in a line that stops nothing.
ControlloLayout::Esito VerificaLayout(ControlloLayout &controllo, const AvvisoLayout &avviso);

} // namespace tastiera
