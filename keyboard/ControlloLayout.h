#pragma once
// The check that the French layout is active, switching to it when needed and
// back to the user's own layout at exit. Layout ids are the Windows form
// ("0000040C"); the keyboard service speaks XKB names ("fr").

#include "platform/Services.h"

#include <QString>
#include <functional>

class QWidget;

namespace tastiera {

class ControlloLayout {
public:
    static constexpr const char *LayoutFrancese = "0000040C";

    // nomeXkb maps a layout id to the service's name; an id it does not know
    // is taken as an XKB name already (the remembered layout may be one).
    explicit ControlloLayout(platform::Keyboard *tastiera,
                             std::function<QString(const QString &)> nomeXkb = platform::xkbNameForLayoutId);

    // Makes idLayout active; true when it is active afterwards. When switching
    // fails the remembered layout is put back and forgotten.
    bool AttivaLayout(const QString &idLayout, bool salvaPrecedente);

    // Start-up check: the French layout, remembering the user's one. False
    // when French could not be activated (the caller shows the warning).
    bool VerificaLayout();

    // At exit: gives the user the layout that was active before, if we switched.
    void RipristinaLayout();

    // The layout active before the switch; empty when nothing was switched.
    QString layoutPrecedente() const { return layoutPrecedente_; }
    void setLayoutPrecedente(const QString &v) { layoutPrecedente_ = v; }

private:
    QString nome(const QString &idLayout) const;
    QString attivo() const;

    platform::Keyboard *tastiera_;
    std::function<QString(const QString &)> nomeXkb_;
    QString layoutPrecedente_;
};

// The warning text: message 14 + " " + message 16, message 15, message 32, one per line.
QString testoAvvisoLayout(const std::function<QString(int)> &messaggio);

// What the main window needs to warn about a missing French layout.
struct AvvisoLayout {
    platform::Dialogs *dialogs = nullptr;
    QWidget *finestra = nullptr;
    QString titoloAttenzione = QStringLiteral("Attenzione!");
    std::function<QString(int)> messaggio;   // the main window's message texts 0..42
    std::function<void(int)> apriGuida;      // help by context id; may be empty
};

// VerificaLayout with its warning: a critical box, then help page 1001.
// Returns the check's result.
bool VerificaLayout(ControlloLayout &controllo, const AvvisoLayout &avviso);

} // namespace tastiera
