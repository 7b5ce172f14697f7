#pragma once
// A main window on fake services, in a program folder of its own, with pauses
// that move the fake clock instead of waiting.

#include "mainwindow/LineaInput.h"
#include "mainwindow/frmClavora.h"
#include "app/Composizione.h"
#include "mainwindow/Pannelli.h"
#include "practice/modClavora.h"
#include "tests/support/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class FinestraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cartella = QDir(dir.path()).absolutePath() + "/";
        QDir().mkpath(cartella + "CorsoDattilo");
        QDir().mkpath(cartella + "Esercizi");
        fakes.screen.composited = false;   // no compositor: balloons with masks, the game without fades
        nuovoStato();
    }

    // Shared state as a fresh start of the program makes it.
    void nuovoStato()
    {
        stato = std::make_unique<modClavora>(fakes.services());
        stato->cartellaProgramma = cartella;
        stato->pausa = [this](int ms) {
            fakes.clock.ms += ms;
            if (ms >= 1000 || (fakes.clock.ms / 1000) != ((fakes.clock.ms - ms) / 1000))
                fakes.clock.current = fakes.clock.current.addSecs(qMax(1, ms / 1000));
            QCoreApplication::processEvents();
        };
    }

    // Opens the window as at start-up; the name dialog answers with `nome`.
    void apri(const QString &riga = {}, const QString &nome = "ANNA")
    {
        finestra = std::make_unique<frmClavora>(*stato);
        finestra->apriNome = [this, nome](QWidget *) {
            stato->nomeUtente = nome;
            return 1;
        };
        finestra->apriRisultati = [this](QWidget *) {
            ++risultatiAperti;
            return sceltaRisultati;
        };
        finestra->apriReport = [this](QWidget *) {
            ++reportAperti;
            return 0;
        };
        finestra->Form_Load(riga);
    }

    // Types text into the input line, one character at a time, as key events.
    void digita(const QString &testo)
    {
        for (QChar c : testo) {
            if (c == '\n')
                continue;
            if (c == '\r')
                QTest::keyClick(finestra->txtInput, Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, finestra->txtInput, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }

    void scrivi(const QString &nome, const QByteArray &contenuto)
    {
        QFile f(cartella + nome);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenuto);
    }

    // The line being typed, without the LF of a two-line sentence.
    QString riga() const { return finestra->pratica.esercizi.rigaCorrente; }

    QTemporaryDir dir;
    QString cartella;
    fake::Services fakes;
    std::unique_ptr<modClavora> stato;
    std::unique_ptr<frmClavora> finestra;
    int sceltaRisultati = 0;
    int risultatiAperti = 0;
    int reportAperti = 0;
};
