// Typed characters from key events and input-method commits, as the game
// judges them.

#include "game/CaratteriDigitati.h"
#include "platform/Testo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

QKeyEvent tasto(int key, const QString &testo, Qt::KeyboardModifiers mod = Qt::NoModifier)
{
    return QKeyEvent(QEvent::KeyPress, key, mod, testo);
}

int codice(char16_t c)
{
    return testo::codiceTasto(QChar(c));
}

TEST(CaratteriDigitati, letterDigitAndAltGrCharacter_eachGiveTheirCode)
{
    CaratteriDigitati c;
    EXPECT_EQ(c.daTasto(tasto(Qt::Key_A, "a")), QList<int>{'a'});
    EXPECT_EQ(c.daTasto(tasto(Qt::Key_A, "A", Qt::ShiftModifier)), QList<int>{'A'});
    EXPECT_EQ(c.daTasto(tasto(Qt::Key_7, "7", Qt::ShiftModifier)), QList<int>{'7'});
    EXPECT_EQ(c.daTasto(tasto(Qt::Key_E, QString::fromUtf8("€"), Qt::GroupSwitchModifier)),
              QList<int>{codice(u'€')});
}

TEST(CaratteriDigitati, keysThatTypeNothing_giveNothing)
{
    CaratteriDigitati c;
    EXPECT_TRUE(c.daTasto(tasto(Qt::Key_Shift, "")).isEmpty());
    EXPECT_TRUE(c.daTasto(tasto(Qt::Key_Escape, "\x1b")).isEmpty());
    EXPECT_TRUE(c.daTasto(tasto(Qt::Key_Return, "\r")).isEmpty());
    EXPECT_TRUE(c.daTasto(tasto(Qt::Key_V, "\x16", Qt::ControlModifier)).isEmpty());
}

TEST(CaratteriDigitati, deadCircumflexThenE_isOneCharacter)
{
    CaratteriDigitati c;
    EXPECT_TRUE(c.daTasto(tasto(Qt::Key_Dead_Circumflex, "")).isEmpty());
    EXPECT_EQ(c.daTasto(tasto(Qt::Key_E, "e")), QList<int>{codice(u'ê')});
    // The accent is used up.
    EXPECT_EQ(c.daTasto(tasto(Qt::Key_E, "e")), QList<int>{'e'});
    // With a blank: the accent alone; with a letter it does not fit: both.
    c.daTasto(tasto(Qt::Key_Dead_Diaeresis, ""));
    EXPECT_EQ(c.daTasto(tasto(Qt::Key_Space, " ")), QList<int>{codice(u'¨')});
    c.daTasto(tasto(Qt::Key_Dead_Circumflex, ""));
    EXPECT_EQ(c.daTasto(tasto(Qt::Key_X, "x")), (QList<int>{'^', 'x'}));
}

TEST(CaratteriDigitati, inputMethodCommit_givesItsCharacters_andDropsAPendingAccent)
{
    CaratteriDigitati c;
    c.daTasto(tasto(Qt::Key_Dead_Grave, ""));
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("é"));
    EXPECT_EQ(c.daCommit(commit), QList<int>{codice(u'é')});
    EXPECT_EQ(c.daTasto(tasto(Qt::Key_A, "a")), QList<int>{'a'});
}

} // namespace
