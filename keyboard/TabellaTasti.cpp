#include "keyboard/TabellaTasti.h"

#include "platform/Testo.h"

namespace tastiera {

namespace {

struct Voce {
    int16_t indice;
    int16_t tasto;
    int16_t codice;
    int16_t modificatore;
};

// Grouped by key: entry index, key, code page 1252 code, modifier code.
constexpr Voce kVoci[] = {
    {0, 0, 97, 0},    {1, 0, 65, 2},    {107, 0, 226, 5}, {117, 0, 228, 7},
    {26, 1, 122, 0},  {27, 1, 90, 2},
    {8, 2, 101, 0},   {9, 2, 69, 2},    {104, 2, 128, 3}, {108, 2, 234, 5}, {118, 2, 235, 7},
    {22, 3, 114, 0},  {23, 3, 82, 2},
    {24, 4, 116, 0},  {25, 4, 84, 2},
    {42, 5, 121, 0},  {43, 5, 89, 1},
    {28, 6, 117, 0},  {29, 6, 85, 1},   {111, 6, 251, 5}, {116, 6, 252, 7},
    {16, 7, 105, 0},  {17, 7, 73, 1},   {109, 7, 238, 5}, {114, 7, 236, 6}, {119, 7, 239, 7},
    {30, 8, 111, 0},  {31, 8, 79, 1},   {110, 8, 244, 5}, {115, 8, 242, 6}, {120, 8, 246, 7},
    {32, 9, 112, 0},  {33, 9, 80, 1},
    {18, 10, 113, 0}, {19, 10, 81, 2},
    {34, 11, 115, 0}, {35, 11, 83, 2},
    {6, 12, 100, 0},  {7, 12, 68, 2},
    {10, 13, 102, 0}, {11, 13, 70, 2},
    {12, 14, 103, 0}, {13, 14, 71, 2},
    {14, 15, 104, 0}, {15, 15, 72, 1},
    {36, 16, 106, 0}, {37, 16, 74, 1},
    {38, 17, 107, 0}, {39, 17, 75, 1},
    {40, 18, 108, 0}, {41, 18, 76, 1},
    {91, 19, 109, 0}, {92, 19, 77, 1},
    {88, 20, 60, 0},  {89, 20, 62, 2},
    {20, 21, 119, 0}, {21, 21, 87, 2},
    {44, 22, 120, 0}, {45, 22, 88, 2},
    {4, 23, 99, 0},   {5, 23, 67, 2},
    {46, 24, 118, 0}, {47, 24, 86, 2},
    {2, 25, 98, 0},   {3, 25, 66, 1},
    {48, 26, 110, 0}, {49, 26, 78, 1},
    {50, 27, 44, 0},  {51, 27, 63, 1},
    {52, 28, 46, 1},  {53, 28, 59, 0},
    {54, 29, 58, 0},  {55, 29, 47, 1},
    {84, 32, 224, 0}, {85, 32, 48, 1},  {101, 32, 64, 3},
    {75, 33, 136, 3}, {82, 33, 231, 0}, {83, 33, 57, 1},  {112, 33, 94, 3},
    {79, 34, 95, 0},  {80, 34, 56, 1},  {81, 34, 92, 3},
    {105, 35, 32, 0},
    {93, 40, 37, 1},  {94, 40, 249, 0},
    {96, 41, 42, 0},  {97, 41, 181, 1},
    {98, 43, 164, 3}, {102, 43, 36, 0}, {103, 43, 163, 1},
    {76, 45, 232, 0}, {77, 45, 55, 1},  {78, 45, 96, 8},
    {73, 46, 45, 0},  {74, 46, 54, 2},  {90, 46, 124, 3},
    {106, 48, 13, 0},
    {59, 49, 91, 3},  {71, 49, 40, 0},  {72, 49, 53, 2},
    {86, 50, 41, 0},  {87, 50, 176, 1}, {95, 50, 93, 3},
    {99, 51, 43, 1},  {100, 51, 125, 3}, {113, 51, 61, 0},
    {58, 52, 178, 0},
    {56, 53, 33, 0},  {57, 53, 167, 1},
    {65, 57, 123, 3}, {69, 57, 39, 0},  {70, 57, 52, 2},
    {66, 58, 34, 0},  {67, 58, 51, 2},  {68, 58, 35, 3},
    {60, 60, 49, 2},  {61, 60, 38, 0},
    {62, 61, 126, 3}, {63, 61, 233, 0}, {64, 61, 50, 2},
};

static_assert(std::size(kVoci) == TabellaTasti::NumeroVoci);

} // namespace

TabellaTasti::TabellaTasti()
{
    InizializzaTabellaTasti();
}

void TabellaTasti::InizializzaTabellaTasti()
{
    tasto_.fill(-1);
    carattere_.fill(-1);
    modificatore_.fill(0);
    for (const Voce &v : kVoci) {
        tasto_[size_t(v.indice)] = v.tasto;
        carattere_[size_t(v.indice)] = v.codice;
        modificatore_[size_t(v.indice)] = v.modificatore;
    }
    // The filter runs over whole text files: look codes up directly.
    primaVoce_.fill(-1);
    for (int i = NumeroVoci - 1; i >= 0; --i) {
        const int c = carattere_[size_t(i)];
        if (c >= 0 && c < 256)
            primaVoce_[size_t(c)] = int16_t(i);
    }
}

int TabellaTasti::CercaVoceCodice(int codiceAnsi) const
{
    if (codiceAnsi < 0 || codiceAnsi > 255)
        return -1;
    return primaVoce_[size_t(codiceAnsi)];
}

int TabellaTasti::CercaVoce(QChar ch) const
{
    return CercaVoceCodice(testo::codiceAnsi(ch));
}

int TabellaTasti::CercaVoce(const QString &ch) const
{
    return ch.isEmpty() ? -1 : CercaVoce(ch.at(0));
}

QString TabellaTasti::FiltraCaratteri(const QString &testo) const
{
    QString out;
    out.reserve(testo.size());
    for (QChar c : testo)
        if (CercaVoce(c) >= 0)
            out.append(c);
    return out;
}

int16_t TabellaTasti::ModificatoreSulLayout(int voce, const TastiMorti &morti) const
{
    if (voce < 0 || voce >= NumeroVoci)
        return TastoSolo;
    const int16_t m = modificatore_[size_t(voce)];
    if (!morti)
        return m;
    switch (carattere_[size_t(voce)]) {
    case 96: return morti->grave ? GraveSpazio : AltGr;    // `
    case 126: return morti->tilde ? GraveSpazio : AltGr;   // ~
    default: return m;
    }
}

std::vector<int> TabellaTasti::TastiDellaVoce(int voce) const
{
    return TastiDellaVoce(voce, std::nullopt);
}

std::vector<int> TabellaTasti::TastiDellaVoce(int voce, const TastiMorti &morti) const
{
    if (voce < 0 || voce >= NumeroVoci)
        return {};
    std::vector<int> tasti{tasto_[size_t(voce)]};
    if (voce == VoceInvio)
        tasti.push_back(TastoInvioAlto);
    switch (ModificatoreSulLayout(voce, morti)) {
    case ShiftSinistro: tasti.push_back(TastoShiftSinistro); break;
    case ShiftDestro: tasti.push_back(TastoShiftDestro); break;
    case AltGr: tasti.push_back(TastoAltGr); break;
    case CirconflessoMorto: tasti.push_back(TastoMorto); break;
    case GraveMorto: tasti.insert(tasti.end(), {TastoAltGr, TastoGrave}); break;
    case DieresiMorta: tasti.insert(tasti.end(), {TastoMorto, TastoShiftSinistro}); break;
    case GraveSpazio: tasti.insert(tasti.end(), {TastoAltGr, TastoSpazio}); break;
    default: break;
    }
    return tasti;
}

} // namespace tastiera
