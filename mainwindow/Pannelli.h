#pragma once
// Panels of the main window that paint themselves.

#include <QImage>
#include <QWidget>

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
