#include "game/CaratteriDigitati.h"

#include "platform/Testo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {

// The dead keys of the French layouts and their accents.
struct Accento {
    int tasto;
    char16_t combinante;
    char16_t spaziato;
};
constexpr Accento accenti[] = {
    {Qt::Key_Dead_Circumflex, 0x0302, u'^'}, {Qt::Key_Dead_Diaeresis, 0x0308, 0x00A8},
    {Qt::Key_Dead_Grave, 0x0300, u'`'},      {Qt::Key_Dead_Acute, 0x0301, 0x00B4},
    {Qt::Key_Dead_Tilde, 0x0303, u'~'},      {Qt::Key_Dead_Cedilla, 0x0327, 0x00B8},
};

const Accento *accentoDi(int tasto)
{
    for (const Accento &a : accenti)
        if (a.tasto == tasto)
            return &a;
    return nullptr;
}

QList<int> codici(const QString &testo)
{
    QList<int> r;
    for (QChar c : testo)
        if (c.isPrint())
            r.append(testo::codiceTasto(c));
    return r;
}

} // namespace

QString CaratteriDigitati::ComponiAccento(int tastoMorto, const QString &testo)
{
    const Accento *a = accentoDi(tastoMorto);
    if (!a)
        return {};
    if (testo == QStringLiteral(" "))
        return QString(QChar(a->spaziato));
    const QString composto = (testo + QChar(a->combinante)).normalized(QString::NormalizationForm_C);
    if (composto.size() == testo.size())
        return composto;
    return QChar(a->spaziato) + testo;
}

QList<int> CaratteriDigitati::daTasto(const QKeyEvent &e)
{
    if (accentoDi(e.key())) {
        tastoMorto_ = e.key();
        return {};
    }
    const QString t = e.text();
    if (t.isEmpty() || (e.modifiers() & Qt::ControlModifier) || !t.at(0).isPrint())
        return {};
    const QString testo = tastoMorto_ ? ComponiAccento(tastoMorto_, t) : t;
    tastoMorto_ = 0;
    return codici(testo);
}

QList<int> CaratteriDigitati::daCommit(const QInputMethodEvent &e)
{
    tastoMorto_ = 0;
    return codici(e.commitString());
}
