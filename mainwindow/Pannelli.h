#pragma once
// Panels of the main window that paint themselves.

#include <QImage>
#include <QLabel>
#include <QGlyphRun>
#include <QList>
#include <QRawFont>
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
// kept, and a paint draws only the characters its area touches: the marker's
// growth repaints a few columns of it at every key.
class RigaModello : public QLabel {
    Q_OBJECT
public:
    explicit RigaModello(QWidget *parent);
    QWidget *segno = nullptr;
    bool testoInMemoria = true;   // false: every paint lays the text out again, as QLabel does

    // Shows riga.mid(inizio, quanti) (text-file mode). The whole line is laid
    // out once; when the text moves on, what stays in sight is moved on the
    // screen and only the strip that comes into sight is drawn.
    void ScorriA(const QString &riga, qsizetype inizio, qsizetype quanti);
    // How wide the first n characters of the text are, as shown.
    int LarghezzaFino(qsizetype n) const;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    bool testoSemplice() const;
    bool scorso() const;
    void disegnaGlifi(QPainter &p, const QRegion &area, bool daScorso) const;
    void disponi(const QString &testo);
    qint64 origine64(qsizetype inizio) const;
    QRect parteVisibile() const;
    QRectF inchiostro(quint32 glifo) const;

    // The text as laid out. In one font, each glyph with its place (x in 64ths
    // of a pixel from the line's start, one more for the end, and baseline);
    // otherwise its runs of glyphs are drawn whole.
    struct Disposizione {
        QString testo;
        QFont font;
        QList<QGlyphRun> righe;
        bool unFont = false;
        bool unoAUno = false;   // one line, one glyph a character
        QRawFont carattere;
        std::vector<quint32> glifi;
        std::vector<qint64> x64;
        std::vector<qreal> y;
        // By glyph, filled when first needed.
        mutable std::vector<QRectF> inchiostro;
    } disposta_;
    // Text-file mode: the text shown is disposta_.testo from inizio_, as long as
    // it is testoScorso_.
    QString testoScorso_;
    qsizetype inizio_ = 0;
};
