// What a screen reader and a keyboard user get from the main window: the
// command row reached and pressed without a mouse, names for the controls
// that show a symbol, the input line saying the next character. (A change of
// language with each kind of material: tests/e2e/e2e_lingua.cpp.)

#include "FinestraTest.h"


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
    }
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

} // namespace
