#include "keyboard/ModelloTastiera.h"

#include <array>

namespace tastiera {

namespace {

constexpr int W = 435, H = 495;

DefinizioneTasto testo(int l, int t, QString c, int w = W, int h = H)
{
    return {l, t, w, h, std::move(c), FontTasto::Normale, 0};
}

DefinizioneTasto simbolo(int l, int t, QString c, double pt, int w = W, int h = H)
{
    return {l, t, w, h, std::move(c), FontTasto::Simbolo, pt};
}

std::array<DefinizioneTasto, 63> costruisci()
{
    std::array<DefinizioneTasto, 63> k{};
    const int r0 = 75, r1 = 705, r2 = 1335, r3 = 1965, r4 = 2595;
    const QString a = QStringLiteral("\r\n");

    // Number row.
    k[52] = testo(60, r0, a + "  ²");
    k[60] = testo(645, r0, " 1" + a + "  &&");
    k[61] = testo(1230, r0, " 2" + a + "  é    ~");
    k[58] = testo(1815, r0, " 3" + a + "  \"     #");
    k[57] = testo(2400, r0, " 4" + a + "   '    {");
    k[49] = testo(2985, r0, " 5" + a + "  (     [");
    k[46] = testo(3570, r0, " 6" + a + "  -     |");
    k[45] = testo(4155, r0, " 7" + a + "  è    `");
    k[34] = testo(4740, r0, " 8" + a + "   _   \\");
    k[33] = testo(5325, r0, " 9" + a + "  ç   ^");
    k[32] = testo(5910, r0, " 0" + a + "  à  @");
    k[50] = testo(6495, r0, " °" + a + "  )     ]");
    k[51] = testo(7080, r0, " +" + a + "  =    }");
    k[59] = simbolo(7665, r0, QStringLiteral("\u232B"), 21.75, 1155);

    // Top letter row.
    k[54] = simbolo(60, r1, QStringLiteral("\u21B9"), 15.75, 690);
    const char *riga1 = "AZERTYUIOP";
    for (int i = 0; i < 10; ++i)
        k[size_t(i)] = testo(900 + 585 * i, r1, QString(QChar(riga1[i])));
    k[2].didascalia = " E" + a + "      €";
    k[42] = testo(6750, r1, " ¨" + a + "  ˆ");
    k[42].font = FontTasto::Grande;
    k[43] = testo(7335, r1, " £" + a + "  $    ¤");
    k[62] = testo(7920, r1, QStringLiteral("Entrée"), 900);

    // Home row.
    k[55] = testo(60, r2, QString(), 795);
    const char *riga2 = "QSDFGHJKLM";
    for (int i = 0; i < 10; ++i)
        k[size_t(10 + i)] = testo(1005 + 585 * i, r2, QString(QChar(riga2[i])));
    k[40] = testo(6855, r2, " %" + a + "  ù");
    k[41] = testo(7440, r2, " µ" + a + "  *");
    k[40].font = k[41].font = FontTasto::Medio;
    k[48] = testo(8025, 1200, QString(), 795, 630);

    // Bottom row.
    k[30] = simbolo(60, r3, QStringLiteral("\u21E7"), 15.75, 585);
    k[20] = testo(795, r3, " >" + a + "  <");
    const char *riga3 = "WXCVBN";
    for (int i = 0; i < 6; ++i)
        k[size_t(21 + i)] = testo(1380 + 585 * i, r3, QString(QChar(riga3[i])));
    k[27] = testo(4890, r3, "?" + a + QStringLiteral("  \u2019"));
    k[28] = testo(5475, r3, " ." + a + "  ;");
    k[29] = testo(6060, r3, " /" + a + "  :");
    k[53] = testo(6645, r3, " §" + a + "  !");
    k[36] = simbolo(7230, r3, QStringLiteral("\u21E7"), 15.75, 1590);

    // Space row.
    k[44] = testo(60, r4, QStringLiteral(" Ctrl"), 795);
    k[56] = simbolo(1005, r4, QStringLiteral("\u229E"), 14.25, 750);
    k[31] = testo(1905, r4, QStringLiteral(" Alt"), 750);
    k[35] = testo(2805, r4, QString(), 2415);
    k[38] = testo(5370, r4, QStringLiteral(" Alt Gr"), 750);
    k[39] = simbolo(6270, r4, QStringLiteral("\u229E"), 14.25, 750);
    k[37] = simbolo(7170, r4, QStringLiteral("\u2630"), 15.75, 750);
    k[47] = testo(8070, r4, QStringLiteral(" Ctrl"), 750);
    return k;
}

} // namespace

const DefinizioneTasto &definizioneTasto(int tasto)
{
    static const std::array<DefinizioneTasto, 63> tasti = costruisci();
    return tasti[size_t(tasto)];
}

QString testoVisibile(const QString &didascalia)
{
    QString out;
    out.reserve(didascalia.size());
    for (qsizetype i = 0; i < didascalia.size(); ++i) {
        if (didascalia[i] == '&') {
            if (i + 1 < didascalia.size() && didascalia[i + 1] == '&') {
                out.append('&');
                ++i;
            }
            continue;
        }
        out.append(didascalia[i]);
    }
    return out;
}


GruppoDito gruppoDito(int tasto, bool divisioneErgonomica)
{
    if (divisioneErgonomica) {
        switch (tasto) {
        case 21: return GruppoDito::Mignolo;
        case 22: return GruppoDito::Anulare;
        case 23: return GruppoDito::Medio;
        case 27: return GruppoDito::Indice;
        case 28: return GruppoDito::Medio;
        case 29: return GruppoDito::Anulare;
        default: break;
        }
    }
    switch (tasto) {
    case 1: case 8: case 11: case 18: case 32: case 38: case 58: case 21: case 28:
        return GruppoDito::Anulare;
    case 2: case 7: case 12: case 17: case 31: case 33: case 57: case 22: case 27:
        return GruppoDito::Medio;
    case 3: case 4: case 5: case 6: case 13: case 14: case 15: case 16: case 24:
    case 25: case 26: case 34: case 45: case 46: case 49: case 23:
        return GruppoDito::Indice;
    case 35:
        return GruppoDito::Pollice;
    default:
        return GruppoDito::Mignolo;
    }
}

QColor coloreGruppo(GruppoDito gruppo)
{
    switch (gruppo) {
    case GruppoDito::Anulare: return QColor(214, 222, 181);
    case GruppoDito::Medio: return QColor(239, 204, 197);
    case GruppoDito::Indice: return QColor(162, 204, 184);
    case GruppoDito::Pollice: return QColor(226, 235, 235);
    case GruppoDito::Mignolo: break;
    }
    return QColor(185, 207, 224);
}

uint32_t valoreColore(const QColor &c)
{
    return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}

QColor daValoreColore(uint32_t valore)
{
    return QColor(int(valore & 0xFF), int((valore >> 8) & 0xFF), int((valore >> 16) & 0xFF));
}

} // namespace tastiera
