#pragma once
// Shared values of a finished text-file exercise on fake services, with a
// temporary folder of its own for the PDFs.

#include "practice/modClavora.h"
#include "report/ReportFreeTXT.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        temp = QDir(dir.path()).absolutePath() + "/";
        fakes.desktop.temp = temp;
        stato = std::make_unique<modClavora>(fakes.services());
        stato->cartellaProgramma = temp;
        stato->nomeModo = "Principiante";
        stato->nomeUtente = "ANNA";
        stato->fileEsercizio = temp + "Esercizi/La_prova.txt";
    }

    // An exercise of b keystrokes, e errors in the given seconds.
    void esercizio(int b, int e, int secondi, bool esperto = false)
    {
        stato->totaleBattute = int16_t(b);
        stato->totaleErrori = int16_t(e);
        stato->tempoEsercizio = QTime(0, 0).addSecs(secondi);
        stato->modoEsperto = esperto;
        stato->nomeModo = esperto ? "Esperto" : "Principiante";
    }

    static QLocale italiano() { return QLocale(QLocale::Italian, QLocale::Italy); }

    QTemporaryDir dir;
    QString temp;
    fake::Services fakes;
    std::unique_ptr<modClavora> stato;
};

// The words of a PDF page with their boxes, as pdftotext -bbox gives them
// (points, from the top-left corner of the page).
struct Parola {
    QString testo;
    double xMin, yMin, xMax, yMax;
};

inline bool HaPdftotext()
{
    return !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

// The text of a PDF as pdftotext reads it.
inline QString TestoDelPdf(const QString &pdf)
{
    QProcess p;
    p.start("pdftotext", {pdf, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline std::vector<Parola> ParoleDelPdf(const QString &pdf)
{
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression parola(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<Parola> out;
    for (auto it = parola.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString t = m.captured(5);
        t.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"")
            .replace("&apos;", "'").replace("&#39;", "'");
        out.push_back({t, m.captured(1).toDouble(), m.captured(2).toDouble(),
                       m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return out;
}
