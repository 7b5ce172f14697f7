// Cost of reading the learner's keymap: at start-up and at each line start
// (where a keymap changed in the desktop is read again). Reading it from the X
// server needs one (run under Xvfb with the French layout); the rest does not.
#include "keyboard/LayoutTastiera.h"
#include "keyboard/TabellaTasti.h"
#include "platform/XkbKeyboard.h"
#include "bench/Misura.h"

#include <QApplication>
#include <cstdio>

using namespace tastiera;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Misura("model from xkb-data rules (fr oss)", 20, [] { LayoutTastiera::daNomi("fr", "oss"); });
    const std::optional<LayoutTastiera> oss = LayoutTastiera::daNomi("fr", "oss");
    TabellaTasti t;
    Misura("key table from the model", 50, [&] { t.ApplicaLayout(&*oss); });
    Misura("captions of the 63 keys", 50, [&] {
        for (int k = 0; k < NumeroTasti; ++k)
            t.Legenda(k);
    });
    platform::XkbKeyboard xkb;
    const std::optional<platform::Keyboard::Keymap> km = xkb.keymap();
    if (!km) {
        std::printf("no X server: the keymap of the server is not measured\n");
        return 0;
    }
    Misura("keymap text from the X server", 20, [&] { xkb.keymap(); });
    Misura("model from the server's keymap text", 20, [&] { LayoutTastiera::daTesto(km->text, km->group); });
    std::printf("keymap text: %lld bytes\n", static_cast<long long>(km->text.size()));
    return 0;
}
