#pragma once
// The main window's texts: its 43 messages, the praise words and the warning
// title. The engine composes its messages from them and the window shows the
// rest; both read the same object, filled by TestiPredefiniti or a language.

#include <QString>
#include <QStringList>

class modClavora;

struct TestiClavora {
    QStringList testiMessaggi;                 // message texts 0..42
    QStringList lodiNormali, lodiRecord;       // seven praise words each
    QString titoloAttenzione = QStringLiteral("Attenzione!");

    // Message text n; empty outside 0..42.
    QString messaggio(int n) const { return testiMessaggi.value(n); }
};

// The built-in Italian texts; also sets the shared values that are texts
// (unitaVelocita, msgGuidaMancante, nomeModo).
void TestiPredefiniti(TestiClavora &testi, modClavora &stato);
