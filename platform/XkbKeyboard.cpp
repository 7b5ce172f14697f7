#include "platform/XkbKeyboard.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdlib>
#include <cstring>

// X11 headers last: their macros (None, Bool, Status...) clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XKBrules.h>
#include <X11/keysym.h>
// XKB.h names a device class "XkbKeyboard"; our class wins.
#undef XkbKeyboard

namespace platform {

namespace {

constexpr int kMaxGroups = 4;   // XKB keeps at most four layouts at once

Display *x11Display()
{
    // The offscreen plugin offers the same native interface with a null display.
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// A failed keymap request must not reach Xlib's default handler, which exits.
int ignoreXError(Display *, XErrorEvent *) { return 0; }

class ErrorGuard {
public:
    ErrorGuard() : previous_(XSetErrorHandler(ignoreXError)) {}
    ~ErrorGuard() { XSetErrorHandler(previous_); }
    ErrorGuard(const ErrorGuard &) = delete;
    ErrorGuard &operator=(const ErrorGuard &) = delete;

private:
    XErrorHandler previous_;
};

struct Names {
    QString rules, model, layout, variant, options;
};

std::optional<Names> readNames(Display *dpy)
{
    char *rules = nullptr;
    XkbRF_VarDefsRec vd;
    std::memset(&vd, 0, sizeof vd);
    if (!XkbRF_GetNamesProp(dpy, &rules, &vd)) {
        std::free(rules);
        return std::nullopt;
    }
    Names n;
    n.rules = QString::fromLocal8Bit(rules ? rules : "");
    n.model = QString::fromLocal8Bit(vd.model ? vd.model : "");
    n.layout = QString::fromLocal8Bit(vd.layout ? vd.layout : "");
    n.variant = QString::fromLocal8Bit(vd.variant ? vd.variant : "");
    n.options = QString::fromLocal8Bit(vd.options ? vd.options : "");
    std::free(rules);
    std::free(vd.model);
    std::free(vd.layout);
    std::free(vd.variant);
    std::free(vd.options);
    return n;
}

int currentGroup(Display *dpy)
{
    XkbStateRec st;
    if (XkbGetState(dpy, XkbUseCoreKbd, &st) != Success)
        return -1;
    return st.group;
}

// "fr" or "fr(oss)" for each group of the keymap.
QStringList groupNames(const Names &n)
{
    const QStringList layouts = n.layout.split(',');
    const QStringList variants = n.variant.split(',');
    QStringList out;
    for (int i = 0; i < layouts.size(); ++i) {
        const QString v = i < variants.size() ? variants[i].trimmed() : QString();
        const QString l = layouts[i].trimmed();
        out << (v.isEmpty() ? l : l + '(' + v + ')');
    }
    return out;
}

void splitName(const QString &name, QString &layout, QString &variant)
{
    const int open = name.indexOf('(');
    if (open < 0) {
        layout = name;
        variant.clear();
        return;
    }
    layout = name.left(open);
    variant = name.mid(open + 1);
    variant.chop(variant.endsWith(')') ? 1 : 0);
}

Names withGroups(Names base, const QStringList &groups)
{
    QStringList layouts, variants;
    bool anyVariant = false;
    for (const QString &g : groups) {
        QString l, v;
        splitName(g, l, v);
        layouts << l;
        variants << v;
        anyVariant = anyVariant || !v.isEmpty();
    }
    base.layout = layouts.join(',');
    base.variant = anyVariant ? variants.join(',') : QString();
    return base;
}

// What setxkbmap does: compile the rules into components and load the keymap.
bool loadKeymap(Display *dpy, const Names &n)
{
    QString rulesName = n.rules.isEmpty() ? QStringLiteral("evdev") : n.rules;
    if (rulesName.contains('/'))
        return false;
    QByteArray path = "/usr/share/X11/xkb/rules/" + rulesName.toLocal8Bit();
    QByteArray locale = "C";
    XkbRF_RulesPtr rules = XkbRF_Load(path.data(), locale.data(), False, True);
    if (!rules)
        return false;

    QByteArray model = n.model.toLocal8Bit(), layout = n.layout.toLocal8Bit(),
               variant = n.variant.toLocal8Bit(), options = n.options.toLocal8Bit(),
               rulesBytes = rulesName.toLocal8Bit();
    XkbRF_VarDefsRec vd;
    std::memset(&vd, 0, sizeof vd);
    vd.model = model.isEmpty() ? nullptr : model.data();
    vd.layout = layout.data();
    vd.variant = variant.isEmpty() ? nullptr : variant.data();
    vd.options = options.isEmpty() ? nullptr : options.data();

    XkbComponentNamesRec comp;
    std::memset(&comp, 0, sizeof comp);
    bool ok = XkbRF_GetComponents(rules, &vd, &comp);
    if (ok) {
        ErrorGuard guard;
        XkbDescPtr desc = XkbGetKeyboardByName(dpy, XkbUseCoreKbd, &comp, XkbGBN_AllComponentsMask,
                                               XkbGBN_AllComponentsMask & ~XkbGBN_GeometryMask, True);
        ok = desc != nullptr;
        if (desc)
            XkbFreeKeyboard(desc, XkbAllComponentsMask, True);
        XSync(dpy, False);
    }
    std::free(comp.keymap);
    std::free(comp.keycodes);
    std::free(comp.types);
    std::free(comp.compat);
    std::free(comp.symbols);
    std::free(comp.geometry);
    XkbRF_Free(rules, True);
    if (ok)
        XkbRF_SetNamesProp(dpy, rulesBytes.data(), &vd);
    return ok;
}

void lockGroup(Display *dpy, int group)
{
    XkbLockGroup(dpy, XkbUseCoreKbd, static_cast<unsigned>(group));
    XSync(dpy, False);
}

// The AltGr (third level) symbol of the key whose first level is `base` in
// `group`: NoSymbol when that key has no third level, empty when no key has `base`.
std::optional<KeySym> altGrOf(XkbDescPtr xkb, int group, KeySym base)
{
    for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc) {
        const int groups = XkbKeyNumGroups(xkb, kc);
        if (groups <= 0)
            continue;
        const int g = group < groups ? group : group % groups;   // XKB wraps by default
        const int width = XkbKeyGroupWidth(xkb, kc, g);
        if (width < 1 || XkbKeySymEntry(xkb, kc, 0, g) != base)
            continue;
        return width >= 3 ? XkbKeySymEntry(xkb, kc, 2, g) : KeySym(NoSymbol);
    }
    return std::nullopt;
}

} // namespace

XkbKeyboard::XkbKeyboard() = default;
XkbKeyboard::~XkbKeyboard() = default;

bool XkbKeyboard::validLayoutName(const QString &xkbName)
{
    // A layout, optionally with a variant in brackets: "fr", "ch(fr)".
    if (xkbName.isEmpty() || xkbName.size() > 64)
        return false;
    auto simbolo = [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
               c == u'_' || c == u'-';
    };
    qsizetype i = 0;
    while (i < xkbName.size() && simbolo(xkbName.at(i)))
        ++i;
    if (i == 0)
        return false;
    if (i == xkbName.size())
        return true;
    if (xkbName.at(i) != u'(' || !xkbName.endsWith(u')'))
        return false;
    for (qsizetype j = i + 1; j < xkbName.size() - 1; ++j)
        if (!simbolo(xkbName.at(j)))
            return false;
    return true;
}

bool XkbKeyboard::capsLockOn() const
{
    Display *dpy = x11Display();
    if (!dpy)
        return false;
    XkbStateRec st;
    if (XkbGetState(dpy, XkbUseCoreKbd, &st) != Success)
        return false;
    return (st.locked_mods & LockMask) != 0;
}

void XkbKeyboard::capsLockOff()
{
    Display *dpy = x11Display();
    if (!dpy)
        return;
    XkbLockModifiers(dpy, XkbUseCoreKbd, LockMask, 0);
    XSync(dpy, False);
}

QString XkbKeyboard::activeLayout() const
{
    Display *dpy = x11Display();
    if (!dpy)
        return QStringLiteral("unknown");
    const std::optional<Names> names = readNames(dpy);
    const int group = currentGroup(dpy);
    if (!names || group < 0)
        return QStringLiteral("unknown");
    const QStringList groups = groupNames(*names);
    if (group >= groups.size() || groups[group].isEmpty())
        return QStringLiteral("unknown");
    return groups[group];
}

std::optional<Keyboard::DeadKeys> XkbKeyboard::deadKeys() const
{
    Display *dpy = x11Display();
    if (!dpy)
        return std::nullopt;
    const int group = currentGroup(dpy);
    if (group < 0)
        return std::nullopt;
    // A round trip: Xlib's cached keymap is stale after a layout switch.
    ErrorGuard guard;
    XkbDescPtr xkb = XkbGetMap(dpy, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (!xkb)
        return std::nullopt;
    // The keys of è and é alone are 7 and 2 of a French AZERTY number row.
    const std::optional<KeySym> grave = altGrOf(xkb, group, XK_egrave);
    const std::optional<KeySym> tilde = altGrOf(xkb, group, XK_eacute);
    XkbFreeKeyboard(xkb, 0, True);
    if (!grave || !tilde)
        return std::nullopt;
    DeadKeys morti;
    morti.grave = *grave == XK_dead_grave;
    morti.tilde = *tilde == XK_dead_tilde;
    return morti;
}

bool XkbKeyboard::activateLayout(const QString &xkbName)
{
    Display *dpy = x11Display();
    if (!dpy || !validLayoutName(xkbName))
        return false;
    const std::optional<Names> names = readNames(dpy);
    const int group = currentGroup(dpy);
    if (!names || group < 0)
        return false;
    const QStringList groups = groupNames(*names);

    // Going back to what the user had: restore the whole keymap we changed.
    if (original_ && xkbName == original_->activeName) {
        const Original o = *original_;
        if (names->layout != o.layout || names->variant != o.variant) {
            Names back{o.rules, o.model, o.layout, o.variant, o.options};
            if (!loadKeymap(dpy, back))
                return false;
        }
        lockGroup(dpy, o.group);
        original_.reset();
        return activeLayout() == xkbName;
    }

    if (!original_ && group < groups.size())
        original_ = Original{names->rules, names->model, names->layout, names->variant,
                             names->options, group, groups[group]};

    const int existing = groups.indexOf(xkbName);
    if (existing >= 0) {
        lockGroup(dpy, existing);
        return activeLayout() == xkbName;
    }

    QStringList wanted = groups;
    if (wanted.size() >= kMaxGroups || wanted.join(QString()).isEmpty())
        wanted.clear();
    wanted << xkbName;
    if (!loadKeymap(dpy, withGroups(*names, wanted)))
        return false;
    lockGroup(dpy, int(wanted.size()) - 1);
    return activeLayout() == xkbName;
}

} // namespace platform
