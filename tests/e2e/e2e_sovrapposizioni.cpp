// The backdrop and the pop-up as the screen really shows them: on Xvfb with
// or without a window manager, and inside weston (natively on Wayland or
// through Xwayland, run_weston.sh). The screen is read from the X server that
// shows it (TASTAVIA_SCHERMO_X: the Xvfb weston draws into; otherwise
// DISPLAY), so what a compositor does to the pixels is part of the check:
// behind the name dialog the main window is darker but not black, and the
// pop-up shows over the keyboard; a balloon has no black corners.
// TASTAVIA_SCHERMATE=<folder> keeps the screenshots.

#include "app/Composizione.h"
#include "mainwindow/frmClavora.h"
#include "practice/modClavora.h"
#include "platform/SystemServices.h"
#include "settings/frmInput.h"
#include "tests/e2e/Studente.h"
#include "tests/support/FakeServices.h"
#include "ui/cTooltip.h"
#include "ui/frmShadow.h"
#include "ui/frmTransparency.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// The whole screen of an X server, or a null image.
QImage SchermoX(const QByteArray &nome)
{
    Display *dpy = XOpenDisplay(nome.isEmpty() ? nullptr : nome.constData());
    if (!dpy)
        return {};
    const Window radice = DefaultRootWindow(dpy);
    XWindowAttributes a{};
    XGetWindowAttributes(dpy, radice, &a);
    QImage img;
    if (XImage *x = XGetImage(dpy, radice, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap)) {
        img = QImage(a.width, a.height, QImage::Format_RGB32);
        for (int y = 0; y < a.height; ++y)
            for (int xx = 0; xx < a.width; ++xx) {
                const unsigned long p = XGetPixel(x, xx, y);
                img.setPixel(xx, y, qRgb(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)));
            }
        XDestroyImage(x);
    }
    XCloseDisplay(dpy);
    return img;
}

QImage Schermata(const QString &nome)
{
    const QImage img = SchermoX(qgetenv("TASTAVIA_SCHERMO_X"));
    const QString cartella = qEnvironmentVariable("TASTAVIA_SCHERMATE");
    if (!cartella.isEmpty() && !img.isNull())
        img.save(cartella + "/" + QGuiApplication::platformName() + "-" + nome + ".png");
    return img;
}

int Somma(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c); }

// Behind the dialog (prima) against the same screen without it (dopo).
struct Confronto {
    int cambiati = 0;   // pixels that differ clearly
    int oscurati = 0;   // ... at about half their brightness
    int neri = 0;       // ... gone black
    int nereDentro = 0; // ... of those, inside a black area (not a line nor a letter)
};
Confronto Confronta(const QImage &prima, const QImage &dopo)
{
    Confronto c;
    const auto nero = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < dopo.width() && y < dopo.height() &&
               Somma(prima.pixel(x, y)) < 24 && Somma(dopo.pixel(x, y)) > 150;
    };
    for (int y = 0; y < dopo.height(); ++y)
        for (int x = 0; x < dopo.width(); ++x) {
            const QRgb a = prima.pixel(x, y), b = dopo.pixel(x, y);
            if (std::abs(Somma(a) - Somma(b)) < 30)
                continue;
            ++c.cambiati;
            if (nero(x, y)) {
                ++c.neri;
                if (nero(x - 1, y) && nero(x + 1, y) && nero(x, y - 1) && nero(x, y + 1))
                    ++c.nereDentro;
            }
            const auto mezzo = [](int scuro, int chiaro) { return std::abs(scuro - chiaro * 127 / 255) <= 12; };
            if (mezzo(qRed(a), qRed(b)) && mezzo(qGreen(a), qGreen(b)) && mezzo(qBlue(a), qBlue(b)))
                ++c.oscurati;
        }
    return c;
}

// The pop-up's colours: its gradient from 0xFFE3D4 at the top to 0xFEB189.
int PixelPopup(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            const int verdeBlu = qGreen(c) - qBlue(c);
            n += qRed(c) >= 240 && qGreen(c) >= 165 && qGreen(c) <= 232 && qBlue(c) >= 125 &&
                 qBlue(c) <= 218 && verdeBlu >= 8 && verdeBlu <= 60;
        }
    return n;
}

