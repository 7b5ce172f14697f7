// Pictures of the main window for the README: run with TASTAVIA_SCREENSHOTS=1
// (skipped otherwise). They are written to docs/.

#include "FinestraTest.h"
#include "tests/support/Sorgenti.h"


#include "keyboard/MappaTastiEsterna.h"
#include "keyboard/TastieraVirtuale.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>

namespace {

class Schermate : public FinestraTest {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("TASTAVIA_SCREENSHOTS"))
            GTEST_SKIP() << "set TASTAVIA_SCREENSHOTS=1 to write the pictures";
        FinestraTest::SetUp();
        // The program's own material.
        const QString dati = cartellaSorgenti() + "/data";
        QDirIterator it(dati, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString da = it.next();
            const QString a = cartella + da.mid(dati.size() + 1);
            QDir().mkpath(QFileInfo(a).path());
            QFile::copy(da, a);
        }
    }

    void salva(QWidget *w, const QString &nome)
    {
        QCoreApplication::processEvents();
        w->grab().save(cartellaSorgenti() + "/docs/" + nome);
    }

    // The main window with the key map strip, as on the screen.
    void salvaFinestra(const QString &nome)
    {
        QCoreApplication::processEvents();
        QPixmap p = finestra->grab();
        if (finestra->imgMappaTastiEsterna->isVisible()) {
            QPainter g(&p);
            g.drawPixmap(finestra->imgMappaTastiEsterna->pos(),
                         finestra->imgMappaTastiEsterna->grab());
        }
        p.save(cartellaSorgenti() + "/docs/" + nome);
    }
};

TEST_F(Schermate, welcomeAndKindsOfMaterial)
{
    fakes.screen.pixels = {1280, 1024};
    stato->schermoGrande = true;
    apri({}, "ANNA");
    salvaFinestra("benvenuto.png");
    const char *nomi[4] = {"menu-frasi.png", "menu-corso.png", "menu-esercizi.png", "menu-testi.png"};
    for (int i = 3; i >= 0; --i) {
        finestra->optMenu[size_t(i)]->setChecked(true);
        finestra->optMenu_Click(i);
        salva(finestra->picNotebook, nomi[i]);
    }
}

TEST_F(Schermate, practiceOnBothScreenSizes)
{
    for (QSize schermo : {QSize(800, 600), QSize(1280, 1024)}) {
        fakes.screen.pixels = schermo;
        nuovoStato();
        stato->schermoGrande = DecidiSchermo(schermo).schermoGrande;
        apri({}, "ANNA");
        finestra->cmdStart_Click();
        // A capital next: the key, its Shift and their markers.
        const QString r = riga();
        int k = 1;
        while (k < r.size() - 1 && !r.at(k).isLetter())
            ++k;
        digita(r.left(qMax(1, r.size() / 2)));
        fakes.clock.advance(6);
        salvaFinestra(QString("pratica-%1x%2.png").arg(schermo.width()).arg(schermo.height()));
    }
}

TEST_F(Schermate, endOfLineMessageWithRecord)
{
    fakes.screen.pixels = {1280, 1024};
    stato->schermoGrande = true;
    apri({}, "ANNA");
    for (int frase = 1; frase <= 2; ++frase) {
        finestra->cmdStart_Click();
        const QString r = riga();
        digita(r.left(r.size() - 1));
        fakes.clock.advance(frase == 1 ? 30 : 14);
        finestra->Timer1_Timer();
        digita(r.right(1));
    }
    salva(finestra->picNotebook, "fine-riga.png");
}

TEST_F(Schermate, textFile)
{
    fakes.screen.pixels = {1280, 1024};
    stato->schermoGrande = true;
    apri("/Le_marche.txt", "ANNA");
    finestra->cmdStart_Click();
    digita(riga().left(40));
    fakes.clock.advance(20);
    finestra->Timer1_Timer();
    salva(finestra->picNotebook, "testo.png");
}

TEST_F(Schermate, altGrHighlight)
{
    scrivi("Esercizi/Prezzo.ftd", "[Livello1]\r\n1=Le prix : 12 \x80 net\r\n");
    fakes.screen.pixels = {1280, 1024};
    stato->schermoGrande = true;
    apri("/Prezzo.ftd", "ANNA");
    finestra->cmdStart_Click();
    digita("Le prix : 12 ");
    fakes.clock.advance(5);
    finestra->Timer1_Timer();
    salva(finestra->picNotebook, "altgr.png");
}

TEST_F(Schermate, informationWindow)
{
    frmInfo::Azioni azioni;
    azioni.stampanteDisponibile = true;
    frmInfo info(azioni);
    info.show();
    salva(&info, "informazioni.png");
}

} // namespace
