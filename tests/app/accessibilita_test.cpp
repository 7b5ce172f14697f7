// What a screen reader and a keyboard user get from the main window: the
// command row reached and pressed without a mouse, names for the controls
// that show a symbol, the input line saying the next character; and a change
// of language that keeps the learner's choice of material.

#include "FinestraTest.h"

#include "settings/modLanguageSupport.h"
#include "ui/Accessibile.h"

#include <QAccessible>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

class Accessibilita : public FinestraTest {
protected:
    void SetUp() override
    {
        FinestraTest::SetUp();
        scrivi("Esercizi/a.ftd", "[Livello1]\r\n1=le chat\r\n2=un mur\r\n3=la fée\r\n4=il dort\r\n5=au lit\r\n");
        scrivi("Esercizi/b.ftd", "[Livello1]\r\n1=b\r\n");
        scrivi("Esercizi/a.txt", "Le chat dort.");
        for (const char *n : {"L01.ftd", "L02.ftd", "L03.ftd"})
            scrivi(QString("CorsoDattilo/") + n, "[Livello1]\r\n1=abc\r\n");
        QDir().mkpath(cartella + "Lang");
        QFile::copy(QStringLiteral(TASTAVIA_SOURCE_DIR) + "/data/Lang/German.lng", cartella + "Lang/German.lng");
    }
    void TearDown() override { modLanguageSupport::InstallaTraduzioniQt("English"); }
};

TEST_F(Accessibilita, commandRow_isReachedWithTabAndPressedBySpaceEnterOrTheScreenReader)
{
    apri();
    QLabel *suoni = finestra->lblMenu[3];
    EXPECT_EQ(suoni->focusPolicy(), Qt::TabFocus);
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(suoni);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Name), "Abilita o disabilita i suoni");
    ASSERT_NE(a->actionInterface(), nullptr);
    EXPECT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));

    const bool prima = stato->suonoAttivo;
    const struct {
        const char *come;
        std::function<void()> premi;
    } modi[] = {
        {"Space", [&] { QTest::keyClick(suoni, Qt::Key_Space); }},
        {"Enter", [&] { QTest::keyClick(suoni, Qt::Key_Return); }},
        {"press action", [&] {
             a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
             QCoreApplication::processEvents();
         }},
    };
    bool atteso = prima;
    for (const auto &m : modi) {
        SCOPED_TRACE(m.come);
        m.premi();
        atteso = !atteso;
        EXPECT_EQ(stato->suonoAttivo, atteso);
    }
    // Enter on a command does not also start a line.
    EXPECT_TRUE(finestra->pratica.rigaCorrente().isEmpty());
}

TEST_F(Accessibilita, controlsWithoutWords_areNamedAndTheInputLineSaysTheNextCharacter)
{
    apri();
    for (size_t i = 0; i < 7; ++i)
        EXPECT_EQ(finestra->lblMenu[i]->accessibleName(), finestra->lblMenu[i]->toolTip()) << i;
    EXPECT_EQ(finestra->txtInput->accessibleName(), "Riga da digitare");
    EXPECT_EQ(finestra->cboListFile->accessibleName(), "Elenco dei file");
    finestra->optMenu[2]->setChecked(true);
    finestra->optMenu_Click(2);
    finestra->cmdStart_Click();
    EXPECT_EQ(finestra->txtInput->accessibleDescription(), "Prossimo carattere: l");
    digita("le");
    EXPECT_EQ(finestra->txtInput->accessibleDescription(), "Prossimo carattere: spazio");
}

// The information window changes the language; what the learner had chosen stays.
TEST_F(Accessibilita, languageChange_keepsKindListEntryAndWelcome)
{
    const struct {
        int tipo, voce;
        const char *file;   // what Enter starts afterwards
    } casi[] = {{0, -1, ""}, {1, 1, "L02.ftd"}, {2, 1, "b.ftd"}, {3, 0, "a.txt"}};
    for (const auto &c : casi) {
        SCOPED_TRACE(c.tipo);
        nuovoStato();
        apri();
        finestra->optMenu[size_t(c.tipo)]->setChecked(true);
        finestra->optMenu_Click(c.tipo);
        if (c.voce >= 0)
            finestra->cboListFile->setCurrentIndex(c.voce);
        const QString voce = finestra->cboListFile->currentText();
        const QString cambio = stato->linguaCorrente == "German" ? "Italian" : "German";
        finestra->apriInfo = [&](QWidget *, const frmInfo::Azioni &) {
            stato->linguaCorrente = cambio;
            return false;
        };
        finestra->lblMenu_Click(2);
        EXPECT_TRUE(finestra->optMenu[size_t(c.tipo)]->isChecked());
        EXPECT_EQ(finestra->cboListFile->currentText(), voce);
        EXPECT_TRUE(finestra->picLevel->isVisible());
        EXPECT_EQ(finestra->optLevel[1]->text(), cambio == "German" ? "Experte" : "Esperto");
        finestra->cmdStart_Click();
        EXPECT_EQ(modClavora::NomeFile(stato->fileEsercizio), c.file);
        EXPECT_EQ(stato->modoFileTesto, c.tipo == 3);
    }
}

// Printing the keyboard right after a change asks in the new language,
// the program's name put where the language says.
TEST_F(Accessibilita, printQuestionAfterAChange_speaksTheNewLanguage)
{
    fakes.printer.present = true;
    apri();
    finestra->apriInfo = [&](QWidget *, const frmInfo::Azioni &) {
        stato->linguaCorrente = "German";
        return true;   // "Stampa tastiera"
    };
    finestra->lblMenu_Click(2);   // the fake answers Yes: the keyboard is printed
    ASSERT_FALSE(fakes.dialogs.shown.empty());
    EXPECT_TRUE(fakes.dialogs.shown.back().text.startsWith(QString::fromUtf8("Möchtest du die Tastatur von Tastavia drucken?\r\n")))
        << fakes.dialogs.shown.back().text.toStdString();
    EXPECT_EQ(fakes.printer.pages.size(), 1u);
    // Enter starts a line afterwards, as before the visit.
    ASSERT_TRUE(finestra->pratica.startAbilitato());
    QTest::keyClick(finestra->picNotebook, Qt::Key_Return);
    EXPECT_FALSE(finestra->pratica.rigaCorrente().isEmpty());
}

} // namespace
