#pragma once
// The practice engine without any widget: the start of a line (with the level
// and run ends), the judging of every keystroke, the expected character, the
// clock and gauge, the pause, the end of a line with its figures, and the reset.
// It answers each call with plain values; the main window shows them. Sounds
// and Caps Lock go through the shared services; the windows it needs (results,
// report) and the bookmark question are reached through the hooks it is given.

#include "practice/Esercizi.h"
#include "practice/modClavora.h"
#include "practice/TestiClavora.h"
#include "progress/RegistroEventi.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class Pratica : public QObject {
    Q_OBJECT
public:
    Pratica(modClavora &stato, const TestiClavora &testi);

    // What the engine asks of the windows around it.
    struct Finestre {
        // Opens modal window `selettore` behind the backdrop (2 results, 3 text
        // report) and returns its answer (sceltaRisultati for the results).
        std::function<int(int selettore)> ShowWithBackdrop;
        // At the end of a course run: asks whether to keep the bookmark.
        std::function<void()> SalvaSegnalibro;
    };
    Finestre finestre;
    // Where keystrokes and finished lines are told, for the learner's
    // progress; null when nothing is kept.
    RegistroEventi *registro = nullptr;
    // Exercise files with this name start are the practice aimed at weak keys.
    static constexpr QLatin1String prefissoMirato{"Mirato_"};

    Esercizi esercizi;

    // --- Values of the exercise (read by the window, the tests and the benchmark)
    const QString &rigaComando() const { return rigaComando_; }
    const QString &rigaCorrente() const { return esercizi.rigaCorrente; }
    int numeroFrase() const { return esercizi.numeroFrase; }
    int16_t posizione() const { return posizione_; }
    const QString &carattereAtteso() const { return carattereAtteso_; }
    int16_t posizioneAtteso() const { return posizioneAtteso_; }   // its place in the line, from 1
    bool rigaCompletata() const { return rigaCompletata_; }
    bool chiusuraInCorso() const { return chiusuraInCorso_; }
    const QDateTime &inizioRiga() const { return inizioRiga_; }
    int16_t battuteFrase() const { return battuteFrase_; }
    int16_t erroriFrase() const { return erroriFrase_; }
    bool primaFrase() const { return primaFrase_; }
    bool richiestaRiavvio() const { return richiestaRiavvio_; }
    bool cronometroAttivo() const { return cronometroAttivo_; }   // Timer1 runs
    bool startAbilitato() const { return startAbilitato_; }       // Enter starts a line
    bool fermaLampeggio() const { return fermaLampeggio_; }
    int32_t larghezzaIndicatore() const { return larghezzaIndicatore_; }
    int32_t larghezzaAttuale() const { return larghezzaAttuale_; }
    int32_t larghezzaRecord() const { return larghezzaRecord_; }  // the record bar's width
    float passoProgresso() const { return passoProgresso_; }
    int16_t sommaPunti() const { return sommaPunti_; }
    bool modoCorso() const { return modoCorso_; }

    // --- Settings made by the window
    void setLarghezzaIndicatore(int32_t v) { larghezzaIndicatore_ = v; }
    void setLarghezzaProgresso(int v) { larghezzaProgresso_ = v; }   // the full progress bar
    void setModoCorso(bool v) { modoCorso_ = v; }
    void setFermaLampeggio(bool v) { fermaLampeggio_ = v; }
    void setStartAbilitato(bool v);
    void RichiediRiavvio() { richiestaRiavvio_ = true; }

    // --- Material
    // A file-list entry becomes the exercise file.
    void ScegliFile(const QString &voce) { QString v = voce; esercizi.ScegliFile(v, modoCorso_); }
    // The command-line argument, once at start-up.
    Esercizi::EsitoComando ApriDaRigaComando(const QString &riga);

    // --- Start (Enter)
    // What the window's lists say at a Start.
    struct Scelta {
        bool daLista = false;       // a kind other than the built-in sentences is chosen
        QString voce;               // its current entry; empty when the list is empty
        bool listaVuota = true;
    };
    enum class Avvio {
        Riga,          // a line is ready: rigaCorrente, the first key expected
        Reset,         // the practice goes back to the start (call Reset)
        ErroreFile,    // the file could not be read (message 37), then Reset
        Chiudi,        // the learner chose to end in the results window
    };
    struct EsitoAvvio {
        Avvio esito = Avvio::Riga;
        QString fileNonLetto;       // ErroreFile: the path
        filesicuri::Lettura rifiuto;  // ErroreFile: why, when the file itself was refused
        int numeroInLivello = 0;    // sentence mode: 1..5, shown beside the gauge
        QString titolo;             // the window's caption
        bool nuovoLivello = false;  // the record bar starts anew at full width
    };
    EsitoAvvio Avvia(const Scelta &scelta);

    // The counters and state of an empty practice. True when the course goes on
    // with the next lesson (a finished course run, not a reset asked for).
    bool Reset();

    // --- Keystrokes
    struct EsitoTasto {
        int codice = 0;                 // what the input line types (0: nothing)
        bool preso = false;             // an accepted (or, in text mode, taken) key
        bool errore = false;            // a wrong key
        bool erroreContato = false;     // ... counted in the totals
        bool segnalaErrore = false;     // flash the input, mark the key struck
        bool soloMaiuscole = false;     // ... that differs from the expected one in case only
        bool secondaRiga = false;       // an accepted Enter: the marker starts the second line
        bool primoTasto = false;        // the line's clock has just started
        bool avanzato = false;          // a new expected character (see carattereAtteso)
        bool fineRiga = false;          // the last character was accepted: FineRiga follows
    };
    // Judges one keystroke, k being the typed character's code (testo::codiceTasto;
    // 13 for Enter, 8 for Backspace, 27 for Esc).
    EsitoTasto GiudicaTasto(int k);
    // The line starts again from its first character (rigaCorrente may have
    // been replaced).
    void RicominciaRiga() { AvanzaCarattere(true, nullptr); }

    // Text-file mode: where the shown part of the model line starts (from 0),
    // so that it begins with the first character the input line still shows.
    int inizioTestoMostrato() const;
    // The error-ratio band of the run: 0 best (B) .. 3 worst (D); -1 before any key.
    int fasciaErrori() const;

    // --- End of a line
    enum class Seguito { Lampeggia, Chiudi, Ricomincia };
    struct EsitoFineRiga {
        bool fileTesto = false;         // text mode: the report follows
        float velocita = 0;
        int punteggio = 0;
        bool record = false;
        bool restringiBarra = false;    // the record bar narrows to larghezzaRecord
        std::optional<int> mediaLivello;
        QString messaggio;
        int icona = 420;                // 420..429
    };
    EsitoFineRiga FineRiga();
    // After the end-of-line hold: what comes next.
    Seguito DopoFineRiga() const;
    void ChiusuraTerminata() { chiusuraInCorso_ = false; }

    // --- Clock and pause
    void AttivaCronometro(bool on);
    struct EsitoOrologio {
        QString tempo;            // "mm:ss"
        int larghezza = 0;        // gauge width, or the progress bar's in text mode
    };
    EsitoOrologio Timer1_Timer();
    // The pause box's text; the clock stops until FinePausa.
    QString InizioPausa();
    void FinePausa();

    // --- Mode
    void ImpostaModo(int indice);

