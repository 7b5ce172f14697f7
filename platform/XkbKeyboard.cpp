#include "platform/XkbKeyboard.h"

#include "platform/WaylandKeymap.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <algorithm>

#include <cstdlib>
#include <cstring>

// X11 headers last: their macros (None, Bool, Status...) clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XKBrules.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon-x11.h>
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

} // namespace

XkbKeyboard::XkbKeyboard(QString statoFile) : statoFile_(std::move(statoFile)) {}
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

std::optional<Keyboard::Keymap> XkbKeyboard::keymap() const
{
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        std::optional<QByteArray> testo = leggiKeymapWayland();
        if (!testo)
            return std::nullopt;
        return Keymap{*testo, 0};
    }
    Display *dpy = x11Display();
    auto *x11 = dpy ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *conn = x11 ? x11->connection() : nullptr;
    if (!conn)
        return std::nullopt;
    // A fresh copy from the server: the symbols, not the layout names (which
    // Xwayland does not keep up to date).
    if (!xkb_x11_setup_xkb_extension(conn, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
        return std::nullopt;
    const int32_t device = xkb_x11_get_core_keyboard_device_id(conn);
    xkb_context *ctx = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
    if (!ctx || device < 0) {
        if (ctx)
            xkb_context_unref(ctx);
        return std::nullopt;
    }
    xkb_context_set_log_level(ctx, XKB_LOG_LEVEL_CRITICAL);
    std::optional<Keymap> out;
    if (xkb_keymap *km = xkb_x11_keymap_new_from_device(ctx, conn, device, XKB_KEYMAP_COMPILE_NO_FLAGS)) {
        if (char *testo = xkb_keymap_get_as_string(km, XKB_KEYMAP_FORMAT_TEXT_V1)) {
            out = Keymap{QByteArray(testo), std::max(0, currentGroup(dpy))};
            std::free(testo);
        }
        xkb_keymap_unref(km);
    }
    xkb_context_unref(ctx);
    return out;
}

bool XkbKeyboard::canSwitch() const
{
    Display *dpy = x11Display();
    if (!dpy)
        return false;
    // Xwayland takes its keymap from the compositor, which puts it back at once.
    int opcode = 0, evento = 0, errore = 0;
    if (XQueryExtension(dpy, "XWAYLAND", &opcode, &evento, &errore))
        return false;
    return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void XkbKeyboard::ricorda() const
{
    if (statoFile_.isEmpty() || !original_)
        return;
    QSaveFile f(statoFile_);
    if (!f.open(QIODevice::WriteOnly))
        return;
    const Original &o = *original_;
    const QStringList righe{o.rules, o.model, o.layout, o.variant, o.options, QString::number(o.group),
                            o.activeName};
    f.write(righe.join('\n').toUtf8());
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    f.commit();
}

void XkbKeyboard::dimentica() const
{
    if (!statoFile_.isEmpty())
        QFile::remove(statoFile_);
}

bool XkbKeyboard::restoreAfterCrash()
{
    if (statoFile_.isEmpty() || !QFileInfo(statoFile_).isFile())
        return false;
    QFile f(statoFile_);
    const QStringList righe =
        f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.read(4096)).split('\n') : QStringList();
    f.close();
    Display *dpy = x11Display();
    if (righe.size() != 7 || !dpy || !canSwitch()) {
        // Nothing to give back here (another session, Wayland): forget it.
        if (dpy || righe.size() != 7)
            dimentica();
        return false;
    }
    const Names back{righe[0], righe[1], righe[2], righe[3], righe[4]};
    const std::optional<Names> ora = readNames(dpy);
    bool ok = true;
    if (!ora || ora->layout != back.layout || ora->variant != back.variant)
        ok = loadKeymap(dpy, back);
    if (ok)
        lockGroup(dpy, righe[5].toInt());
    original_.reset();
    dimentica();
    return ok;
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
        dimentica();
        return activeLayout() == xkbName;
    }

    if (!original_ && group < groups.size()) {
        original_ = Original{names->rules, names->model, names->layout, names->variant,
                             names->options, group, groups[group]};
        ricorda();   // before the change: a crash right after it still finds it
    }

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
