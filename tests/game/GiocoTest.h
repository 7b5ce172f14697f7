#pragma once
// Shared values on fake services for the game's tests: a program folder of
// its own, a learner, and pauses that move the fake clock instead of waiting
// (and may run a test's action while "waiting").

#include "practice/modClavora.h"
#include "game/RegoleGioco.h"
#include "platform/Testo.h"
#include "tests/support/FakeServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class GiocoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cartella = QDir(dir.path()).absolutePath() + "/";
        stato = std::make_unique<modClavora>(fakes.services());
        stato->cartellaProgramma = cartella;
        stato->nomeUtente = "ANNA";
        stato->pausa = [this](int ms) {
            fakes.clock.ms += ms;
            if (ms >= 1000 || (fakes.clock.ms / 1000) != ((fakes.clock.ms - ms) / 1000))
                fakes.clock.current = fakes.clock.current.addSecs(std::max(1, ms / 1000));
            ++pause;
            if (duranteLaPausa) {
                // Once: what the learner does while the program waits.
                auto azione = std::move(duranteLaPausa);
                duranteLaPausa = nullptr;
                azione();
            }
            if (eventi)
                QCoreApplication::processEvents();
        };
    }

    void scrivi(const QString &nome, const QByteArray &contenuto)
    {
        QFile f(cartella + nome);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenuto);
    }

    QByteArray leggi(const QString &nome) const
    {
        QFile f(cartella + nome);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static std::vector<int> visibili(const RegoleGioco &r)
    {
        std::vector<int> v;
        for (int i = 0; i < RegoleGioco::NumeroColonne; ++i)
            if (r.lblLetter(i).visibile)
                v.push_back(i);
        return v;
    }

    static int codice(const RegoleGioco &r, int colonna)
    {
        return testo::codiceTasto(r.lblLetter(colonna).testo.at(0));
    }

    int suoni(int id) const { return int(std::count(fakes.sound.played.begin(), fakes.sound.played.end(), id)); }

    QTemporaryDir dir;
    QString cartella;
    fake::Services fakes;
    std::unique_ptr<modClavora> stato;
    std::function<void()> duranteLaPausa;
    bool eventi = false;
    int pause = 0;
};
