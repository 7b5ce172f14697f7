#pragma once
// The input line: every typed character reaches the judge as its code
// (testo::codiceTasto), whether it came as a key event or as an input-method
// commit (dead-key letters such as "ê" arrive that way). A dead key that reaches
// the line as a plain key event (the input method never saw it, as with keys
// the main window passes on) is composed here with the next key. The judge may
// set the code to 0 to reject it.

#include <QLineEdit>
#include <QList>
#include <functional>

class LineaInput : public QLineEdit {
    Q_OBJECT
public:
    explicit LineaInput(QWidget *parent = nullptr);
    ~LineaInput() override;

    std::function<void(int &codice)> suTastoPremuto;    // txtInput_KeyPress
    std::function<void(int tasto, bool &annulla)> suTastoGiu;  // txtInput_KeyDown
    std::function<void(Qt::MouseButton)> suMousePremuto;
    std::function<void()> suMouseRilasciato;

    // Judges one character and types it when accepted; what a key event or a
    // commit does for each of its characters.
    void Digita(QChar c);

    // What an accepted Enter shows between the two lines of a sentence.
    static constexpr const char16_t *SeparatoreRighe = u" \u21B5 ";

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    void GiudicaEDigita(QChar c);
    QStyle *stile_ = nullptr;
    bool inGiudizio_ = false;
    int tastoMorto_ = 0;
    QList<QChar> inAttesa_;
};
