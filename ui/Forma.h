#pragma once
// A shape control: a rectangle with an optional fill and an optional border,
// painted directly (style sheets would pull in Qt's whole CSS machinery).

#include <QColor>
#include <QWidget>

class Forma : public QWidget {
public:
    explicit Forma(QWidget *parent = nullptr);

    // An invalid colour leaves the inside transparent.
    QColor FillColor() const { return m_riempimento; }
    void setFillColor(const QColor &c);
    // Width 0: no border.
    QColor BorderColor() const { return m_bordo; }
    int BorderWidth() const { return m_spessore; }
    void setBorder(const QColor &c, int spessore);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor m_riempimento;
    QColor m_bordo = Qt::black;
    int m_spessore = 1;
};
