#pragma once
// The rules of the training-and-game window, without any widget: the 18
// columns of falling characters, the six-turn game with its points by height,
// penalties, tally and best totals, and timed training on a character set.
//
// The window owns the two timers and calls timerLetters_Timer and
// timerScore_Timer when they fire; whether each runs, and how often, is a value
// of this class. Every change records what the window must show again (the
// play area's changed region and the other parts) and signals `aggiornato`
// at the end of each call and before every pause, so the window repaints only
// what moved. Pauses keep events flowing (modClavora's pause and
// AttendiSecondi), so the window's handlers may run inside them: keys are
// judged only while inCorso() is true, and a new Start, a new game or the
// window's closing ends whatever pause of the old run is still waiting.

#include "practice/modClavora.h"
#include "game/RecordGioco.h"
#include "game/TestiGioco.h"
#include "progress/RegistroEventi.h"

#include <QColor>
#include <QDateTime>
#include <QObject>
#include <QRect>
#include <QRegion>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// One label of the play area or of the score panels: its text, colour,
// position (pixels inside its panel) and whether it shows.
struct Etichetta {
    QString testo;
    QColor colore = Qt::white;
    int left = 0;
    int top = 0;
    bool visibile = false;
};

class RegoleGioco : public QObject {
    Q_OBJECT
public:
    // Where a finished game or training is told, for the learner's progress;
    // null when nothing is kept.
    RegistroEventi *registro = nullptr;

    static constexpr int NumeroColonne = 18;
    static constexpr int TurniGioco = 6;
    static constexpr int NumeroOpzioni = 8;
    static constexpr int OpzionePersonalizzata = 7;
    static constexpr int LunghezzaPersonalizzata = 17;   // txtCustom's limit
    static constexpr int CodiceVirgolette = 34;           // the landing's key: never matches, never costs

    // Label sizes in pixels: the character, a face, a points label, the announcement's height.
    static constexpr QSize DimensioneLettera{30, 54};
    static constexpr QSize DimensioneFaccia{30, 30};
    static constexpr QSize DimensionePunti{44, 30};
    static constexpr int AltezzaMessaggio = 40;

    // Colours of the rules.
    static QColor Bianco() { return QColor(255, 255, 255); }
    static QColor Giallo() { return QColor(255, 255, 0); }
    static QColor ColoreCifra() { return QColor(128, 255, 255); }
    static QColor Rosso() { return QColor(255, 0, 0); }
    static QColor VerdePunti() { return QColor(128, 255, 128); }
    static QColor Blu() { return QColor(0, 0, 255); }
    static QColor Nero() { return QColor(0, 0, 0); }

    RegoleGioco(modClavora &stato, const TestiGioco &testi);

    // --- Set-up by the window
    // The play area's size: altezzaGioco is its height; the columns are placed
    // with equal gaps across its width.
    void ImpostaArea(int larghezza, int altezza);
    // Reads the learner's best totals (nothing without a learner name).
    void LeggiRecord();
    // False when the best total could not be written (a read-only file).
    bool ScriviRecord();
    // The last game's new best total could not be kept.
    bool recordNonSalvato() const { return recordNonSalvato_; }

    // A box over the window (the Caps Lock warning): everything stops where
    // it is, keys are not judged, and Riprendi sets it going again as it was,
    // unless a new Start, a new game or the closing came meanwhile.
    struct Sospensione {
        int sessione = -1;
        bool inCorso = false, lettere = false, punteggio = false;
    };
    Sospensione Sospendi();
    void Riprendi(const Sospensione &s);

    // Where a falling character is drawn `frazione` (0..1) of the way from
    // this tick to the next: between its top now and the top the next tick
    // gives it, so the rules' positions are met at every tick. The window
    // repaints the characters' moves itself: a tick marks only what else
    // changed (landings, colours, faces).
    int topDisegno(int i, double frazione) const;
    // How far below its top a character may be drawn (the fastest fall of a tick).
    static constexpr int MargineMoto = 8;

    // --- Options panel
    int difficolta() const { return difficolta_; }
    void setDifficolta(int indice);                 // optDifficulty_Click's choice
    bool gioco() const { return difficolta_ < 3; }  // options 0..2: the game
    int hsSpeed() const { return hsSpeed_; }
    void setHsSpeed(int v) { hsSpeed_ = v < 1 ? 1 : v > 4 ? 4 : v; }
    int hsTime() const { return hsTime_; }
    void setHsTime(int v) { hsTime_ = v < 1 ? 1 : v > 4 ? 4 : v; }
    const QString &txtCustom() const { return txtCustom_; }
    void setTxtCustom(const QString &testo) { txtCustom_ = testo; }
    // Whether a key typed into the custom box is taken: not a blank, not a
    // character the box already holds (exactly: "a" and "A" differ), and room left.
    static bool CarattereAmmesso(const QString &testo, QChar c);
    // The custom set cleaned: each character once, in order, without blanks.
    static QString PulisciCaratteriPersonali(const QString &testo);

