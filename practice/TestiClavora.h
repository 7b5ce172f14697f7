#pragma once
// The main window's texts: its 43 messages, the praise words, the warning
// title and the texts of its controls. The engine composes its messages from
// them and the window shows the rest; both read the same object, filled by
// TestiPredefiniti (the built-in Italian texts) or ApplicaTestiLingua.

#include "practice/Punteggio.h"
#include "settings/TestoLingua.h"

#include <QString>
#include <QStringList>
#include <array>

class modClavora;

// Captions and tooltips of the main window's controls.
struct TestiControlli {
    std::array<QString, 5> menu;               // optMenu(0..4) captions ("&&" shows one "&")
    std::array<QString, 2> livelli;            // optLevel(0..1) captions
    std::array<QString, 7> suggerimentiMenu;   // tooltips of lblMenu(0..6)
    QString digitazioniEsatte, digitazioniErrate;   // the two keystroke counters
    QString rapportoErrori;                    // lblSmile
    QString fraseLivello;                      // the sentence number
    std::array<QString, 3> medieLivello;       // lblMediaLevel(0..2)
    QString mappaDita, mappaEsterna, tasto37;  // keyboard tooltips
    // Accessible names: the input line, the file list, the Start button; the
    // input line's description ("%1": the next character, nomeSpazio for a blank).
    QString nomeInput, prossimoCarattere, nomeSpazio, nomeLista, nomeStart;
    QString carattereSenzaTasto, nomeTastiera;   // lblMenu(7), the on-screen keyboard

    // The input line's description for the character expected next.
    QString DescrizioneProssimo(const QString &carattere) const
    {
        if (carattere.isEmpty())
            return QString();
        const QString nome = carattere.at(0).isSpace() ? nomeSpazio : carattere;
        return QString(prossimoCarattere).replace(QLatin1String("%1"), nome);
    }
};

struct TestiClavora {
    QStringList testiMessaggi;                 // message texts 0..42
    QStringList lodiNormali, lodiRecord;       // seven praise words each
    QString titoloAttenzione = QStringLiteral("Attenzione!");
    TestiControlli controlli;
    // The line about the learner's keymap: not French and kept by the
    // desktop; switched to French ("%1": the layout given back at exit).
    QString tastieraNonFrancese, tastieraCambiata;
    QString etichettaFile;      // "File:" in the caption
    QString foglioTastiera;     // after "Tastiera francese" on the printed sheet

    // Message text n; empty outside 0..42.
    QString messaggio(int n) const { return testiMessaggi.value(n); }

    // The texts an end-of-line message is made of.
    TestiFineRiga fineRiga(const QString &unitaVelocita) const
    {
        return {messaggio(6), messaggio(7), messaggio(8), messaggio(9), messaggio(10), messaggio(33),
                lodiNormali,  lodiRecord,   unitaVelocita};
    }
};

// The built-in Italian texts; also sets the shared values that are texts
// (unitaVelocita, msgGuidaMancante, msgGuidaNonAperta, nomeModo).
void TestiPredefiniti(TestiClavora &testi, modClavora &stato);

// The same texts through the language lookup, each by its id; the built-in
// text wherever the language gives none. The blanks and line breaks that begin
// or end a built-in text stay around the language's text, so messages are put
// together as in Italian; message 0 keeps its "- " and message 12 ends with
// " <Entrée>", the key as printed on the keyboard.
void ApplicaTestiLingua(TestiClavora &testi, modClavora &stato, const TestoLingua &lingua);
