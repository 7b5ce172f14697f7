#include "ui/Caratteri.h"

#include <QStringList>

namespace {

QFont crea(const QStringList &famiglie, double punti, bool grassetto)
{
    QFont f(famiglie.first());
    f.setFamilies(famiglie);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

} // namespace

QFont FontTesto(double punti, bool grassetto)
{
    return crea({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, punti, grassetto);
}

QFont FontMonospazio(double punti, bool grassetto)
{
    return crea({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans")}, punti, grassetto);
}

QFont FontSimboli(double punti, bool grassetto)
{
    return crea({QStringLiteral("DejaVu Sans")}, punti, grassetto);
}
