#include "keyboard/TabellaTasti.h"

#include "keyboard/ModelloTastiera.h"
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

// The French writer's characters, entries 121 on: œ Œ « » É À Ç È Ê ’ … — and
// the narrow no-break space.
constexpr char16_t kFrancesi[] = {0x0153, 0x0152, 0x00AB, 0x00BB, 0x00C9, 0x00C0, 0x00C7,
                                  0x00C8, 0x00CA, 0x2019, 0x2026, 0x2014, 0x202F};
static_assert(std::size(kFrancesi) == TabellaTasti::VociFrancesi);

// Signs of the table that no keymap of the desktop needs to have: the
// modifier-letter circumflex exists on Windows alone.
bool segnoRaro(int codice)
{
    return codice == 136 || codice == 164 || codice == 178 || codice == 181;
}

constexpr int LatoSinistroB = 3720;   // twips: keys left of B belong to the left hand

} // namespace

TabellaTasti::TabellaTasti()
{
    InizializzaTabellaTasti();
}

void TabellaTasti::InizializzaTabellaTasti()
{
    layout_.reset();
    tasto_.fill(-1);
    carattere_.fill(-1);
    modificatore_.fill(0);
    digitazione_.fill(Digitazione{});
    for (const Voce &v : kVoci) {
        tasto_[size_t(v.indice)] = v.tasto;
        carattere_[size_t(v.indice)] = v.codice;
        modificatore_[size_t(v.indice)] = v.modificatore;
    }
    for (int i = 0; i < VociFrancesi; ++i)
        carattere_[size_t(NumeroVoci + i)] = int16_t(testo::codiceTasto(QChar(kFrancesi[i])));
    indicizza();
}

void TabellaTasti::indicizza()
{
    // The filter runs over whole text files: look codes up directly.
    primaVoce_.fill(-1);
    for (int i = TotaleVoci - 1; i >= 0; --i) {
        const int c = carattere_[size_t(i)];
        if (c >= 0 && c < 256 && tasto_[size_t(i)] >= 0)
            primaVoce_[size_t(c)] = int16_t(i);
    }
}

int TastoShiftPer(int tasto)
{
    return definizioneTasto(tasto).left < LatoSinistroB ? TastoShiftDestro : TastoShiftSinistro;
}

int16_t TabellaTasti::codicePer(const Digitazione &d)
{
    const Battuta &b = d.tasto;
    const auto conShift = [&] { return int16_t(TastoShiftPer(b.tasto) == TastoShiftSinistro ? ShiftSinistro : ShiftDestro); };
    if (!d.morto) {
        switch (b.livello) {
        case 0: return TastoSolo;
        case 1: return conShift();
        case 2: return AltGr;
        default: return AltGrShift;
        }
    }
    // The table's own dead-key codes name their keys: use them only for those.
    const Battuta &m = *d.morto;
    if (b.tasto == TastoSpazio && m.livello == 2)
        return GraveSpazio;
    if (b.livello == 0 && m == Battuta{TastoMorto, 0})
        return CirconflessoMorto;
    if (b.livello == 0 && m == Battuta{TastoGrave, 2})
        return GraveMorto;
    if (b.livello == 0 && m == Battuta{TastoMorto, 1})
        return DieresiMorta;
    return AltroMorto;
}

void TabellaTasti::ApplicaLayout(const LayoutTastiera *layout)
{
    InizializzaTabellaTasti();
    if (!layout)
        return;
    layout_ = *layout;
    for (int i = 0; i < TotaleVoci; ++i) {
        if (i == VoceInvio)
            continue;   // Enter is Enter on every keymap
        const QChar c = testo::carattereTasto(carattere_[size_t(i)]);
        std::optional<Digitazione> d = layout->digitazione(c.unicode());
        // Where the keymap also has it on the table's own key and level, as
        // @ on AltGr + à besides AltGr + Q, the table's place is taught.
        if (d && i < NumeroVoci && modificatore_[size_t(i)] <= AltGr) {
            const int tastoTabella = tasto_[size_t(i)];
            const int livello = modificatore_[size_t(i)] == TastoSolo ? 0 : modificatore_[size_t(i)] == AltGr ? 2 : 1;
            if (layout->simbolo(tastoTabella, livello) == c.unicode() && !layout->morto(tastoTabella, livello))
                d = Digitazione{{tastoTabella, livello}, std::nullopt};
        }
        if (!d) {
            tasto_[size_t(i)] = -1;
            modificatore_[size_t(i)] = TastoSolo;
            continue;
        }
        digitazione_[size_t(i)] = *d;
        const int16_t codice = codicePer(*d);
        modificatore_[size_t(i)] = codice;
        tasto_[size_t(i)] = int16_t(codice == GraveSpazio ? d->morto->tasto : d->tasto.tasto);
    }
    indicizza();
}

