// The main window's helpers around the practice: the balloons of the kinds of
// material and of the modes, and the pop-up over the keyboard.

#include "mainwindow/Pannelli.h"
#include "mainwindow/frmClavora.h"
#include "keyboard/TastieraVirtuale.h"
#include "ui/cTooltip.h"
#include "ui/frmTransparency.h"

#include <QRadioButton>

namespace {

struct TestoId {
    const char *id;
    const char *testo;
};

// Balloon titles and texts by kind of material (optMenu 0..4) and by mode.
constexpr TestoId TitoloMenu{"0172", "Esercitazioni e corsi"};
constexpr TestoId TestiMenu[5] = {
    {"0173", "Consente di esercitarsi utilizzando le frasi interne"},
    {"0174", "Consente di esercitarsi utilizzando un corso di dattilografia"},
    {"0176", "Consente di esercitarsi utilizzando degli esercizi personalizzati"},
    {"0175", "Consente di esercitarsi utilizzando dei comuni file di testo"},
    {"0177", "Consente di accedere alla sezione allenamento e gioco"},
};
constexpr TestoId TitoloLivello{"0034", "Livello di difficoltà"};
constexpr TestoId TestiLivello[2] = {
    {"0170", "Imposta il programma in modalità principiante"},
    {"0171", "Imposta il programma in modalità esperto"},
};
// What the pop-up tells the learner before a line starts.
constexpr TestoId TestoPopup{
    "0033", "Appoggia le dita sulla riga centrale: i mignoli su Q e M, gli indici su F e J, "
            "i tasti con il rilievo. Poi premi Entrée per iniziare."};

// The balloons appear quickly and stay long enough to be read.
constexpr int RitardoFumetti = 100;
constexpr int DurataFumetti = 15000;

} // namespace

// The balloon texts in the interface language; made with the controls at the
// first call, renewed after a change of language.
void frmClavora::ImpostaFumetti()
{
    const auto testo = [this](const TestoId &t) {
        return Testo(lingua, QString::fromLatin1(t.id), QString::fromUtf8(t.testo));
    };
    // The times are set before the tip window is made.
    const auto prepara = [this](std::unique_ptr<cTooltip> &fumetti) {
        if (fumetti)
            return;
        fumetti = std::make_unique<cTooltip>();
        fumetti->setDelayTime(RitardoFumetti);
        fumetti->setVisibleTime(DurataFumetti);
        fumetti->setIcon(cTooltip::IconaInfo);
        fumetti->setComposizione(s.windowsNT5);
        fumetti->Create(this);
    };

    prepara(fumettiMenu);
    fumettiMenu->setTitle(testo(TitoloMenu));
    for (size_t i = 0; i < optMenu.size(); ++i)
        if (!fumettiMenu->AddTool(optMenu[i], testo(TestiMenu[i])))
            fumettiMenu->setToolText(optMenu[i], testo(TestiMenu[i]));

    prepara(fumettiLivello);
    fumettiLivello->setTitle(testo(TitoloLivello));
    for (size_t i = 0; i < optLevel.size(); ++i)
        if (!fumettiLivello->AddTool(optLevel[i], testo(TestiLivello[i])))
            fumettiLivello->setToolText(optLevel[i], testo(TestiLivello[i]));

    if (popup)
        popup->setTesto(testo(TestoPopup));
}

// Over the keyboard: its left edge 10 pixels into key 10 (Q), its top on that
// key's top, sliding up from the bottom of the screen (inside the window).
void frmClavora::ApriPopup()
{
    if (!popup || chiusa || !isVisible())
        return;
    const QRect q = picKeyword->rettangoloTasto(10);
    const QPoint obiettivo = picNotebook->mapTo(this, picKeyword->pos() + q.topLeft() + QPoint(10, 0));
    // The screen's bottom edge in the window's pixels: the slide's start.
    const QSize schermo = s.servizi.screen->size();
    const int fondo = schermo.isValid() ? mapFromGlobal(QPoint(0, schermo.height())).y() : height();
    popup->Apri(obiettivo, fondo);
}

void frmClavora::NascondiPopup()
{
    if (popup && s.popupVisibile)
        popup->Chiudi();
}