signals:
    void cronometroCambiato(bool attivo);
    void startCambiato(bool abilitato);

private:
    void ProssimaFrase(const Scelta &scelta, EsitoAvvio &esito);
    void AvvioComune();
    // False when the line is complete (nothing more is expected).
    bool AvanzaCarattere(bool riavvia, EsitoTasto *esito);
    void AzzeraMedie();
    void Registra(RegistroEventi::Evento evento, float velocita, int punteggio);

    modClavora &s;
    const TestiClavora &testi;

    QString rigaComando_;
    int16_t posizione_ = 0;
    QString carattereAtteso_;
    int16_t posizioneAtteso_ = 0;
    bool rigaCompletata_ = false;
    bool chiusuraInCorso_ = false;
    QDateTime inizioRiga_;
    QDateTime inizioPausa_;
    int16_t battuteFrase_ = 0;
    int16_t erroriFrase_ = 0;
    bool primaFrase_ = false;
    bool richiestaRiavvio_ = false;
    bool riavvioDopoGiro_ = false;     // the reset follows a finished course run
    bool cronometroAttivo_ = false;
    bool startAbilitato_ = false;
    bool fermaLampeggio_ = true;
    int32_t larghezzaIndicatore_ = 300;
    int32_t larghezzaAttuale_ = 0;
    int32_t larghezzaRecord_ = 0;
    int larghezzaProgresso_ = 0;
    float passoProgresso_ = 0;
    int16_t sommaPunti_ = 0;
    bool modoCorso_ = false;
};
