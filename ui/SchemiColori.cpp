#include "ui/SchemiColori.h"

#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <functional>

const SchemaColori &Schema(int schema)
{
    if (schema < 0 || schema >= NUMERO_SCHEMI)
        schema = 0;
    return SCHEMI_COLORI[size_t(schema)];
}

void SfondoGradiente(QPainter &painter, const QRect &area, int schema)
{
    const SchemaColori &s = Schema(schema);
    const int alto = area.height() / 2;
    const int basso = area.height() - alto;
    GradientFill(painter, area.x(), area.y() + alto, area.width(), basso, s.centro, s.centro,
                 s.bassoSinistra, s.bassoDestra, true);
    GradientFill(painter, area.x(), area.y(), area.width(), alto, s.altoSinistra, s.altoDestra,
                 s.centro, s.centro, true);
}

namespace {

// Paints a widget's background from its own paint events, before the widget
// draws; the picture is kept until the size or the scheme changes. A palette
// brush would leak into children that fill their own background.
class PittoreSfondo : public QObject {
public:
    using Pittore = std::function<void(QPainter &, const QRect &)>;
    PittoreSfondo(QWidget *w, Pittore dipingi) : QObject(w), m_dipingi(std::move(dipingi))
    {
        setObjectName(QStringLiteral("tastavia_sfondo"));
        w->installEventFilter(this);
    }
    void setPittore(Pittore dipingi)
    {
        m_dipingi = std::move(dipingi);
        m_immagine = QPixmap();
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            auto *w = static_cast<QWidget *>(o);
            if (m_immagine.size() != w->size() && !w->size().isEmpty()) {
                m_immagine = QPixmap(w->size());
                QPainter p(&m_immagine);
                m_dipingi(p, QRect(QPoint(0, 0), w->size()));
            }
            if (!m_immagine.isNull()) {
                QPainter p(w);
                p.drawPixmap(0, 0, m_immagine);
            }
        }
        return false;
    }

private:
    Pittore m_dipingi;
    QPixmap m_immagine;
};

void sfondoDiWidget(QWidget *w, PittoreSfondo::Pittore dipingi)
{
    if (!w)
        return;
    auto *esistente = w->findChild<PittoreSfondo *>(QStringLiteral("tastavia_sfondo"),
                                                    Qt::FindDirectChildrenOnly);
    if (esistente)
        esistente->setPittore(std::move(dipingi));
    else
        new PittoreSfondo(w, std::move(dipingi));
    w->update();
}

} // namespace

void SfondoGradiente(QWidget *finestra, int schema)
{
    sfondoDiWidget(finestra, [schema](QPainter &p, const QRect &r) { SfondoGradiente(p, r, schema); });
}

void SfondoBarra(QPainter &painter, const QRect &area)
{
    const uint32_t grigio = ColoreRGB(223, 223, 223);
    const uint32_t bianco = ColoreRGB(255, 255, 255);
    const int alto = area.height() / 2;
    GradientFill(painter, area.x(), area.y() + alto, area.width(), area.height() - alto, grigio,
                 grigio, grigio, grigio, true);
    GradientFill(painter, area.x(), area.y(), area.width(), alto, bianco, bianco, grigio, grigio,
                 true);
}

void SfondoBarra(QWidget *barra)
{
    sfondoDiWidget(barra, [](QPainter &p, const QRect &r) { SfondoBarra(p, r); });
}
