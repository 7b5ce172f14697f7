#include "FakeServices.h"

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