    // --- Event handlers
    enum class Avvio { Avviato, InsiemeCorto };
    // Start: a custom set shorter than four characters, before or after
    // cleaning, is refused (the window shows message 0 and focuses the box).
    Avvio cmdStart_Click();
    void cmdNuovo_Click();
    void cmdExit_Click();
    // A typed character, by its code (testo::codiceTasto).
    void Form_KeyPress(int codice);
    void timerLetters_Timer();
    void timerScore_Timer();

    // --- Rules as functions
    // Points for a character struck with its top at y: floor((altezzaGioco - y)
    // / altezzaGioco * 115) in double after a 16-bit subtraction, at most 100.
    int PuntiAltezza(int y) const;
    // An integer from basso to alto inclusive: floor((alto - basso + 1) * r + basso).
    int Casuale(int basso, int alto);
    // A total as the score labels show it ("###,###": 0 is empty, -25 keeps its sign).
    static QString FormatoPunti(int32_t punti, const QLocale &locale = QLocale());

    // --- State
    int16_t altezzaGioco() const { return altezzaGioco_; }
    int larghezzaGioco() const { return larghezzaGioco_; }
    int32_t punteggioTotale() const { return punteggioTotale_; }
    int16_t turno() const { return turno_; }
    int16_t quotaPartenza() const { return quotaPartenza_; }
    bool inCorso() const { return inCorso_; }
    int16_t battuteEsatte() const { return battuteEsatte_; }
    int16_t battuteErrate() const { return battuteErrate_; }
    const QDateTime &fineAllenamento() const { return fineAllenamento_; }
    float gradiPerSecondo() const { return gradiPerSecondo_; }
    const RecordLivelli &recordLivelli() const { return recordLivelli_; }
    int32_t recordCorrente() const { return recordCorrente_; }
    const QString &caratteriAllenamento() const { return caratteriAllenamento_; }
    const TestiGioco &testi() const { return testi_; }

    const Etichetta &lblLetter(int i) const { return lblLetter_[size_t(i)]; }
    const Etichetta &lblSmileOK(int i) const { return lblSmileOK_[size_t(i)]; }
    const Etichetta &lblSmileNOT(int i) const { return lblSmileNOT_[size_t(i)]; }
    const Etichetta &lblScore(int i) const { return lblScore_[size_t(i)]; }
    int16_t velocitaLettera(int i) const { return velocitaLettera_[size_t(i)]; }
    const Etichetta &lblMessage() const { return lblMessage_; }
    const Etichetta &lblTotal() const { return lblTotal_; }
    const Etichetta &lblWinner() const { return lblWinner_; }
    QColor coloreTrofeo() const { return coloreTrofeo_; }         // lblImgWinner
    const QString &lblDigOK() const { return lblDigOK_; }
    const QString &lblDigKO() const { return lblDigKO_; }
    const QString &lblTotDigit() const { return lblTotDigit_; }
    const QString &lblScoreTraining() const { return lblScoreTraining_; }
    bool erroreVisibile() const { return erroreVisibile_; }       // imgErrore
    bool picLevelVisibile() const { return picLevelVisibile_; }
    bool pannelloGioco() const { return pannelloGioco_; }         // picDisplayPlay
    bool pannelloAllenamento() const { return pannelloAllenamento_; }   // picDisplayTraining
    bool cmdStartAbilitato() const { return cmdStartAbilitato_; }
    bool cmdNuovoAbilitato() const { return cmdNuovoAbilitato_; }
    bool cmdExitAbilitato() const { return cmdExitAbilitato_; }
    bool timerLettersAttivo() const { return timerLettersAttivo_; }
    int intervalloLettere() const { return intervalloLettere_; }  // ms
    bool timerScoreAttivo() const { return timerScoreAttivo_; }
    static constexpr int IntervalloPunteggio = 400;               // timerScore, ms

    // The training clock: the angles (radians) of the first and the last line
    // drawn since it was cleared; a line at angle t runs from the centre
    // towards (sin t, cos t), y growing downwards, so the lines fill a sector
    // clockwise from 6 o'clock. Empty when cleared.
    struct SettoreOrologio {
        float primo = 0;
        float ultimo = 0;
    };
    const std::optional<SettoreOrologio> &orologio() const { return orologio_; }

