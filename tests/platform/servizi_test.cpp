// The production services where there is no X11 display, no sound server and no
// printer (as in CI): every answer is the documented fallback, nothing crashes.

#include "platform/Services.h"
#include "platform/SystemServices.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

TEST(ServiziSenzaDisplay, keyboardLayoutIsUnknownAndSwitchingFails)
{
    ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
    platform::SystemServices sistema;
    platform::Services s = sistema.services();
    EXPECT_EQ(s.keyboard->activeLayout(), "unknown");
    EXPECT_FALSE(s.keyboard->activateLayout("fr"));
    EXPECT_FALSE(s.keyboard->capsLockOn());
    s.keyboard->capsLockOff();   // a no-op, not a crash
    EXPECT_FALSE(s.screen->compositing());
}

TEST(ServiziSenzaDisplay, soundWithoutAServer_isSilent)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/socket");
    platform::SystemServices sistema;
    sistema.startSound();
    for (int id = 101; id <= 112; ++id)
        sistema.services().sound->play(id);
    sistema.services().sound->play(999);   // an unknown sound too
    SUCCEED();
}

TEST(ServerAudio, libpulseIsLoadedOnlyWhereAServerCanListen)
{
    const QStringList sockets = platform::pulseSocketCandidates("/run/user/1000", 1000);
    EXPECT_EQ(sockets, QStringList({"/run/user/1000/pulse/native", "/var/run/pulse/native"}));
    const QStringList senzaSessione = platform::pulseSocketCandidates({}, 1001);
    EXPECT_EQ(senzaSessione.first(), "/run/user/1001/pulse/native");

    QStringList chiesti;
    auto nessuno = [&](const QString &p) { chiesti << p; return false; };
    EXPECT_FALSE(platform::soundServerMayRun({}, sockets, nessuno));
    EXPECT_EQ(chiesti, sockets);
    EXPECT_FALSE(platform::soundServerMayRun("  ", sockets, nessuno));
    EXPECT_TRUE(platform::soundServerMayRun("tcp:casa", sockets, nessuno));
    EXPECT_TRUE(platform::soundServerMayRun({}, sockets, [](const QString &p) {
        return p == "/var/run/pulse/native";
    }));
}

TEST(ServiziSenzaDisplay, clockGivesWholeSecondsAndTempEndsWithASlash)
{
    platform::SystemServices sistema;
    platform::Services s = sistema.services();
    EXPECT_EQ(s.clock->now().time().msec(), 0);
    EXPECT_TRUE(s.desktop->tempPath().endsWith('/'));
    const double r = s.random->next();
    EXPECT_GE(r, 0.0);
    EXPECT_LT(r, 1.0);
}

TEST(Layout, windowsIdsMapToXkbNamesAndBack)
{
    EXPECT_EQ(platform::xkbNameForLayoutId("0000040C"), "fr");
    EXPECT_EQ(platform::xkbNameForLayoutId("0000040c"), "fr");
    EXPECT_EQ(platform::xkbNameForLayoutId("12345678"), "");
    EXPECT_EQ(platform::layoutIdForXkbName("fr(oss)"), "0000040C");
    EXPECT_EQ(platform::layoutIdForXkbName("xx"), "");
}

TEST(Lingua, localesGiveTheWindowsLanguageIds)
{
    EXPECT_EQ(platform::languageIdForLocale("de_DE"), 1031);
    EXPECT_EQ(platform::languageIdForLocale("en_GB"), 1033);
    EXPECT_EQ(platform::languageIdForLocale("es"), 1034);
    EXPECT_EQ(platform::languageIdForLocale("fr_CA"), 1036);
    EXPECT_EQ(platform::languageIdForLocale("it_IT"), 1040);
    EXPECT_EQ(platform::languageIdForLocale("C"), 1040);   // unknown: Italian
}

TEST(IstanzaUnica, aSecondLockFailsUntilTheFirstIsGone)
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    auto prima = std::make_unique<platform::SystemServices>();
    EXPECT_TRUE(prima->services().instance->tryLock());
    {
        platform::SystemServices seconda;
        EXPECT_FALSE(seconda.services().instance->tryLock());
    }
    prima.reset();
    platform::SystemServices terza;
    EXPECT_TRUE(terza.services().instance->tryLock());
}

TEST(Finestre, messageBox_handsTheKeyboardBackToTheWindowThatAsked)
{
    QWidget finestra;
    finestra.show();
    QWidget altra;   // took the keyboard while the box was open
    platform::SystemServices sistema;
    QTimer::singleShot(0, [&altra] {
        altra.show();
        altra.activateWindow();
        QCoreApplication::processEvents();
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    sistema.services().dialogs->message(&finestra, "Tastavia", "?", platform::Dialogs::Information,
                                        platform::Dialogs::Ok);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &finestra);
}
