#pragma once
// Keys for a window that opens while the learner is typing (the results after
// the Enter that ended a level, the text report): it takes only keys pressed
// once it has been on screen long enough to be seen. A key pressed before it
// showed (its auto-repeat, its release) and a key pressed in the first moments
// after (the next Enter typed out of habit) never reach its buttons.
//
//   GuardiaTasti guardia(finestra, *servizi.clock);   // before the window shows
//
// And Enter answers the window's default button only, whichever button had the
// focus last (after a click on "PDF", another window come and gone...).

#include <QObject>
#include <QSet>
#include <cstdint>

class QDialog;
class QWidget;
namespace platform {
class Clock;
}

class GuardiaTasti : public QObject {
    Q_OBJECT
public:
    // A reaction to what a window shows takes a learner at least this long.
    static constexpr int AttesaMs = 500;

    GuardiaTasti(QWidget *finestra, const platform::Clock *clock, int attesaMs = AttesaMs);

    // Whether a key pressed now would be taken (the window shown long enough).
    bool pronta() const;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void sorveglia(QObject *o);

    QWidget *finestra_;
    const platform::Clock *clock_;
    int attesaMs_;
    int64_t mostrataAlle_ = -1;   // tick of the window's showing; -1 hidden
    QSet<int> premuti_;           // keys pressed while it was ready, until released
};

// Every push button of the dialog but its default one stops answering Enter
// when it has the focus: Enter always means the default button.
void SoloPredefinitoSuInvio(QDialog *dialogo);
