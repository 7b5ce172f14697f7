#pragma once
// The key map as one strip (imgMappaTastiEsterna), shown below the keyboard
// panel instead of the finger pictures. The main window places it; the
// keyboard widget shows and hides it.

#include <QPixmap>
#include <QWidget>

namespace tastiera {

class MappaTastiEsterna : public QWidget {
    Q_OBJECT
public:
    static constexpr int Larghezza = 622;
    static constexpr int Altezza = 47;

    explicit MappaTastiEsterna(QWidget *parent = nullptr);
    QSize sizeHint() const override { return QSize(Larghezza, Altezza); }
    void setTooltip(const QString &t) { setToolTip(t); }   // "0032"

signals:
    void doppioClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QPixmap immagine_;
};

} // namespace tastiera
