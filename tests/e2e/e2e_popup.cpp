// The pop-up over the keyboard on a real X server, with or without a window
// manager: it slides up with the welcome without taking the keyboard from the
// main window, a click on it (or anywhere in the window) sends it away, and
// keys typed while it shows reach the input line. Keys and clicks come only
// from xdotool.

#include "app/Composizione.h"
#include "mainwindow/LineaInput.h"
#include "mainwindow/Pannelli.h"
#include "mainwindow/frmClavora.h"
#include "practice/modClavora.h"
#include "keyboard/TastieraVirtuale.h"
#include "platform/SystemServices.h"
#include "tests/e2e/Studente.h"
#include "tests/support/FakeServices.h"
#include "ui/frmTransparency.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(PopupReale, popupLeavesTheKeyboardToTheWindowAndGoesOnAClick)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server";
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "Esercizi");
    QDir().mkpath(cartella + "CorsoDattilo");
    {
        QFile f(cartella + "Esercizi/festa.ftd");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Livello1]\r\n1=f\xEAte\r\n2=f\xEAte\r\n");   // code page 1252
    }
    platform::SystemServices sistema;
    fake::InstanceLock libero;
    platform::Services servizi = sistema.services();
    servizi.instance = &libero;

    Studente studente;
    frmClavora *f = nullptr;
    auto popupFermo = [&] {
        f = finestraPrincipale();
        return f && f->popup && f->s.popupVisibile && f->popup->isVisible() &&
               !f->popup->inScorrimento();
    };
    auto finestraAttiva = [&] { return QApplication::activeWindow() == f; };
    // The line starts on Return's press; its release, which sends any pop-up
    // away, may still be on its way on a loaded machine.
    QElapsedTimer avviata;
    auto rigaAvviataDaPoco = [&] {
        if (f->pratica.carattereAtteso() != "f" || !finestraAttiva()) {
            avviata.invalidate();
            return false;
        }
        if (!avviata.isValid())
            avviata.start();
        return avviata.elapsed() > 500;
    };
    auto nessuno = [] {};
    studente.passi = {
        {"the name dialog", [] { return QApplication::activeModalWidget() != nullptr; }, nessuno},
        {"the name dialog's field", [] { return qobject_cast<QLineEdit *>(QApplication::focusWidget()); },
         [] { xdotool({"type", "--delay", "50", "PROVA"}); }},
        {"the name in its field", [] {
             auto *campo = qobject_cast<QLineEdit *>(QApplication::focusWidget());
             return campo && campo->text() == "PROVA";
         }, [] { xdotool({"key", "Return"}); }},
        // The welcome brings the pop-up; the main window keeps the keyboard.
        {"the pop-up at rest over the keyboard, the window active",
         [&] { return popupFermo() && finestraAttiva() && f->pratica.startAbilitato(); },
         [&] {
             const QRect q = f->picKeyword->rettangoloTasto(10);
             const QPoint obiettivo =
                 f->picNotebook->mapTo(f, f->picKeyword->pos() + q.topLeft() + QPoint(10, 0));
             EXPECT_EQ(f->popup->parentWidget(), f);
             EXPECT_EQ(f->popup->x(), obiettivo.x());
             EXPECT_GE(f->popup->y(), obiettivo.y());
             EXPECT_LT(f->popup->y(), obiettivo.y() + PassoScorrimentoTwips / TwipsPerPixel);
             EXPECT_NE(QApplication::focusWidget(), f->popup);
             // Over the keyboard on the screen: its own colours show there.
             const QPoint dentro = f->popup->mapToGlobal(QPoint(12, f->popup->height() / 2));
             const QColor c = QGuiApplication::primaryScreen()->grabWindow(0).toImage().pixelColor(dentro);
             EXPECT_GT(c.red(), 235) << qPrintable(c.name());
             EXPECT_TRUE(c.green() > 160 && c.green() < 215) << qPrintable(c.name());
             EXPECT_TRUE(c.blue() > 120 && c.blue() < 190) << qPrintable(c.name());
             // A click on the pop-up lands on the keyboard beneath it.
             clicca(f->popup->mapToGlobal(f->popup->rect().center() + QPoint(0, 20)));
         }},
        {"the pop-up to go after the click", [&] { return !f->s.popupVisibile && !f->popup->isVisible(); },
         [] { xdotool({"key", "Return"}); }},
        {"the line to start, Return released", rigaAvviataDaPoco,
         [&] {
             // The pop-up up again while the line runs: the learner types on.
             const QPoint obiettivo = f->picNotebook->mapTo(
                 f, f->picKeyword->pos() + f->picKeyword->rettangoloTasto(10).topLeft() + QPoint(10, 0));
             f->popup->Apri(obiettivo, f->mapFromGlobal(f->screen()->geometry().bottomLeft()).y() + 1);
         }},
        {"the pop-up up during the line", popupFermo,
         [] { xdotool({"key", "--delay", "80", "f", "dead_circumflex", "e", "t", "e"}); }},
        // The first key sent it away; it fades meanwhile.
        {"the line typed to its end, the pop-up gone",
         [&] { return f->pratica.rigaCompletata() && !f->popup->isVisible(); }, [&] {
             EXPECT_EQ(f->txtInput->text(), QString::fromUtf8("fête"));
             EXPECT_EQ(f->s.totaleErrori, 0);
             EXPECT_FALSE(f->s.popupVisibile);
         }},
    };
    studente.parti();
    Avvia(servizi, cartella, {"/festa.ftd"}, [] { return QApplication::exec(); });
    EXPECT_TRUE(studente.fallito.isEmpty()) << studente.fallito.toStdString();
    EXPECT_EQ(studente.corrente, studente.passi.size());
}

} // namespace
