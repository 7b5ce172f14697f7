#pragma once
// Keyboard layout and Caps Lock through XKB on the X11 display Qt uses.
// Without X11 (Wayland, offscreen) the layout is "unknown", switching fails
// and Caps Lock reads off; nothing here may crash.

#include "platform/Services.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

class XkbKeyboard : public Keyboard {
public:
    XkbKeyboard();
    ~XkbKeyboard() override;

    bool capsLockOn() const override;
    void capsLockOff() override;
    QString activeLayout() const override;
    // Locks the group of xkbName when the keymap already has it; otherwise
    // appends it to the layout list (or loads it alone when the list is full).
    // Asking for the layout that was active before the first such change puts
    // the user's own keymap back as it was.
    bool activateLayout(const QString &xkbName) override;
    // Read from the keymap itself: the AltGr level of the keys that give è and é
    // alone ("fr" and "fr(oss)" give ` and ~ at once, "fr(latin9)" a dead grave).
    std::optional<DeadKeys> deadKeys() const override;

    // A name is safe to hand to the XKB rules: letters, digits, "_", "-", "(" and ")".
    static bool validLayoutName(const QString &xkbName);

private:
    struct Original {
        QString rules, model, layout, variant, options;
        int group = 0;
        QString activeName;
    };
    std::optional<Original> original_;
};

} // namespace platform
