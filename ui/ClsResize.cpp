#include "ui/ClsResize.h"

#include "ui/Linea.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QTabWidget>
#include <cmath>

const double ClsResize::FATTORE_FONT = std::sqrt(1.41);

namespace {

int scala(int32_t valore, double fattore)
{
    return int(std::nearbyint(double(valore) * fattore));
}

bool dentroUnLayout(QWidget *w)
{
    QWidget *genitore = w->parentWidget();
    return genitore && genitore->layout() && genitore->layout()->indexOf(w) >= 0;
}

bool composto(QWidget *w)
{
    return qobject_cast<QAbstractScrollArea *>(w) || qobject_cast<QAbstractSpinBox *>(w)
           || qobject_cast<QComboBox *>(w) || qobject_cast<QTabWidget *>(w);
}

void raccogli(QWidget *contenitore, QVector<QWidget *> &controlli)
{
    for (QObject *o : contenitore->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (dentroUnLayout(w))
            continue;
        controlli.append(w);
        if (!composto(w))
            raccogli(w, controlli);
    }
}

bool eImmagine(QWidget *w)
{
    auto *etichetta = qobject_cast<QLabel *>(w);
    return etichetta && !etichetta->pixmap().isNull();
}

} // namespace

QVector<QWidget *> ClsResize::Controlli(QWidget *finestra)
{
    QVector<QWidget *> controlli;
    if (finestra)
        raccogli(finestra, controlli);
    return controlli;
}

void ClsResize::setSourceForm(QWidget *finestra)
{
    m_finestra = finestra;
    m_controlli.clear();
    m_dimensioniProgetto = QSize();
    m_snapshotNecessario = true;
}

void ClsResize::Snapshot()
{
    if (!m_finestra)
        return;
    m_dimensioniProgetto = m_finestra->size();
    const QVector<QWidget *> widgets = Controlli(m_finestra);
    m_controlli.clear();
    m_controlli.reserve(widgets.size());
    for (QWidget *w : widgets) {
        Controllo c;
        c.widget = w;
        if (auto *linea = qobject_cast<Linea *>(w)) {
            c.tipo = Tipo::Linea;
            c.sinistra = linea->X1();
            c.alto = linea->Y1();
            c.larghezza = linea->X2();
            c.altezza = linea->Y2();
        } else {
            c.tipo = eImmagine(w) ? Tipo::Immagine : Tipo::Altro;
            const QRect g = w->geometry();
            c.sinistra = g.x();
            c.alto = g.y();
            c.larghezza = g.width();
            c.altezza = g.height();
            const QFont f = w->font();
            if (f.pointSizeF() > 0) {
                c.font = float(f.pointSizeF());
                c.haFont = true;
            } else if (f.pixelSize() > 0) {
                c.font = float(f.pixelSize());
                c.fontInPixel = true;
                c.haFont = true;
            }
        }
        m_controlli.append(c);
    }
    m_snapshotNecessario = false;
}

void ClsResize::SizeFormToScreen()
{
    if (m_snapshotNecessario)
        Snapshot();
    ResizeControls();
}

void ClsResize::ResizeControls()
{
    if (!m_finestra || m_finestra->isMinimized())
        return;
    if (m_snapshotNecessario) {
        if (!Controlli(m_finestra).isEmpty())
            Snapshot();
        return;
    }
    if (m_controlli.isEmpty())
        return;

    const bool aggiornava = m_finestra->updatesEnabled();
    m_finestra->setUpdatesEnabled(false);
    for (const Controllo &c : m_controlli) {
        QWidget *w = c.widget;
        if (!w)
            continue;   // a control that has gone is skipped like a missing property
        switch (c.tipo) {
        case Tipo::Linea:
            static_cast<Linea *>(w)->setLinea(QLine(scala(c.sinistra, FATTORE_X), scala(c.alto, FATTORE_Y),
                                                    scala(c.larghezza, FATTORE_X), scala(c.altezza, FATTORE_Y)));
            break;
        case Tipo::Immagine:
            w->setGeometry(scala(c.sinistra, FATTORE_X) + SCOSTAMENTO_IMMAGINE,
                           scala(c.alto, FATTORE_Y) + SCOSTAMENTO_IMMAGINE, c.larghezza, c.altezza);
            break;
        case Tipo::Altro: {
            w->setGeometry(scala(c.sinistra, FATTORE_X), scala(c.alto, FATTORE_Y),
                           scala(c.larghezza, FATTORE_X), scala(c.altezza, FATTORE_Y));
            if (c.haFont) {
                QFont f = w->font();
                if (c.fontInPixel)
                    f.setPixelSize(std::max(1, int(std::nearbyint(double(c.font) * FATTORE_FONT))));
                else
                    f.setPointSizeF(double(c.font) * FATTORE_FONT);
                w->setFont(f);
            }
            break;
        }
        }
    }
    m_finestra->setUpdatesEnabled(aggiornava);
}
