#include "FinestraTest.h"

#include "app/LineaInput.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

using Pratica = FinestraTest;

TEST_F(Pratica, typingTheModelLine_acceptsEveryCharacter)
{
    apri();
    finestra->cmdStart_Click();
    const QString r = riga();
    ASSERT_FALSE(r.isEmpty());
    digita(r.left(5));
    EXPECT_EQ(finestra->battuteFrase, 5);
    EXPECT_EQ(stato->totaleErrori, 0);
    EXPECT_EQ(finestra->txtInput->text(), r.left(5));
}
