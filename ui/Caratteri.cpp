#include "ui/Caratteri.h"

#include <QStringList>

namespace {

QFont crea(const QStringList &famiglie, int punti, bool grassetto)
{
    QFont f(famiglie.first(), punti, grassetto ? QFont::Bold : QFont::Normal);
    f.setFamilies(famiglie);
    return f;
}

} // namespace

QFont FontTesto(int punti, bool grassetto)
{
    return crea({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, punti, grassetto);
}

QFont FontMonospazio(int punti, bool grassetto)
{
    return crea({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans")}, punti, grassetto);
}

QFont FontSimboli(int punti, bool grassetto)
{
    return crea({QStringLiteral("DejaVu Sans")}, punti, grassetto);
}
