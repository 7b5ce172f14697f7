// Enter in a dialog whose buttons had the focus in turn: always the default
// button, as the window draws it.

#include "ui/GuardiaTasti.h"
#include "ui/frmInfo.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(Invio, infoWindowAfterTheLanguageWindow_enterClosesItWithOk)
{
    int lingue = 0;
    frmInfo::Azioni azioni;
    azioni.apriLingua = [&lingue](QWidget *) { ++lingue; };
    frmInfo info(azioni);
    info.show();
    QCoreApplication::processEvents();
    // The language window came and went: the focus is back on "Lingua...".
    info.cmdLingua->setFocus();
    info.cmdLingua->click();
    ASSERT_EQ(lingue, 1);
    QTest::keyClick(info.cmdLingua, Qt::Key_Return);
    EXPECT_EQ(lingue, 1);
    EXPECT_FALSE(info.isVisible());
    EXPECT_EQ(info.result(), QDialog::Accepted);
    EXPECT_FALSE(info.stampaRichiesta());
}