bool TabellaTasti::CompatibileAzerty(const LayoutTastiera &layout)
{
    // The letters that tell AZERTY from QWERTY, QWERTZ and bépo.
    constexpr std::pair<int, char32_t> lettere[] = {{0, U'a'}, {1, U'z'}, {10, U'q'}, {19, U'm'}, {21, U'w'}};
    for (const auto &[tasto, lettera] : lettere)
        if (layout.simbolo(tasto, 0) != lettera || layout.morto(tasto, 0))
            return false;
    for (const Voce &v : kVoci) {
        if (v.codice == 13 || segnoRaro(v.codice))
            continue;
        if (!layout.scrive(testo::daCodiceAnsi(v.codice).unicode()))
            return false;
    }
    return true;
}

int TabellaTasti::CercaVoceCodice(int codiceAnsi) const
{
    if (codiceAnsi < 0 || codiceAnsi > 255)
        return -1;
    return primaVoce_[size_t(codiceAnsi)];
}

int TabellaTasti::CercaVoce(QChar ch) const
{
    const int codice = testo::codiceTasto(ch);
    if (codice < 256)
        return CercaVoceCodice(codice);
    for (int i = NumeroVoci; i < TotaleVoci; ++i)
        if (carattere_[size_t(i)] == codice && tasto_[size_t(i)] >= 0)
            return i;
    return -1;
}

int TabellaTasti::CercaVoce(const QString &ch) const
{
    return ch.isEmpty() ? -1 : CercaVoce(ch.at(0));
}

QString TabellaTasti::FormaVicina(QChar ch) const
{
    QString forma;
    switch (ch.unicode()) {
    case 0x0153: forma = QStringLiteral("oe"); break;
    case 0x0152: forma = QStringLiteral("OE"); break;
    case 0x00E6: forma = QStringLiteral("ae"); break;
    case 0x00C6: forma = QStringLiteral("AE"); break;
    case 0x00DF: forma = QStringLiteral("ss"); break;
    case 0x00AB: case 0x00BB: case 0x201C: case 0x201D: case 0x201E: forma = QStringLiteral("\""); break;
    case 0x2018: case 0x2019: case 0x201A: forma = QStringLiteral("'"); break;
    case 0x2026: forma = QStringLiteral("..."); break;
    case 0x2013: case 0x2014: case 0x2011: case 0x2212: forma = QStringLiteral("-"); break;
    case 0x00A0: case 0x202F: case 0x2009: forma = QStringLiteral(" "); break;
    case 0x02C6: forma = QStringLiteral("^"); break;
    default: {
        // An accented letter without its accent: É E, Ÿ Y; ² 2.
        const QString scomposta = QString(ch).normalized(QString::NormalizationForm_KD);
        if (!scomposta.isEmpty() && scomposta.at(0) != ch && !scomposta.at(0).isMark())
            forma = scomposta.at(0);
        break;
    }
    }
    QString out;
    for (QChar c : forma)
        if (CercaVoce(c) >= 0)
            out += c;
    return out.size() == forma.size() ? out : QString();
}

QString TabellaTasti::FiltraCaratteri(const QString &testo) const
{
    QString out;
    out.reserve(testo.size());
    for (QChar c : testo) {
        if (CercaVoce(c) >= 0)
            out.append(c);
        else
            out.append(FormaVicina(c));
    }
    return out;
}