    // Where each label is drawn in the play area.
    QRect rettangoloLettera(int i) const;
    static QRect rettangoloFaccia(const Etichetta &e);
    static QRect rettangoloPunti(const Etichetta &e);
    QRect rettangoloMessaggio() const;

    // What changed since the last call, and clears it.
    enum Parte : unsigned {
        Area = 1u << 0,           // the play area: see `area`
        Totale = 1u << 1,         // lblTotal
        Record = 1u << 2,         // lblWinner and the trophy
        Allenamento = 1u << 3,    // the training counters
        Orologio = 1u << 4,       // the training clock
        Errore = 1u << 5,         // imgErrore
        Pannelli = 1u << 6,       // picLevel and the two bottom panels
        Comandi = 1u << 7,        // the buttons' enabled state
        Timer = 1u << 8,          // the timers
        Personalizzato = 1u << 9, // the custom box's text
    };
    struct Modifiche {
        unsigned parti = 0;
        QRegion area;
    };
    Modifiche prendiModifiche();
    const QRegion &areaModificata() const { return area_; }

signals:
    // Something changed: the window takes prendiModifiche() and shows it.
    void aggiornato();
    // The game is over and its new best total could not be written: the
    // window tells which file and why.
    void recordPerso();

private:
    void RegistraFine(RegistroEventi::Evento evento);
    enum class Tipo { Lettera, Faccia, Punti, Messaggio };
    QRect rettangolo(Tipo t, const Etichetta &e) const;
    void segna(const QRect &r) { area_ += r; parti_ |= Area; }
    template <typename F>
    void cambia(Tipo t, Etichetta &e, F &&f);
    void notifica();
    void pausa(int ms);
    // A sound that lets no event run: keys are judged whole, one at a time.
    void suono(int id);
    QRect areaLettera(const Etichetta &e) const;

    bool AvviaTurno();
    void AzzeraLettere();
    void ScegliColonneGioco();
    std::array<QChar, NumeroColonne> GeneraCaratteri();
    void AssegnaCaratteriGioco();
    void PreparaAllenamento();
    void GestisciTasto(int codice);
    void TastoGioco(int codice);
    void TastoAllenamento(int codice);
    void SegnaBersaglio();
    void AggiornaPunteggioAllenamento();
    bool PausaErrore();
    void FineTurno();
    void AggiornaOrologio();
    void DisegnaOrologio(int secondiRimasti);
    bool FaiScorrereMessaggio();
    void FesteggiaRecord();
    void FermaTimer();
    void mostraTotale(const QString &testo);
    void impostaTimerLettere(bool attivo, int intervallo);
    void impostaTimerPunteggio(bool attivo);
    void impostaComandi(bool nuovo, bool exit);
    void coloraLettera(int i, const QColor &c);

    modClavora &stato_;
    TestiGioco testi_;

    int16_t difficolta_ = 0;
    int hsSpeed_ = 4;
    int hsTime_ = 1;
    QString txtCustom_;
    int32_t punteggioTotale_ = 0;
    int16_t altezzaGioco_ = 0;
    int larghezzaGioco_ = 0;
    std::array<int16_t, NumeroColonne> velocitaLettera_{};
    std::array<int, NumeroColonne> puntiColonna_{};     // lblScore's value, for the tally
    int16_t turno_ = 1;
    int16_t quotaPartenza_ = -50;
    bool inCorso_ = false;
    int16_t battuteEsatte_ = 0;
    int16_t battuteErrate_ = 0;
    QDateTime fineAllenamento_;
    float gradiPerSecondo_ = 0;
    RecordLivelli recordLivelli_{};
    int32_t recordCorrente_ = 0;
    QString caratteriAllenamento_;

    std::array<Etichetta, NumeroColonne> lblLetter_, lblSmileOK_, lblSmileNOT_, lblScore_;
    Etichetta lblMessage_, lblTotal_, lblWinner_;
    QColor coloreTrofeo_ = Nero();
    QString lblDigOK_, lblDigKO_, lblTotDigit_, lblScoreTraining_;
    std::optional<SettoreOrologio> orologio_;
    bool erroreVisibile_ = false;
    bool picLevelVisibile_ = true;
    bool pannelloGioco_ = false;
    bool pannelloAllenamento_ = false;
    bool cmdStartAbilitato_ = true;
    bool cmdNuovoAbilitato_ = false;
    bool cmdExitAbilitato_ = true;
    bool timerLettersAttivo_ = false;
    int intervalloLettere_ = 100;
    bool timerScoreAttivo_ = false;

    bool recordNonSalvato_ = false;

    // A new Start, a new game or the closing: pauses of the old run end there.
    int sessione_ = 0;
    unsigned parti_ = 0;
    QRegion area_;
};
