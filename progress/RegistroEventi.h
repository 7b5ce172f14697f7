#pragma once
// What the practice engine, the text report and the game tell about the
// learner's work, as they go. The engine holds a pointer to it, null when
// nothing is kept, so it needs no store of its own: the recorder behind it
// (RegistratoreProgressi) gathers the figures and writes them at a line's end.

#include <QChar>
#include <QString>

class RegistroEventi {
public:
    // What a finished piece of work was.
    enum Evento { Riga = 0, Livello = 1, Giro = 2, Testo = 3, Gioco = 4, Allenamento = 5 };
    // The kind of material, as the main window's list of kinds.
    enum Materiale { Frasi = 0, Corso = 1, Esercizio = 2, FileTesto = 3, Mirato = 4, GiocoAllenamento = 5 };
    static constexpr int NumeroMateriali = 6;

    struct Fine {
        Evento evento = Riga;
        Materiale materiale = Frasi;
        QString file;            // the exercise file or lesson, without folder; empty for built-in sentences
        int livello = 0;         // 1..3 (the game's: 1..3 as well)
        int numero = 0;          // a run's sentence 1..15; 0 when not in a run
        int modo = 0;            // 0 beginner, 1 expert
        float velocita = 0;      // characters a minute
        int punteggio = 0;       // 1..100; the game's and training's total
        int battute = -1;        // keystrokes and errors; -1: those the recorder counted
        int errori = -1;
    };

    virtual ~RegistroEventi() = default;
    // A line starts: what was gathered of an unfinished one is dropped.
    virtual void InizioRiga() = 0;
    // One judged keystroke: the expected character, and the typed one when it
    // was wrong (a null QChar when right).
    virtual void Tasto(QChar atteso, QChar digitato) = 0;
    // A line, text or game ended: its figures go to the store with the
    // characters gathered since InizioRiga.
    virtual void Finito(const Fine &fine) = 0;
};
