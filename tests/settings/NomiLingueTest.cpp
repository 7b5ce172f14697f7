// Learners' names as keys of the bookmark file, and language files written
// by a translator's editor as UTF-8 or code page 1252.

#include "settings/IniManager.h"
#include "settings/NomeUtente.h"
#include "settings/Segnalibro.h"
#include "settings/modLanguageSupport.h"
#include "tests/support/FakeServices.h"
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString nome(const QString &digitato) { return NomeMaiuscolo(FiltraNome(digitato).testo).trimmed(); }

TEST(NomiDeiLearner, weissAndWeißKeepSeparateBookmarks_aDecomposedAccentIsTheSameName)
{
    EXPECT_EQ(nome(QString::fromUtf8("Jose\u0301")), QString::fromUtf8("JOSÉ"));
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/CorsoDattilo");
    fake::Dialogs dialogs;   // every question answered Yes
    IniManager ini;
    SalvaSegnalibro(ini, dialogs, nullptr, dir.path() + "/", nome(QString::fromUtf8("Weiß")), "a/LEZ03.ftd",
                    false, QStringList(6, "?"));
    SalvaSegnalibro(ini, dialogs, nullptr, dir.path() + "/", nome("Weiss"), "a/LEZ07.ftd", false, QStringList(6, "?"));
    EXPECT_EQ(LeggiSegnalibro(ini, dir.path() + "/", nome(QString::fromUtf8("weiß"))), "LEZ03");
    EXPECT_EQ(LeggiSegnalibro(ini, dir.path() + "/", nome("Weiss")), "LEZ07");
}

TEST(FileDiLingua, utf8WithOrWithoutMarkAndCodePage1252_giveTheSameTexts)
{
    QTemporaryDir dir;
    const QString testo = QString::fromUtf8("Vérifiez l'été – « ça »");
    const QByteArray utf8 = "[Strings]\r\n0037=" + testo.toUtf8();
    for (const QByteArray &dati : {utf8, "\xEF\xBB\xBF" + utf8,
                                   QByteArray("[Strings]\r\n0037=V\xE9rifiez l'\xE9t\xE9 \x96 \xAB \xE7" "a \xBB")}) {
        QFile f(dir.filePath("l.lng"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size());
        f.close();
        EXPECT_EQ(modLanguageSupport::TestoLingua(dir.filePath("l.lng"), "0037"), testo);
    }
}

} // namespace
