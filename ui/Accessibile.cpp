#include "ui/Accessibile.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QVariant>

namespace accessibile {
namespace {

const char *const kComando = "tastaviaComando";
const char *const kTesto = "tastaviaTesto";

class Comando : public QAccessibleWidget {
public:
    explicit Comando(QWidget *w) : QAccessibleWidget(w, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->toolTip();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &azione) override
    {
        if (azione != pressAction())
            return QAccessibleWidget::doAction(azione);
        if (widget()->isEnabled() && widget()->isVisible())
            QCoreApplication::postEvent(widget(), new QEvent(EventoPremuto));
    }
};

// Static text whose words are the painted ones.
class Testo : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit Testo(QWidget *w) : QAccessibleWidget(w, QAccessible::StaticText) {}

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                               : QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || t == QAccessible::Description)
            return tutto();
        return QAccessibleWidget::text(t);
    }
    // The text interface: read only, no caret, no selection.
    void selection(int, int *s, int *e) const override { *s = *e = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int inizio, int fine) const override { return tutto().mid(inizio, fine - inizio); }
    int characterCount() const override { return int(tutto().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *s, int *e) const override
    {
        *s = *e = 0;
        return QString();
    }

private:
    QString tutto() const { return widget()->property(kTesto).toString(); }
};

QAccessibleInterface *Fabbrica(const QString &, QObject *o)
{
    auto *w = qobject_cast<QWidget *>(o);
    if (!w)
        return nullptr;
    if (w->property(kComando).toBool())
        return new Comando(w);
    if (w->property(kTesto).isValid())
        return new Testo(w);
    return nullptr;
}

void InstallaFabbrica()
{
    static const bool installata = [] {
        QAccessible::installFactory(Fabbrica);
        return true;
    }();
    (void)installata;
}

} // namespace

void RendiComando(QWidget *etichetta)
{
    InstallaFabbrica();
    etichetta->setProperty(kComando, true);
    etichetta->setFocusPolicy(Qt::TabFocus);
}

QWidget *PannelloTesto(QWidget *padre, const QRect &area)
{
    InstallaFabbrica();
    auto *p = new Pannello(padre);
    p->setAttribute(Qt::WA_TransparentForMouseEvents);
    p->setAttribute(Qt::WA_NoSystemBackground);
    p->setProperty(kTesto, QString());
    p->setGeometry(area);
    return p;
}

void ImpostaTesto(QWidget *pannello, const QString &nome, const QString &testo)
{
    pannello->setProperty(kTesto, testo);
    pannello->setAccessibleName(nome);
    pannello->setAccessibleDescription(testo);
}

} // namespace accessibile
