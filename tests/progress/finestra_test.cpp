// The progress window on fake services: what it draws from a store, its PDF,
// and the aimed exercise its button writes into the exercise folder.

#include "practice/modClavora.h"
#include "tests/support/Sorgenti.h"
#include "progress/RegistratoreProgressi.h"
#include "progress/frmProgressi.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace progressi;

namespace {

class Finestra : public ::testing::Test {
protected:
    void SetUp() override
    {
        cartella = QDir(dir.path()).absolutePath() + "/";
        QDir().mkpath(cartella + "Esercizi");
        QDir().mkpath(cartella + "CorsoDattilo");
        QDir().mkpath(cartella + "Parole");
        QFile::copy(cartellaSorgenti() + QStringLiteral("/data/Parole/francais.txt"), cartella + "Parole/francais.txt");
        s = std::make_unique<modClavora>(fakes.services());
        s->cartellaProgramma = cartella;
        archivio = std::make_unique<ArchivioProgressi>(cartella + NomeArchivio);
        fakes.desktop.temp = cartella;
    }

    // Two days of lines with errors on é and è.
    void Storia()
    {
        RegistratoreProgressi r(*archivio, fakes.clock, {});
        r.setStudente("ANNA");
        for (int giorno = 0; giorno < 2; ++giorno) {
            for (int riga = 0; riga < 3; ++riga) {
                r.InizioRiga();
                for (QChar c : QString("les élèves et le café de la gare")) {
                    fakes.clock.ms += 250;
                    if (c == u'é' || c == u'è')
                        r.Tasto(c, c == u'é' ? u'è' : u'é');
                    r.Tasto(c, QChar());
                }
                RegistroEventi::Fine f;
                f.velocita = 150 + giorno * 20;
                r.Finito(f);
            }
            fakes.clock.advance(86400);
        }
    }

    QTemporaryDir dir;
    QString cartella;
    fake::Services fakes;
    std::unique_ptr<modClavora> s;
    std::unique_ptr<ArchivioProgressi> archivio;
};

} // namespace

TEST_F(Finestra, historyWithAccentErrors_showsThemWeakestAndTwoDays)
{
    Storia();
    frmProgressi f(*s, *archivio, "ANNA", QString(), {});
    const Riepilogo &r = f.dati().riepilogo;
    ASSERT_EQ(r.giorni.size(), 2u);
    const auto deboli = PiuDeboli(r.caratteri, 2);
    ASSERT_EQ(deboli.size(), 2u);
    EXPECT_TRUE(QString("éè").contains(QChar(deboli[0].carattere)));
    EXPECT_TRUE(QString("éè").contains(QChar(deboli[1].carattere)));
    // The key map: key 2 (é) and key 7 (è) red, a key without figures grey.
    int rossi = 0;
    for (const TastoMappa &k : f.dati().tasti)
        rossi += k.tasso > 0.25;
    EXPECT_EQ(rossi, 2);
    if (qEnvironmentVariableIsSet("TASTAVIA_SCREENSHOTS"))
    {
        f.grab().save(cartellaSorgenti() + QStringLiteral("/docs/progressi.png"));
        f.Pagina(840).save(cartellaSorgenti() + QStringLiteral("/docs/progressi-pagina.png"));
    }
    EXPECT_FALSE(f.Pagina(420).isNull());
}

TEST_F(Finestra, pdfButton_writesTheSamePageAndOpensIt)
{
    Storia();
    frmProgressi f(*s, *archivio, "ANNA", QString(), {});
    f.cmdPDF_Click();
    ASSERT_EQ(fakes.desktop.opened.size(), 1);
    QFile pdf(fakes.desktop.opened.front());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray b = pdf.readAll();
    EXPECT_TRUE(b.startsWith("%PDF-1.3"));
    EXPECT_TRUE(b.trimmed().endsWith("%%EOF"));
    EXPECT_TRUE(b.contains("(ANNA)") || b.contains("ANNA"));
    EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(Finestra, aimedExerciseButton_writesAnExerciseOfTheWeakKeys)
{
    // Without figures it says so and makes nothing.
    {
        frmProgressi vuota(*s, *archivio, "ANNA", QString(), {});
        vuota.cmdMirato_Click();
        EXPECT_TRUE(vuota.esercizioMirato().isEmpty());
        ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    }
    Storia();
    frmProgressi f(*s, *archivio, "ANNA", QString(), {});
    f.cmdMirato_Click();
    ASSERT_FALSE(f.esercizioMirato().isEmpty());
    EXPECT_TRUE(f.esercizioMirato().startsWith("Mirato_"));
    ASSERT_EQ(fakes.dialogs.shown.size(), 2u);
    EXPECT_TRUE(fakes.dialogs.shown.back().text.contains(u"é"));   // it says which keys
    EXPECT_TRUE(fakes.dialogs.shown.back().text.contains(u"è"));
    // Characters never missed are not aimed at.
    EXPECT_TRUE(f.esercizioMirato() == u"Mirato_é_è.ftd"_qs || f.esercizioMirato() == u"Mirato_è_é.ftd"_qs);
    QFile file(cartella + "Esercizi/" + f.esercizioMirato());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString testo = QString::fromUtf8(file.readAll());
    int righe = 0, conAccento = 0;
    for (const QString &riga : testo.split("\r\n"))
        if (riga.size() > 2 && riga.at(1) == '=') {
            ++righe;
            for (const QString &p : riga.mid(2).split(' '))
                conAccento += p.contains(u'é') || p.contains(u'è');
        }
    EXPECT_EQ(righe, 15);
    EXPECT_GT(conAccento, 15 * 3);
}
