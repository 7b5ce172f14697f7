#include "keyboard/ControlloLayout.h"
#include "platform/XkbKeyboard.h"

#include "tests/support/FakeServices.h"

#include <gtest/gtest.h>

using namespace tastiera;

namespace {

QString messaggi(int i)
{
    switch (i) {
    case 14: return QStringLiteral("La tastiera in uso non è impostata per la lingua");
    case 15: return QStringLiteral("Il programma, quindi, potrebbe non funzionare correttamente.");
    case 16: return QStringLiteral("francese");
    case 32: return QStringLiteral("Controllate le impostazioni della lingua nella guida in linea");
    default: return QStringLiteral("?");
    }
}

} // namespace

TEST(ControlloLayout, frenchAlreadyActive_nothingSwitchedNorRestored)
{
    fake::Keyboard kb;
    kb.layout = "fr";
    ControlloLayout c(&kb);
    EXPECT_NE(c.VerificaLayout(), ControlloLayout::Esito::Fallito);
    EXPECT_TRUE(c.layoutPrecedente().isEmpty());
    c.RipristinaLayout();
    EXPECT_TRUE(kb.activations.isEmpty());
    EXPECT_EQ(kb.layout, "fr");
}

TEST(ControlloLayout, otherLayout_switchesToFrenchAndRestoresOnceAtExit)
{
    fake::Keyboard kb;
    kb.layout = "it";
    ControlloLayout c(&kb);
    EXPECT_NE(c.VerificaLayout(), ControlloLayout::Esito::Fallito);
    EXPECT_EQ(kb.layout, "fr");
    EXPECT_EQ(c.layoutPrecedente(), "it");
    c.RipristinaLayout();
    EXPECT_EQ(kb.layout, "it");
    c.RipristinaLayout();
    EXPECT_EQ(kb.activations, (QStringList{"fr", "it"}));
}

TEST(ControlloLayout, frenchNotInstalled_warnsOnceAndPutsPreviousBack)
{
    fake::Services f;
    f.keyboard.layout = "us";
    f.keyboard.installed = {"us", "it"};
    ControlloLayout c(&f.keyboard);
    std::vector<int> guida;
    AvvisoLayout avviso;
    avviso.dialogs = &f.dialogs;
    avviso.messaggio = messaggi;
    avviso.apriGuida = [&](int id) { guida.push_back(id); };

    EXPECT_EQ(VerificaLayout(c, avviso), ControlloLayout::Esito::Fallito);
    EXPECT_EQ(f.keyboard.layout, "us");
    EXPECT_EQ(f.keyboard.activations, (QStringList{"fr"}));   // "us" is still active: nothing to reload
    EXPECT_TRUE(c.layoutPrecedente().isEmpty());
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].title, "Attenzione!");
    EXPECT_EQ(f.dialogs.shown[0].icon, platform::Dialogs::Critical);
    EXPECT_EQ(f.dialogs.shown[0].text,
              QStringLiteral("La tastiera in uso non è impostata per la lingua francese\r\n"
                             "Il programma, quindi, potrebbe non funzionare correttamente.\r\n"
                             "Controllate le impostazioni della lingua nella guida in linea"));
    EXPECT_EQ(guida, (std::vector<int>{1001}));

    c.RipristinaLayout();   // nothing was switched: nothing to restore
    EXPECT_EQ(f.keyboard.activations.size(), 1);
}

// A service that reports success but leaves another layout active.
class TastieraOstinata : public fake::Keyboard {
public:
    bool activateLayout(const QString &name) override
    {
        activations << name;
        layout = name == "fr" ? "de" : name;
        return true;
    }
};

TEST(ControlloLayout, switchThatDoesNotTakeEffect_reloadsTheRememberedLayout)
{
    TastieraOstinata kb;
    kb.layout = "it";
    ControlloLayout c(&kb);
    EXPECT_EQ(c.VerificaLayout(), ControlloLayout::Esito::Fallito);
    EXPECT_EQ(kb.activations, (QStringList{"fr", "it"}));
    EXPECT_EQ(kb.layout, "it");
    EXPECT_TRUE(c.layoutPrecedente().isEmpty());
}

TEST(ControlloLayout, withoutADisplayServer_nothingSwitchedAndNoFalseWarning)
{
    platform::XkbKeyboard xkb;   // offscreen platform: no display
    EXPECT_EQ(xkb.activeLayout(), "unknown");
    EXPECT_FALSE(xkb.activateLayout("fr"));
    EXPECT_FALSE(xkb.capsLockOn());
    EXPECT_FALSE(xkb.keymap());
    EXPECT_FALSE(xkb.canSwitch());
    xkb.capsLockOff();

    fake::Services f;
    ControlloLayout c(&xkb);
    AvvisoLayout avviso;
    avviso.dialogs = &f.dialogs;
    avviso.messaggio = messaggi;
    EXPECT_EQ(VerificaLayout(c, avviso), ControlloLayout::Esito::Sconosciuto);
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_TRUE(c.layoutPrecedente().isEmpty());
    EXPECT_FALSE(c.modello());
}

TEST(XkbKeyboard, layoutNames_onlySafeOnesAccepted)
{
    EXPECT_TRUE(platform::XkbKeyboard::validLayoutName("fr"));
    EXPECT_TRUE(platform::XkbKeyboard::validLayoutName("ch(fr)"));
    EXPECT_TRUE(platform::XkbKeyboard::validLayoutName("us(alt-intl)"));
    EXPECT_FALSE(platform::XkbKeyboard::validLayoutName(""));
    EXPECT_FALSE(platform::XkbKeyboard::validLayoutName("fr,us"));
    EXPECT_FALSE(platform::XkbKeyboard::validLayoutName("../../etc"));
    EXPECT_FALSE(platform::XkbKeyboard::validLayoutName("unknown layout"));
    EXPECT_FALSE(platform::XkbKeyboard::validLayoutName("(fr)"));
    EXPECT_FALSE(platform::XkbKeyboard::validLayoutName("ch(fr"));
    EXPECT_FALSE(platform::XkbKeyboard::validLayoutName("ch(f)r)"));
    EXPECT_FALSE(platform::XkbKeyboard::validLayoutName("ch(fr))"));
    EXPECT_FALSE(platform::XkbKeyboard::validLayoutName(QString(65, u'a')));
}
