// The main window's pop-up over the keyboard, its balloons and the keyboard sheet.

#include "FinestraTest.h"

#include "keyboard/FoglioTastiera.h"
#include "keyboard/TastieraVirtuale.h"
#include "ui/cTooltip.h"
#include "ui/frmTransparency.h"

#include <QComboBox>
#include <QRadioButton>

namespace {

class Effetti : public FinestraTest {
protected:
    // Where the pop-up comes to rest in the main window: over key Q, 10 pixels
    // into it, at the last step of the slide from the bottom of the (fake) screen.
    QPoint posizionePopup() const
    {
        const QPoint obiettivo = finestra->picNotebook->mapTo(
            finestra.get(), finestra->picKeyword->pos() +
                                finestra->picKeyword->rettangoloTasto(10).topLeft() + QPoint(10, 0));
        const int fondo = finestra->mapFromGlobal(QPoint(0, fakes.screen.pixels.height())).y();
        const int y = PosizioniScorrimento(fondo * 15, obiettivo.y() * 15).back() / 15;
        return {obiettivo.x(), y};
    }
    bool popupVisibile() const
    {
        return stato->popupVisibile && finestra->popup->isVisible();
    }
    bool invioPremuto() const
    {
        const auto &t = finestra->picKeyword->stato();
        return t.tasto(tastiera::TastoInvioAlto).premuto || t.tasto(tastiera::TastoInvioBasso).premuto;
    }
};

// A printer that notes what the keyboard looked like while it printed.
class StampanteSpia : public fake::Printer {
public:
    std::function<void()> durante;
    bool print(const QString &documento, bool orizzontale, int pagine,
               const Disegno &disegna) override
    {
        if (durante)
            durante();
        return fake::Printer::print(documento, orizzontale, pagine, disegna);
    }
};

// --- The pop-up

TEST_F(Effetti, welcome_slidesThePopupOverTheKeyboard)
{
    apri();
    ASSERT_NE(finestra->popup, nullptr);
    EXPECT_TRUE(popupVisibile());
    EXPECT_EQ(finestra->popup->pos(), posizionePopup());
    EXPECT_TRUE(finestra->popup->testo().startsWith("Appoggia le dita sulla riga centrale"));
    // Inside the main window, over the keyboard.
    EXPECT_EQ(finestra->popup->parentWidget(), finestra.get());
    EXPECT_TRUE(finestra->popup->geometry().intersects(
        QRect(finestra->picNotebook->mapTo(finestra.get(), finestra->picKeyword->pos()),
              finestra->picKeyword->size())));
    // It leaves the keyboard to the main window.
    EXPECT_NE(QApplication::activeWindow(), finestra->popup);
    EXPECT_NE(QApplication::focusWidget(), finestra->popup);
}

TEST_F(Effetti, enter_sendsThePopupAwayAndStartsTheLine)
{
    apri();
    ASSERT_TRUE(popupVisibile());
    QTest::keyClick(finestra->txtInput, Qt::Key_Return);
    EXPECT_FALSE(stato->popupVisibile);
    EXPECT_FALSE(finestra->popup->isVisible());
    EXPECT_FALSE(finestra->pratica.carattereAtteso().isEmpty());
}

TEST_F(Effetti, anyKey_sendsThePopupAway)
{
    apri();
    ASSERT_TRUE(popupVisibile());
    QTest::keyClick(finestra->picNotebook, Qt::Key_A);
    EXPECT_FALSE(popupVisibile());
}

TEST_F(Effetti, clickOnTheWindowOrTheFileList_sendsThePopupAway)
{
    apri();
    ASSERT_TRUE(popupVisibile());
    QTest::mouseClick(finestra->picDisplay, Qt::LeftButton, {}, QPoint(590, 5));
    EXPECT_FALSE(popupVisibile());

    // Back with the welcome of a restart; then the list is opened.
    scrivi("Esercizi/a.txt", "abc");
    finestra->lblMenu_Click(1);
    ASSERT_TRUE(popupVisibile());
    finestra->optMenu[3]->setChecked(true);
    finestra->optMenu_Click(3);
    QTest::mousePress(finestra->cboListFile, Qt::LeftButton);
    EXPECT_FALSE(popupVisibile());
    finestra->cboListFile->hidePopup();
}

TEST_F(Effetti, blinkTick_whenAnotherProgramIsActive_sendsThePopupAway)
{
    apri();
    ASSERT_TRUE(popupVisibile());
    QApplication::setActiveWindow(finestra.get());
    finestra->Timer2_Timer();
    EXPECT_TRUE(popupVisibile());
    QApplication::setActiveWindow(nullptr);
    finestra->Timer2_Timer();
    EXPECT_FALSE(popupVisibile());
}

TEST_F(Effetti, modalWindows_openWithThePopupAway)
{
    apri();
    bool visibileDurante = true;
    finestra->apriInfo = [&](QWidget *, const frmInfo::Azioni &) {
        visibileDurante = stato->popupVisibile;
        return false;
    };
    finestra->lblMenu_Click(2);
    EXPECT_FALSE(visibileDurante);
    EXPECT_TRUE(popupVisibile());   // the practice starts afresh with its welcome

    visibileDurante = true;
    finestra->apriGioco = [&](QWidget *) {
        visibileDurante = stato->popupVisibile;
        return 0;
    };
    finestra->optMenu_Click(4);
    EXPECT_FALSE(visibileDurante);
}

// --- Balloons

TEST_F(Effetti, kindAndModeButtons_haveBalloonsWithTheirTitles)
{
    apri();
    ASSERT_TRUE(finestra->fumettiMenu && finestra->fumettiLivello);
    const cTooltip &menu = *finestra->fumettiMenu;
    EXPECT_EQ(menu.ToolCount(), 5);
    EXPECT_EQ(menu.Title(), "Esercitazioni e corsi");
    EXPECT_EQ(menu.ToolText(finestra->optMenu[2]),
              "Consente di esercitarsi utilizzando degli esercizi personalizzati");
    EXPECT_EQ(menu.DelayTime(), 100);
    EXPECT_EQ(menu.VisibleTime(), 15000);
    const cTooltip &livello = *finestra->fumettiLivello;
    EXPECT_EQ(livello.ToolCount(), 2);
    EXPECT_EQ(livello.Title(), QString::fromUtf8("Livello di difficoltà"));
    EXPECT_EQ(livello.ToolText(finestra->optLevel[1]),
              QString::fromUtf8("Imposta il programma in modalità esperto"));
    // No plain tooltip beside the balloon.
    EXPECT_TRUE(finestra->optMenu[0]->toolTip().isEmpty());
    EXPECT_TRUE(finestra->optLevel[0]->toolTip().isEmpty());
}

TEST_F(Effetti, changeOfLanguage_renewsBalloonsAndPopupText)
{
    apri();
    finestra->lingua = [](const QString &id, const QString &) { return "[" + id + "]"; };
    finestra->apriInfo = [this](QWidget *, const frmInfo::Azioni &) {
        stato->linguaCorrente = "English";
        return false;
    };
    finestra->lblMenu_Click(2);
    EXPECT_EQ(finestra->fumettiMenu->Title(), "[0172]");
    EXPECT_EQ(finestra->fumettiMenu->ToolText(finestra->optMenu[2]), "[0176]");
    EXPECT_EQ(finestra->fumettiMenu->ToolText(finestra->optMenu[3]), "[0175]");
    EXPECT_EQ(finestra->fumettiMenu->ToolCount(), 5);
    EXPECT_EQ(finestra->fumettiLivello->Title(), "[0034]");
    EXPECT_EQ(finestra->fumettiLivello->ToolText(finestra->optLevel[0]), "[0170]");
    EXPECT_EQ(finestra->popup->testo(), "[0033]");
}

// --- The keyboard sheet

TEST_F(Effetti, printQuestion_namesTastaviaWithTheEnterPromptStoppedAndThePopupAway)
{
    apri({}, "ANNA");
    fakes.printer.present = true;
    ASSERT_TRUE(popupVisibile());
    ASSERT_FALSE(finestra->pratica.fermaLampeggio());
    bool popupDurante = true, invioDurante = true, lampeggioDurante = false;
    fakes.dialogs.whileShown = [&](const fake::Dialogs::Shown &) {
        popupDurante = stato->popupVisibile;
        invioDurante = invioPremuto();
        lampeggioDurante = !finestra->pratica.fermaLampeggio();
    };
    fakes.dialogs.answers.push_back(platform::Dialogs::AnsNo);
    finestra->StampaTastiera();
    ASSERT_FALSE(fakes.dialogs.shown.empty());
    const auto &domanda = fakes.dialogs.shown.back();
    EXPECT_EQ(domanda.text, QString::fromUtf8(
                                "Vuoi stampare la tastiera di Tastavia?\r\n"
                                "(la tastiera verrà stampata esattamente come la vedi in questo momento)"));
    EXPECT_EQ(domanda.title, "Tastavia");
    EXPECT_EQ(domanda.icon, platform::Dialogs::Question);
    EXPECT_EQ(domanda.buttons, platform::Dialogs::YesNo);
    EXPECT_FALSE(popupDurante);
    EXPECT_FALSE(invioDurante);
    EXPECT_FALSE(lampeggioDurante);
    // No: nothing printed, everything as before.
    EXPECT_TRUE(fakes.printer.pages.empty());
    EXPECT_TRUE(popupVisibile());
    EXPECT_FALSE(finestra->pratica.fermaLampeggio());
    EXPECT_TRUE(invioPremuto());
}

TEST_F(Effetti, printing_putsTheKeyboardAsShownOnTheSheetAndRestoresTheScreen)
{
    StampanteSpia spia;
    spia.present = true;
    stato->servizi.printer = &spia;
    apri();
    finestra->picKeyword->EvidenziaTasto(QChar('A'));   // a highlight to see on paper
    QString tooltipDurante = "?";
    bool invioDurante = true;
    spia.durante = [&] {
        tooltipDurante = finestra->picKeyword->tooltipTasto37();
        invioDurante = invioPremuto();
    };
    fakes.dialogs.answers.push_back(platform::Dialogs::AnsYes);
    finestra->StampaTastiera();
    ASSERT_EQ(spia.pages.size(), 1u);
    EXPECT_EQ(spia.document, "Tastavia");
    EXPECT_EQ(tooltipDurante, "");
    EXPECT_FALSE(invioDurante);

    // The picture: the keyboard as shown, stretched over 260 x 94 mm at 16, 25 mm.
    const QImage &pagina = spia.pages.front();
    ASSERT_GT(pagina.width(), pagina.height());
    const double mm = 96 / 25.4;
    const QRect atteso = QRectF(16 * mm, 25 * mm, 260 * mm, 94 * mm).toAlignedRect();
    finestra->picKeyword->DisegnaTasto(tastiera::TastoInvioBasso, 1);
    finestra->picKeyword->DisegnaTasto(tastiera::TastoInvioAlto, 1);
    const QImage mostrata = finestra->picKeyword->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Compared a quarter the size: thin bevel lines land a pixel apart after two stretches.
    const QSize piccola = mostrata.size() / 4;
    const QImage a = mostrata.scaled(piccola, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage b = pagina.copy(atteso).scaled(piccola, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double differenza = 0;
    for (int y = 0; y < piccola.height(); ++y)
        for (int x = 0; x < piccola.width(); ++x) {
            const QColor ca = a.pixelColor(x, y), cb = b.pixelColor(x, y);
            differenza += qAbs(ca.red() - cb.red()) + qAbs(ca.green() - cb.green()) +
                          qAbs(ca.blue() - cb.blue());
        }
    EXPECT_LT(differenza / (3.0 * piccola.width() * piccola.height()), 6.0);
    // White around it, above the two lines of text.
    EXPECT_EQ(pagina.pixelColor(atteso.left() - 3, atteso.center().y()), QColor(Qt::white));
    EXPECT_EQ(pagina.pixelColor(atteso.center().x(), atteso.top() - 3), QColor(Qt::white));
    EXPECT_EQ(pagina.pixelColor(atteso.center().x(), atteso.bottom() + 4), QColor(Qt::white));

    // Afterwards: the prompt blinks, the pop-up is back, key 37 has its tooltip.
    EXPECT_FALSE(finestra->pratica.fermaLampeggio());
    EXPECT_TRUE(popupVisibile());
    EXPECT_EQ(finestra->picKeyword->tooltipTasto37(), "Doppio click per tastiera 2D/3D");
}

TEST_F(Effetti, printingWithoutAPrinter_printsNothingAndRestoresTheScreen)
{
    apri();
    fakes.printer.present = false;
    fakes.dialogs.answers.push_back(platform::Dialogs::AnsYes);
    finestra->StampaTastiera();
    EXPECT_TRUE(fakes.printer.pages.empty());
    EXPECT_FALSE(finestra->pratica.fermaLampeggio());
    EXPECT_TRUE(popupVisibile());
    EXPECT_EQ(finestra->picKeyword->tooltipTasto37(), "Doppio click per tastiera 2D/3D");
}

} // namespace
