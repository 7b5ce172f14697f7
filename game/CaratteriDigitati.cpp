#include "game/CaratteriDigitati.h"

#include "platform/Testo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {

QList<int> codici(const QString &testo)
{
    QList<int> r;
    for (QChar c : testo)
        if (c.isPrint())
            r.append(testo::codiceTasto(c));
    return r;
}

} // namespace

QList<int> CaratteriDigitati::daTasto(const QKeyEvent &e)
{
    if (testo::tastoMorto(e.key())) {
        tastoMorto_ = e.key();
        return {};
    }
    const QString t = e.text();
    if (t.isEmpty() || (e.modifiers() & Qt::ControlModifier) || !t.at(0).isPrint())
        return {};
    const QString testo = tastoMorto_ ? testo::componiAccento(tastoMorto_, t) : t;
    tastoMorto_ = 0;
    return codici(testo);
}

QList<int> CaratteriDigitati::daCommit(const QInputMethodEvent &e)
{
    tastoMorto_ = 0;
    return codici(e.commitString());
}
