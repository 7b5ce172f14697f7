#pragma once
// Keyboard layout and Caps Lock through XKB on the X11 display Qt uses; the
// keymap itself through xkbcommon, from the X server (Xwayland included) or,
// on native Wayland, from the compositor. Without X11 the layout is
// "unknown", switching fails and Caps Lock reads off; nothing here may crash.

#include "platform/Services.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

class XkbKeyboard : public Keyboard {
public:
    // statoFile: where a changed keymap is remembered until it is given back,
    // so that the next start restores it after a crash; empty: nowhere.
    explicit XkbKeyboard(QString statoFile = QString());
    ~XkbKeyboard() override;

    bool capsLockOn() const override;
    void capsLockOff() override;
    QString activeLayout() const override;
    // Locks the group of xkbName when the keymap already has it; otherwise
    // appends it to the layout list (or loads it alone when the list is full).
    // Asking for the layout that was active before the first such change puts
    // the user's own keymap back as it was.
    bool activateLayout(const QString &xkbName) override;
    std::optional<Keymap> keymap() const override;
    bool canSwitch() const override;
    bool restoreAfterCrash() override;

    // A name is safe to hand to the XKB rules: letters, digits, "_", "-", "(" and ")".
    static bool validLayoutName(const QString &xkbName);

private:
    struct Original {
        QString rules, model, layout, variant, options;
        int group = 0;
        QString activeName;
    };
    void ricorda() const;
    void dimentica() const;

    std::optional<Original> original_;
    QString statoFile_;
};

} // namespace platform
