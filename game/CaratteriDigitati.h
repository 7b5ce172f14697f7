#pragma once
// What the learner typed, as the codes the rules compare (testo::codiceTasto):
// from a key event or from an input-method commit (dead-key letters such as
// "ê" arrive as a commit). A dead key that arrives as a plain key event (no
// input method saw it) is composed here with the next key, as a French
// keyboard would.

#include <QList>
#include <QString>

class QInputMethodEvent;
class QKeyEvent;

class CaratteriDigitati {
public:
    // The characters a key press types: none for keys that type nothing
    // (Shift, arrows, Enter, Esc, Ctrl shortcuts) and for a dead key, which
    // waits for the next one.
    QList<int> daTasto(const QKeyEvent &e);
    QList<int> daCommit(const QInputMethodEvent &e);
    // A dead key pending from a key event is dropped (a new run starts).
    void azzera() { tastoMorto_ = 0; }

private:
    int tastoMorto_ = 0;
};
