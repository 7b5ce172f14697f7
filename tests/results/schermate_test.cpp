// Pictures of the results for the README: run with TASTAVIA_SCREENSHOTS=1
// (skipped otherwise). They are written to docs/.

#include "RisultatiTest.h"
#include "tests/support/Sorgenti.h"

#include "results/frmClassifica.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

namespace {

class SchermateRisultati : public RisultatiTest {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("TASTAVIA_SCREENSHOTS"))
            GTEST_SKIP() << "set TASTAVIA_SCREENSHOTS=1 to write the pictures";
        RisultatiTest::SetUp();
        stato->totaleBattute = 1874;
        stato->totaleErrori = 23;
    }

    static QString docs(const QString &nome) { return cartellaSorgenti() + "/docs/" + nome; }

    const std::vector<float> giro{2.0f, 2.5f, 3.1f, 1.2f, 2.6f, 2.2f, 1.9f, 2.8f, 2.4f, 2.1f,
                                            1.7f, 2.9f, 3.3f, 2.0f, 2.6f};
};

} // namespace

TEST_F(SchermateRisultati, windowAfterOneAndThreeLevelsInBothModes)
{
    for (bool esperto : {false, true}) {
        for (int livelli : {1, 3}) {
            velocita(giro, esperto);
            for (int i = 5 * livelli + 1; i <= 15; ++i)
                stato->velocitaFrase[size_t(i)] = 0;
            stato->livelloCorrente = livelli;
            stato->tipoFineLivello = livelli == 3 ? 2 : 1;
            frmClassifica f(*stato);
            f.show();
            QCoreApplication::processEvents();
            f.grab().save(docs(QString("risultati-%1-%2.png").arg(livelli).arg(esperto ? "esperto" : "principiante")));
        }
    }
}

TEST_F(SchermateRisultati, printedPageAndPdf)
{
    velocita(giro);
    fakes.printer.present = true;
    frmClassifica f(*stato);
    f.cmdPrint->click();
    ASSERT_EQ(fakes.printer.pages.size(), 1u);
    fakes.printer.pages[0].save(docs("risultati-stampa.png"));

    f.CreaPDF();
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    ASSERT_FALSE(pdftoppm.isEmpty());
    QProcess::execute(pdftoppm, {"-png", "-r", "70", "-singlefile", f.percorsoPDF(), docs("risultati-pdf")});
}