std::vector<int> TabellaTasti::TastiDellaVoce(int voce) const
{
    if (voce < 0 || voce >= TotaleVoci || tasto_[size_t(voce)] < 0)
        return {};
    std::vector<int> tasti{tasto_[size_t(voce)]};
    if (voce == VoceInvio)
        tasti.push_back(TastoInvioAlto);
    switch (modificatore_[size_t(voce)]) {
    case ShiftSinistro: tasti.push_back(TastoShiftSinistro); break;
    case ShiftDestro: tasti.push_back(TastoShiftDestro); break;
    case AltGr: tasti.push_back(TastoAltGr); break;
    case CirconflessoMorto: tasti.push_back(TastoMorto); break;
    case GraveMorto: tasti.insert(tasti.end(), {TastoAltGr, TastoGrave}); break;
    case DieresiMorta: tasti.insert(tasti.end(), {TastoMorto, TastoShiftSinistro}); break;
    case GraveSpazio: tasti.insert(tasti.end(), {TastoAltGr, TastoSpazio}); break;
    case AltGrShift:
    case AltroMorto: {
        // The key's own modifiers, then the dead key and its modifiers.
        const Digitazione &d = digitazione_[size_t(voce)];
        const auto modificatori = [&tasti](const Battuta &b) {
            if (b.livello & 1)
                tasti.push_back(TastoShiftPer(b.tasto));
            if (b.livello & 2)
                tasti.push_back(TastoAltGr);
        };
        modificatori(d.tasto);
        if (d.morto) {
            tasti.push_back(d.morto->tasto);
            modificatori(*d.morto);
        }
        break;
    }
    default: break;
    }
    return tasti;
}

bool TabellaTasti::livelloUsato(int tasto, int livello) const
{
    for (int i = 0; i < TotaleVoci; ++i) {
        if (tasto_[size_t(i)] < 0 || i == VoceInvio)
            continue;
        const Digitazione &d = digitazione_[size_t(i)];
        if (d.tasto == Battuta{tasto, livello} || d.morto == Battuta{tasto, livello})
            return true;
    }
    return false;
}

QString TabellaTasti::Legenda(int tasto) const
{
    const QString disegno = definizioneTasto(tasto).didascalia;
    if (!layout_ || definizioneTasto(tasto).font == FontTasto::Simbolo)
        return disegno;
    const LayoutTastiera &l = *layout_;
    const QString l0 = l.legenda(tasto, 0), l1 = l.legenda(tasto, 1);
    const QString l2 = livelloUsato(tasto, 2) ? l.legenda(tasto, 2) : QString();
    const QString l3 = livelloUsato(tasto, 3) ? l.legenda(tasto, 3) : QString();
    if ((l0.isEmpty() && l1.isEmpty()) || tasto == TastoSpazio)
        return disegno;   // Ctrl, Alt, Enter, the space bar, and keys that type nothing

    const auto e = [](QString t) { return t.replace(u'&', QLatin1String("&&")); };
    const QString a = QStringLiteral("\r\n");
    QString testo;
    const bool lettera = l0.size() == 1 && l0.at(0).isLower() && l1 == l0.toUpper();
    if (lettera && l2.isEmpty() && l3.isEmpty())
        testo = e(l1);
    else if (lettera)
        testo = " " + e(l1) + (l3.isEmpty() ? QString() : "    " + e(l3)) + a + "      " + e(l2);
    else
        testo = (l1.isEmpty() ? QString() : " " + e(l1)) + (l3.isEmpty() ? QString() : "    " + e(l3)) + a + "  " +
                e(l0) + (l2.isEmpty() ? QString() : "    " + e(l2));

    // The same characters as the design's caption: its own spacing stays.
    const auto segni = [](const QString &t) {
        QString out;
        for (QChar c : testoVisibile(t))
            if (!c.isSpace())
                out += c;
        return out;
    };
    return segni(testo) == segni(disegno) ? disegno : testo;
}

int TabellaTasti::BattuteDellaVoce(int voce) const
{
    if (voce < 0 || voce >= TotaleVoci || tasto_[size_t(voce)] < 0)
        return 0;
    switch (modificatore_[size_t(voce)]) {
    case CirconflessoMorto: case GraveMorto: case DieresiMorta: case GraveSpazio: case AltroMorto:
        return 2;
    default:
        return 1;
    }
}

} // namespace tastiera
