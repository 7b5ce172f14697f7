#pragma once
// Panels of the main window that paint themselves.

#include <QImage>
#include <QLabel>
#include <QStaticText>
#include <QWidget>
#include <vector>

// The keyboard panel (picNotebook): dark at the top, light at the bottom.
class PannelloNotebook : public QWidget {
    Q_OBJECT
public:
    explicit PannelloNotebook(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    // A small scratch picture made once per size, stretched over what is painted.
    QImage sfondo_;
    QSize dimensione_;
};

// The end-of-line message panel (picMessaggio): white, with a shaded edge of
// ten lines growing darker towards the inside.
class PannelloMessaggio : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *e) override;
};

// The model line (lblFraseCorr). Opaque: it paints the display's colour and
// the part of the progress marker (shpIndex, the sibling beneath it) that it
// covers, so a keystroke that moves its text repaints neither the display
// panel nor the marker behind it. A line of plain text is laid out once and
// kept: the marker's growth repaints a few columns of it at every key.
class RigaModello : public QLabel {
    Q_OBJECT
public:
    explicit RigaModello(QWidget *parent);
    QWidget *segno = nullptr;
    bool testoInMemoria = true;   // false: every paint lays the text out again, as QLabel does

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    bool unaRigaSemplice() const;
    QStaticText riga_;
    QFont fontRiga_;
    std::vector<int> larghezze_;   // by character code, in fontRiga_; -1 not measured yet
};
