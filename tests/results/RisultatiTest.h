#pragma once
// Shared values after a run, on fake services, with a temporary folder of the
// test's own; PDFs the tests keep go where the validator run asks.

#include "practice/modClavora.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class RisultatiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        temp = QDir(dir.path()).absolutePath() + "/tmp/";
        QDir().mkpath(temp);
        fakes.desktop.temp = temp;
        stato = std::make_unique<modClavora>(fakes.services());
        stato->cartellaProgramma = QDir(dir.path()).absolutePath() + "/";
        stato->nomeUtente = "ANNA";
    }

    // The speeds of the sentences typed so far, in keystrokes per second; the
    // levels reached follow from their number.
    void velocita(const std::vector<float> &v, bool esperto = false)
    {
        stato->modoEsperto = esperto;
        stato->indiceModo = esperto ? 1 : 0;
        stato->tempoObiettivo = esperto ? 0.2f : 0.4f;
        stato->nomeModo = esperto ? "Esperto" : "Principiante";
        size_t i = 1;
        for (float x : v)
            stato->velocitaFrase[i++] = x;
        stato->livelloCorrente = int((i - 2) / 5 + 1);
        stato->tipoFineLivello = stato->livelloCorrente == 3 ? 2 : 1;
    }

    // Keeps a copy of a PDF for the validators when they ask for it.
    static void conserva(const QString &pdf, const QString &nome)
    {
        const QString cartella = qEnvironmentVariable("TASTAVIA_PDF_OUT_DIR");
        if (cartella.isEmpty())
            return;
        QDir().mkpath(cartella);
        QFile::remove(cartella + "/" + nome);
        QFile::copy(pdf, cartella + "/" + nome);
    }

    QTemporaryDir dir;
    QString temp;
    fake::Services fakes;
    std::unique_ptr<modClavora> stato;
};
