// Pictures of the main window and the results window in English and French
// for the README: run with TASTAVIA_SCREENSHOTS=1 (skipped otherwise). They
// are written to docs/.

#include "LingueTest.h"
#include "tests/support/Sorgenti.h"

#include "mainwindow/Pannelli.h"
#include "keyboard/MappaTastiEsterna.h"
#include "results/frmClassifica.h"

#include <QPainter>
#include <QRadioButton>

namespace {

class SchermateLingue : public LingueTest {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("TASTAVIA_SCREENSHOTS"))
            GTEST_SKIP() << "set TASTAVIA_SCREENSHOTS=1 to write the pictures";
        LingueTest::SetUp();
    }

    static QString docs(const QString &nome) { return cartellaSorgenti() + "/docs/" + nome; }
};

TEST_F(SchermateLingue, mainAndResultsWindowInEnglishAndFrench)
{
    for (const QString &l : {QString("English"), QString("French")}) {
        const QString sigla = l == "English" ? "en" : "fr";
        nuovoStato();
        lingua(l);
        auto f = principale();
        f->optMenu[1]->setChecked(true);
        f->optMenu_Click(1);
        QCoreApplication::processEvents();
        QPixmap p = f->grab();
        if (f->imgMappaTastiEsterna->isVisible()) {
            QPainter g(&p);
            g.drawPixmap(f->imgMappaTastiEsterna->pos(), f->imgMappaTastiEsterna->grab());
        }
        p.save(docs("lingua-principale-" + sigla + ".png"));

        const float v[15] = {2.0f, 2.5f, 3.1f, 1.2f, 2.6f, 2.2f, 1.9f, 2.8f, 2.4f, 2.1f,
                             1.7f, 2.9f, 3.3f, 2.0f, 2.6f};
        for (int i = 1; i <= 15; ++i)
            stato->velocitaFrase[size_t(i)] = v[i - 1];
        stato->livelloCorrente = 3;
        stato->tipoFineLivello = 2;
        stato->totaleBattute = 1874;
        stato->totaleErrori = 23;
        frmClassifica risultati(*stato, lookup());
        risultati.show();
        QCoreApplication::processEvents();
        risultati.grab().save(docs("lingua-risultati-" + sigla + ".png"));
    }
}

} // namespace