TEST(SovrapposizioniReali, backdropDimsTheMainWindowAndThePopupShows)
{
    const QString piattaforma = QGuiApplication::platformName();
    if (piattaforma != "xcb" && !piattaforma.startsWith("wayland"))
        GTEST_SKIP() << "needs a display";
    if (SchermoX(qgetenv("TASTAVIA_SCHERMO_X")).isNull())
        GTEST_SKIP() << "no X server to read the screen from";
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "Esercizi");
    QDir().mkpath(cartella + "CorsoDattilo");
    platform::SystemServices sistema;
    fake::InstanceLock libero;
    // A layout warning must not stop the run, nor open the help in a browser.
    fake::Dialogs dialoghi;
    fake::Desktop scrivania;
    scrivania.temp = cartella;
    platform::Services servizi = sistema.services();
    servizi.instance = &libero;
    servizi.dialogs = &dialoghi;
    servizi.desktop = &scrivania;

    Studente studente;
    frmClavora *f = nullptr;
    QImage conDialogo, conPopup, senza, conFumetto;
    bool grande = false;
    // A moment for the compositor to show what was painted.
    QElapsedTimer fermo;
    auto dopo = [&fermo](bool condizione) {
        if (!condizione) {
            fermo.invalidate();
            return false;
        }
        if (!fermo.isValid())
            fermo.start();
        return fermo.elapsed() > 700;
    };
    auto ombra = [&] { return f ? f->findChild<frmShadow *>() : nullptr; };
    studente.passi = {
        {"the name dialog over the backdrop", [&] {
             f = finestraPrincipale();
             auto *nome = qobject_cast<frmInput *>(QApplication::activeModalWidget());
             return dopo(nome && nome->isVisible() && ombra() && ombra()->isVisible() &&
                         ombra()->alpha() == 128);
         }, [&] {
             conDialogo = Schermata("1-dialogo");
             auto *nome = qobject_cast<frmInput *>(QApplication::activeModalWidget());
             nome->txtNomeUtente->setText("PROVA");
             nome->accept();
         }},
        {"the pop-up at rest over the keyboard", [&] {
             return dopo(!ombra() && f->s.popupVisibile && f->popup->isVisible() &&
                         !f->popup->inScorrimento());
         }, [&] {
             conPopup = Schermata("2-popup");
             grande = f->s.schermoGrande;
             f->popup->Chiudi();
         }},
        {"the pop-up gone", [&] { return dopo(!f->popup->isVisible()); }, [&] {
             senza = Schermata("3-senza");
         }},
    };
    // The balloon of the expert mode, where the mouse can be put on it: on the
    // X server whose screen is read.
    const bool mouse = qEnvironmentVariableIsEmpty("TASTAVIA_SCHERMO_X") && piattaforma == "xcb";
    if (mouse)
        studente.passi.push_back({"the mouse on the expert mode", [] { return true; }, [&] {
            const QPoint m = f->optLevel[1]->mapToGlobal(QPoint(30, 12));
            xdotool({"mousemove", QString::number(m.x()), QString::number(m.y())});
        }});
    if (mouse)
        studente.passi.push_back(
            {"its balloon", [&] { return dopo(f->fumettiLivello->suggerimentoVisibile() != nullptr); },
             [&] { conFumetto = Schermata("4-fumetto"); }});
    studente.parti();
    Avvia(servizi, cartella, {}, [] { return QApplication::exec(); });
    ASSERT_TRUE(studente.fallito.isEmpty()) << studente.fallito.toStdString();
    ASSERT_EQ(studente.corrente, studente.passi.size());
    ASSERT_FALSE(conDialogo.isNull() || conPopup.isNull() || senza.isNull());

    // The main window behind the dialog: most of what changed is at half its
    // brightness (the dialog and the welcome text are the rest), nothing black.
    const Confronto c = Confronta(conDialogo, senza);
    const int schermo = senza.width() * senza.height();
    EXPECT_GT(c.oscurati, schermo / 8) << c.oscurati << " of " << c.cambiati << " changed";
    EXPECT_GT(c.oscurati, c.cambiati * 3 / 4) << c.oscurati << " of " << c.cambiati;
    EXPECT_LT(c.neri, c.oscurati / 50) << c.neri << " black";

    // The pop-up: its colours over a good part of its size (the main window
    // may cut its bottom), and no black where it was.
    const QSize lato = DimensioneTwips(grande) / TwipsPerPixel;
    const int popup = PixelPopup(conPopup) - PixelPopup(senza);
    EXPECT_GT(popup, lato.width() * lato.height() / 4) << popup << " pixels of the pop-up";
    EXPECT_LT(Confronta(conPopup, senza).neri, 200);

    // The balloon: there, and no black area around its shape (its black text
    // and outline are lines).
    if (mouse) {
        const Confronto fumetto = Confronta(conFumetto, senza);
        EXPECT_GT(fumetto.cambiati, 3000);
        EXPECT_LT(fumetto.nereDentro, 40) << fumetto.nereDentro << " pixels of black areas";
    }
}

} // namespace
