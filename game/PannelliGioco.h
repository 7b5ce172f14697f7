#pragma once
// The painted parts of the training-and-game window: the play area with its
// 18 columns of four labels each (drawn as items, never created again after
// loading), the options panel with its highlight bar, the bottom strip and
// the training clock. Each paints only what the rules say, and the play area
// only the region that changed.

#include <QHash>
#include <array>
#include <QPixmap>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QWidget>

class RegoleGioco;

// PicPlay: falling characters, faces and points labels, the strip picBlocco
// in front of them (with the picture imgNotes) and the announcement lblMessage.
class AreaGioco : public QWidget {
    Q_OBJECT
public:
    AreaGioco(const RegoleGioco &regole, QWidget *parent);

    // The background: a gradient between the window colours found left and
    // right of the area, dark enough for white characters; picBlocco in the
    // window's colours with the picture on it.
    void ImpostaSfondo(const QColor &sinistra, const QColor &destra, const QPixmap &imgNotes);
    QRect picBlocco() const { return QRect(0, 0, width(), altezzaBlocco_); }

    // Painted areas since the last call (pixels), for the benchmark.
    qint64 pixelDipinti() const { return pixelDipinti_; }

    // A frame: each falling character drawn `frazione` of the way to its next
    // tick (RegoleGioco::topDisegno); only the columns that moved are repainted.
    void Fotogramma(double frazione);
    // Where character i is drawn now.
    int topDisegnato(int i) const { return disegnati_[size_t(i)]; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    const QPixmap &glifo(const QString &testo, const QColor &colore);

    const RegoleGioco &regole_;
    QPixmap sfondo_, blocco_, facciaOK_, facciaNOT_;
    int altezzaBlocco_ = 0;
    QHash<quint64, QPixmap> glifi_;
    qint64 pixelDipinti_ = 0;
    std::array<int, 18> disegnati_{};
};

// picLevel: the options panel, with the bar that marks the chosen group.
class PannelloOpzioni : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // The bar: 694 x 25 pixels, 6 from the left, 2 above the group label's top.
    void EvidenziaGruppo(int topEtichetta);
    int topBarra() const { return topBarra_; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    int topBarra_ = -1;
    int barraDisegnata_ = -2;
    QPixmap sfondo_;
};

// picBottom: the strip under the play area.
class StrisciaInferiore : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QPixmap sfondo_;
};

// hsSpeed: 4 at its left end ("min"), 1 at its right end ("max"); its groove
// fills from the left, as far as the speed goes, like every other slider.
class CursoreVelocita : public QSlider {
    Q_OBJECT
public:
    explicit CursoreVelocita(QWidget *parent);
    // The slider as it is drawn: the handle where the value puts it, the
    // filled part from the left end to the handle.
    QStyleOptionSlider opzioniDisegno() const;

protected:
    void paintEvent(QPaintEvent *e) override;
};

// picProgressRound: the training clock, a sector growing clockwise from 6
// o'clock as the time runs out.
class OrologioAllenamento : public QWidget {
    Q_OBJECT
public:
    OrologioAllenamento(const RegoleGioco &regole, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    const RegoleGioco &regole_;
};
