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
#include <vector>

class QWidgetLineControl;

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
    void changeEvent(QEvent *e) override;

private:
    void GiudicaEDigita(QChar c);

    // QLineEdit repaints all of itself when its text changes or its caret
    // moves; a key adds one character, so only the columns from the last
    // unchanged character to the end of the text are repainted, unless the
    // text moves (it scrolls, or a tall character makes the line edit centre
    // a taller line).
    void TestoMostratoCambiato(const QString &nuovo);
    void CursoreSpostato(int da, int a);
    bool TestoFermo() const;
    bool EsceDallaRiga(QStringView testo);
    QWidgetLineControl *controllo_ = nullptr;
    QString mostrato_;
    qreal larghezza_ = 0;
    int xCursore_ = -1;
    bool fuoriRiga_ = false;
    std::vector<signed char> inkFuori_;   // by character code: 1 out of the line box, 0 inside, -1 unknown

    QStyle *stile_ = nullptr;
    bool inGiudizio_ = false;
    int tastoMorto_ = 0;
    QList<QChar> inAttesa_;
};
