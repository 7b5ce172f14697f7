#pragma once
// The main window: the hub of the tutor. It owns the controls, forwards events
// to the exercise sources, the keyboard and the scoring, and shows what they decide.

#include "app/Esercizi.h"
#include "app/modClavora.h"
#include "keyboard/ControlloLayout.h"
#include "keyboard/TabellaTasti.h"
#include "settings/Impostazioni.h"
#include "ui/Forma.h"
#include "ui/frmInfo.h"

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <array>
#include <memory>

class QComboBox;
class QFrame;
class QPushButton;
class QRadioButton;
class QTimer;
class LineaInput;
class Backdrop;
class ClsResize;
namespace tastiera {
class TastieraVirtuale;
class MappaTastiEsterna;
} // namespace tastiera

QString Fumetto(const QString &titolo, const QString &testo);

// Background and text colours of a control, painted by the control itself.
void ImpostaColori(QWidget *w, const QColor &sfondo, const QColor &testo = Qt::black);

class frmClavora : public QWidget {
    Q_OBJECT
public:
    explicit frmClavora(modClavora &stato, QWidget *parent = nullptr);
    ~frmClavora() override;

    // Load steps, split where the window must already be visible.
    void Form_Load(const QString &rigaComando);
    void Form_Unload();

    // Practice.
    void cmdStart_Click();
    void txtInput_KeyPress(int &k);
    void txtInput_KeyDown(int tasto, bool &annulla);
    void Timer1_Timer();
    void Timer2_Timer();
    void lblMenu_Click(int indice);
    void optMenu_Click(int indice);
    void optLevel_Click(int indice);
    void ImpostaModo(int indice);
    void FlashBotton();
    void PausaEsercizio();

    // Read by tests and by the other windows.
    Esercizi esercizi;
    QString rigaComando;
    int16_t posizione = 0;
    QString carattereAtteso;
    bool rigaCompletata = false;
    bool chiusuraInCorso = false;
    QDateTime inizioRiga;
    int16_t battuteFrase = 0;
    int16_t erroriFrase = 0;
    bool primaFrase = false;
    bool richiestaRiavvio = false;
    bool fermaLampeggio = true;
    int32_t larghezzaIndicatore = 300;
    int32_t larghezzaAttuale = 0;
    float passoProgresso = 0;
    QString separatore = "/";
    int fontTesto = 18;
    int fontFrase = 12;
    int16_t sommaPunti = 0;
    bool modoCorso = false;
    bool fontiDisponibili = false;
    QString titoloAttenzione = QStringLiteral("Attenzione!");
    QStringList testiMessaggi;
    QStringList lodiNormali, lodiRecord;
    bool chiusa = false;   // the window was unloaded: the program ends

    // Controls, named as the rest of the program knows them.
    QWidget *picNotebook = nullptr;
    QWidget *picDisplay = nullptr;
    QLabel *lblFraseCorr = nullptr;
    QFrame *shpIndex = nullptr;
    LineaInput *txtInput = nullptr;
    QPushButton *cmdStart = nullptr;
    QLabel *lblTime = nullptr;
    QLabel *imgGradiente = nullptr;
    QLabel *picMax = nullptr;
    QFrame *shpProgressTime = nullptr;
    std::array<QLabel *, 2> lblNumBatt{};
    QLabel *lblSmile = nullptr;
    QLabel *lblNumeroFrase = nullptr;
    std::array<QLabel *, 6> lblMediaLevel{};
    std::array<QLabel *, 2> imgMedia{};
    QLabel *imgPremi = nullptr;
    QLabel *imgX = nullptr;
    QWidget *picMessaggio = nullptr;
    QLabel *lblMessaggio = nullptr;
    QLabel *imgIconaPunteggio = nullptr;
    std::array<QLabel *, 8> lblMenu{};
    std::array<Forma *, 8> shpMenu{};
    Forma *shpEV = nullptr;
    std::array<QRadioButton *, 5> optMenu{};
    std::array<QRadioButton *, 2> optLevel{};
    QComboBox *cboListFile = nullptr;
    QLabel *lblIconaEsercizio = nullptr;
    QWidget *picMenu = nullptr;
    QWidget *picLevel = nullptr;
    tastiera::TastieraVirtuale *picKeyword = nullptr;
    tastiera::MappaTastiEsterna *imgMappaTastiEsterna = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;

    // Options read from the settings file and written back at unload.
    Impostazioni opzioni;

    // The modal windows the backdrop opens; tests replace them.
    std::function<int(QWidget *proprietario)> apriNome;        // 1: the learner's name
    std::function<int(QWidget *proprietario)> apriRisultati;   // 2: returns sceltaRisultati
    std::function<int(QWidget *proprietario)> apriReport;      // 3: the text-file report
    std::function<int(QWidget *proprietario)> apriGioco;       // training and game
    std::function<bool(const frmInfo::Azioni &)> apriInfo;     // true: print the keyboard

protected:
    void paintEvent(QPaintEvent *) override;
    void closeEvent(QCloseEvent *) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void CreaControlli();
    void TestiPredefiniti();
    void AnimazioneTitolo();
    void SalutoIniziale();
    void Form_KeyUp(int tasto);
    bool Form_KeyPress(int tasto);
    void Reset();
    void AvvioFrase();
    void AvvioFileTesto();
    void AvvioComune();
    void AvanzaCarattere(bool riavvia = false);
    void EvidenziaTasto(const QString &carattere, int pos);
    void SegnalaErrore(int k);
    void FaccinaErrori();
    void AttivaCronometro(bool on);
    void ImpostaLarghezzaIndicatore(int larghezza);
    void ProssimaFrase();
    void FineRiga();
    void DisegnaRecord(int larghezza, int livello);
    void ComandoRicomincia();
    int ShowWithBackdrop(int selettore);
    void AggiornaCategorie();
    void RiempiCorso();
    void Chiudi();
    void SalvaSegnalibro();
    void AzzeraMarcatoriLivello();
    void AzzeraMedie();
    void StampaTastiera();

    void CaricaImpostazioni();
    void SalvaImpostazioni();
    // Menu labels 3 to 5 show their option switched on with a light fill.
    void SegnaOpzioneMenu(int indice, bool attiva);
    // The file list is greyed while no kind of material offers files.
    void GrigioListaFile(bool grigio);

    modClavora &s;
    tastiera::TabellaTasti tabella_;
    tastiera::ControlloLayout controlloLayout_;
    std::unique_ptr<Backdrop> backdrop_;
    std::unique_ptr<ClsResize> ridimensionatore_;
    bool cronometroFermatoQui_ = false;
    bool inoltroInCorso_ = false;
    // Background gradients as small scratch pictures, made once per size and scheme.
    QImage sfondoAlto_, sfondoBasso_, sfondoNotebook_;
    QSize dimensioneSfondo_, dimensioneNotebook_;
    int schemaSfondo_ = -1;
};
