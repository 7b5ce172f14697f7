#pragma once
// A line control: a straight line between two points of its parent, drawn by
// a transparent widget that covers just the line's bounding box.

#include <QColor>
#include <QLine>
#include <QWidget>

class Linea : public QWidget {
    Q_OBJECT
public:
    explicit Linea(QWidget *parent = nullptr);
    Linea(const QLine &linea, QWidget *parent = nullptr);

    int X1() const { return m_linea.x1(); }
    int Y1() const { return m_linea.y1(); }
    int X2() const { return m_linea.x2(); }
    int Y2() const { return m_linea.y2(); }
    QLine linea() const { return m_linea; }
    void setLinea(const QLine &linea);
    void setX1(int x) { setLinea(QLine(x, Y1(), X2(), Y2())); }
    void setY1(int y) { setLinea(QLine(X1(), y, X2(), Y2())); }
    void setX2(int x) { setLinea(QLine(X1(), Y1(), x, Y2())); }
    void setY2(int y) { setLinea(QLine(X1(), Y1(), X2(), y)); }

    QColor BorderColor() const { return m_colore; }
    void setBorderColor(const QColor &c);
    int BorderWidth() const { return m_spessore; }
    void setBorderWidth(int w);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    void adatta();
    QLine m_linea;
    QColor m_colore = Qt::black;
    int m_spessore = 1;
};
