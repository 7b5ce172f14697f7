#include "FakeServices.h"

#include <xkbcommon/xkbcommon.h>

#include <cstdlib>

#include <QPainter>

namespace fake {

double Random::next()
{
    if (!queued.empty()) {
        double v = queued.front();
        queued.pop_front();
        return v;
    }
    // A small LCG: deterministic and good enough to spread draws.
    state = state * 1103515245u + 12345u;
    return double((state >> 8) & 0xFFFFFF) / double(0x1000000);
}

platform::Dialogs::Answer Dialogs::message(QWidget *, const QString &title, const QString &text,
                                           Icon icon, Buttons buttons)
{
    shown.push_back({title, text, icon, buttons});
    if (whileShown)
        whileShown(shown.back());
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return (buttons == Ok || buttons == OkCancel) ? AnsOk : AnsYes;
}

std::optional<platform::Keyboard::Keymap> keymapXkb(const QString &nome)
{
    QStringList layouts, varianti;
    for (const QString &parte : nome.split(u',')) {
        const int aperta = parte.indexOf(u'(');
        layouts << (aperta < 0 ? parte : parte.left(aperta));
        varianti << (aperta < 0 ? QString() : parte.mid(aperta + 1).chopped(1));
    }
    xkb_context *ctx = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    if (!ctx)
        return std::nullopt;
    const QByteArray l = layouts.join(u',').toUtf8(), v = varianti.join(u',').toUtf8();
    const xkb_rule_names nomi{"evdev", "pc105", l.constData(), v.constData(), ""};
    std::optional<platform::Keyboard::Keymap> out;
    if (xkb_keymap *km = xkb_keymap_new_from_names(ctx, &nomi, XKB_KEYMAP_COMPILE_NO_FLAGS)) {
        if (char *testo = xkb_keymap_get_as_string(km, XKB_KEYMAP_FORMAT_TEXT_V1)) {
            out = platform::Keyboard::Keymap{QByteArray(testo), 0};
            free(testo);
        }
        xkb_keymap_unref(km);
    }
    xkb_context_unref(ctx);
    return out;
}

bool Keyboard::activateLayout(const QString &name)
{
    activations << name;
    if (!installed.contains(name))
        return false;
    layout = name;
    return true;
}

platform::Services Services::services()
{
    platform::Services s;
    s.clock = &clock;
    s.random = &random;
    s.sound = &sound;
    s.dialogs = &dialogs;
    s.instance = &instance;
    s.screen = &screen;
    s.keyboard = &keyboard;
    s.printer = &printer;
    s.desktop = &desktop;
    return s;
}

bool Printer::print(const QString &documento, bool orizzontale, int pagine, const Disegno &disegna)
{
    if (!present || pagine < 1)
        return false;
    document = documento;
    pages.clear();
    for (int i = 0; i < pagine; ++i) {
        QImage pagina(orizzontale ? QSize(1123, 794) : QSize(794, 1123), QImage::Format_RGB32);
        pagina.fill(Qt::white);
        QPainter p(&pagina);
        disegna(p, pagina.rect(), i);
        pages.push_back(pagina);
    }
    return true;
}

} // namespace fake
