#include "game/TestiGioco.h"

const std::array<const char16_t *, 4> InsiemiAllenamento{
    u"qsdfjklmei", u"qsdfjklmtuao", u"qsdfjklmncprgh", u"qsdfjklmvb\u00E9xywz"};

namespace {

struct Voce {
    const char *id;
    const char16_t *predefinito;
};

// testiGioco, in entry order.
constexpr Voce messaggi[7] = {
    {"0305", u"Inserire almeno quattro caratteri alfanumerici"},
    {"0301", u"Gioco"},
    {"0307", u" Inizio allenamento"},
    {"0308", u" Allenamento terminato"},
    {"0309", u"Il gioco \u00E8 finito"},
    {"0017", u"Il tasto Blocca Maiuscole non deve essere premuto."},
    {"0500", u"Nuovo record, ma non \u00E8 stato possibile salvarlo."},
};

// Options 0, 1, 2 and 7.
constexpr Voce livelli[3] = {{"0310", u"Facile"}, {"0311", u"Medio"}, {"0312", u"Difficile"}};
constexpr Voce personalizzato = {"0313", u"personalizzato"};

constexpr Voce allenamento = {"0300", u"Allenamento"};
constexpr Voce gioco = {"0301", u"Gioco"};
constexpr Voce velocita = {"0302", u"Velocit\u00E0"};
constexpr Voce tempo = {"0303", u"Tempo"};
constexpr Voce punti = {"0304", u"Punti"};
constexpr Voce chiudi = {"0203", u"Chiudi"};
constexpr Voce ricomincia = {"0036", u"Ricomincia da capo"};

QString t(const TestoLingua &lingua, const Voce &v)
{
    return Testo(lingua, QString::fromLatin1(v.id), QString::fromUtf16(v.predefinito));
}

TestiGioco carica(const TestoLingua &lingua)
{
    TestiGioco testi;
    for (size_t i = 0; i < testi.testiGioco.size(); ++i)
        testi.testiGioco[i] = t(lingua, messaggi[i]);
    for (size_t i = 0; i < 3; ++i)
        testi.opzioni[i] = t(lingua, livelli[i]);
    for (size_t i = 0; i < InsiemiAllenamento.size(); ++i)
        testi.opzioni[3 + i] = QString::fromUtf16(InsiemiAllenamento[i]);
    testi.opzioni[7] = t(lingua, personalizzato);
    testi.lblAllenamento = t(lingua, allenamento);
    testi.lblGioco = t(lingua, gioco);
    // The built-in caption has its own spacing; a language gives only the word.
    testi.lblVelocita = lingua ? t(lingua, velocita) + QStringLiteral(" <min - max>")
                               : QString::fromUtf16(u"Velocit\u00E0  < min - max >");
    testi.lblTimeLbl = t(lingua, tempo);
    testi.lblPunti = t(lingua, punti);
    testi.cmdExit = t(lingua, chiudi);
    testi.cmdNuovoSuggerimento = t(lingua, ricomincia);
    testi.cmdStart = Testo(lingua, QStringLiteral("0552"), testi.cmdStart);
    return testi;
}

} // namespace

TestiGioco CaricaTestiPredefiniti()
{
    return carica({});
}

TestiGioco CaricaTestiLingua(const TestoLingua &lingua)
{
    return carica(lingua);
}
