#pragma once
// The learner of the end-to-end tests on a real X server: steps, each waiting
// for what the learner would see before acting (keys and clicks through
// xdotool only). Driven by a timer, so the program's own loops (dialogs,
// pauses) keep running; the test never gives a window the focus.

#include "app/Composizione.h"
#include "mainwindow/LineaInput.h"
#include "mainwindow/frmClavora.h"
#include "practice/modClavora.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <functional>
#include <utility>
#include <vector>

inline frmClavora *finestraPrincipale()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<frmClavora *>(w))
            return f;
    return nullptr;
}

// The program's own SIGTERM handling, for the suites that send signals; once
// per process, since a second notifier would read the same pipe.
inline void ChiudiAiSegnaliUnaVolta()
{
    static bool installato = false;
    if (!std::exchange(installato, true))
        ChiudiAiSegnali(qApp);
}

inline QMessageBox *domandaAperta()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<QMessageBox *>(w); m && m->isVisible())
            return m;
    return nullptr;
}

// Without waiting: the program keeps handling its events while the keys arrive,
// as it does while a learner types.
inline void xdotool(const QStringList &argomenti)
{
    // Under weston the keys go to the X server that holds it, not to Xwayland.
    const QString display = qEnvironmentVariable("TASTAVIA_XDOTOOL_DISPLAY");
    if (display.isEmpty()) {
        QProcess::startDetached("xdotool", argomenti);
        return;
    }
    QProcess p;
    p.setProgram("xdotool");
    p.setArguments(argomenti);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.startDetached();
}

// A click at a screen point, as the learner's mouse.
inline void clicca(const QPoint &punto)
{
    xdotool({"mousemove", "--sync", QString::number(punto.x()), QString::number(punto.y()),
             "click", "1"});
}

// Counts the message boxes that open.
class ContaDomande : public QObject {
public:
    int aperte = 0;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show && qobject_cast<QMessageBox *>(o))
            ++aperte;
        return false;
    }
};

class Studente : public QObject {
public:
    struct Passo {
        QString attesa;                    // what is awaited, for the failure message
        std::function<bool()> pronto;
        std::function<void()> azione;
    };
    std::vector<Passo> passi;
    size_t corrente = 0;
    QString fallito;

    void parti()
    {
        connect(&timer_, &QTimer::timeout, this, [this] { passo(); });
        timer_.start(50);
        orologio_.start();
    }

private:
    void passo()
    {
        if (finito_)
            return;
        if (corrente >= passi.size()) {
            chiudi();
            return;
        }
        if (orologio_.elapsed() > 20000) {
            fallito = "waited in vain for: " + passi[corrente].attesa;
            if (frmClavora *f = finestraPrincipale())
                fallito += QString(" (input line \"%1\", %2 errors, expected \"%3\", focus %4)")
                               .arg(f->txtInput->text())
                               .arg(f->s.totaleErrori)
                               .arg(f->pratica.carattereAtteso())
                               .arg(QApplication::focusWidget()
                                        ? QApplication::focusWidget()->metaObject()->className()
                                        : "none");
            chiudi();
            return;
        }
        if (!passi[corrente].pronto())
            return;
        ++corrente;
        orologio_.restart();
        passi[corrente - 1].azione();
    }
    void chiudi()
    {
        finito_ = true;
        timer_.stop();
        if (QMessageBox *m = domandaAperta())
            m->reject();
        if (frmClavora *f = finestraPrincipale())
            f->close();
        QCoreApplication::exit(0);
    }
    bool finito_ = false;
    QTimer timer_;
    QElapsedTimer orologio_;
};
