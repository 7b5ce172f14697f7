#pragma once
// Where practice lines come from: the built-in sentences, exercise files
// (".ftd") and text files (".txt"), the order of a run's fifteen sentences and
// the preparation of each model line. No widgets: the model label's width and
// the key filter come in as functions.

#include "platform/FileSicuri.h"
#include "platform/Services.h"
#include "settings/TestoLingua.h"

#include <QString>
#include <array>
#include <functional>

class modClavora;

class Esercizi {
public:
    static constexpr qint64 limiteFileTesto = 26000;   // bytes; larger text files are refused
    // Exercise files hold 45 lines at most: anything near this is no exercise.
    static constexpr qint64 limiteFileEsercizio = 1000000;
    // The most bytes a file of that kind (by its extension) may have.
    static qint64 MassimoByte(const QString &path);

    explicit Esercizi(modClavora &stato);

    // Width of a text in the model label's font, and the label's width.
    std::function<int(const QString &)> larghezzaTesto;
    int larghezzaEtichetta = 0;
    // Keeps only characters that have a key.
    std::function<QString(const QString &)> filtroCaratteri;
    // Whether the learner's keyboard types a character: the French writer's
    // typography stays where it does.
    std::function<bool(QChar)> tipizzabile;

    // Run state.
    int numeroFrase = 0;
    std::array<int16_t, 16> frasiUsate{};       // indices 1..15
    QString rigaCorrente;
    bool fileDaComando = false;

    // Rifiutato: the file is there but is no regular file or cannot be read
    // (rifiuto says why).
    enum class EsitoComando { Ignorato, Aperto, TroppoLungo, Rifiutato };

    // Why the last file asked for could not be used: not a regular file (a
    // FIFO, a device, a folder), too large, unreadable. Ok when it could, or
    // when it simply is not there.
    filesicuri::Lettura rifiuto;
    QString fileRifiutato;
    // " (reason)" for a refused file, in the interface language; empty when
    // the file was not refused.
    static QString MotivoRifiuto(const filesicuri::Lettura &rifiuto, const QString &path,
                                 const TestoLingua &lingua);

    // A file-list entry becomes the exercise file (course entries have no extension).
    void ScegliFile(QString &voce, bool modoCorso);
    // "/name.txt" or "/name.ftd" in the Esercizi folder, or the absolute path of a
    // file found by the start-up; clears rigaComando when ignored.
    EsitoComando ApriDaRigaComando(QString &rigaComando);
    // Reads fileEsercizio as one model line; false when it cannot be read.
    bool CaricaFileTesto();
    // One line of an exercise file, prepared; empty when missing.
    QString LeggiVoceEsercizio(const QString &file, int livello, int chiave) const;
    QString AdattaLarghezza(const QString &testo) const;

    // Level 1..3 and base of the draw for a sentence number 1..15.
    static int LivelloDiFrase(int numero) { return numero <= 5 ? 1 : numero <= 10 ? 2 : 3; }
    // Draws a built-in sentence number of the current level not yet used in this run.
    int EstraiFrase(platform::RandomSource &random, const QDateTime &now);
    // The model line for the drawn sentence d (exercise file or built-in).
    QString RigaPerFrase(int d) const;
    void AzzeraGiro();

    // Text-file mode: the whole text prepared as one line; line breaks, tabs and
    // other control characters become a single blank.
    static QString PreparaTesto(const QString &testo);

private:
    // Checks a file before it is used; a refusal is kept in rifiuto.
    bool Controlla(const QString &path);
    void Rifiuta(const QString &path, const filesicuri::Lettura &l);

    modClavora &s;
};
