#pragma once
// The main window: a view of the practice engine (Pratica). It owns the
// controls, turns key events and clicks into calls on the engine and shows
// what the engine answers. The other windows are handed in by the start-up.

#include "practice/Pratica.h"
#include "practice/TestiClavora.h"
#include "practice/modClavora.h"
#include "keyboard/ControlloLayout.h"
#include "keyboard/TabellaTasti.h"
#include "settings/Impostazioni.h"
#include "settings/TestoLingua.h"
#include "ui/Forma.h"
#include "ui/frmInfo.h"

#include <QImage>
#include <QPixmap>
#include <QLabel>
#include <QSet>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QFrame;
class QPushButton;
class QRadioButton;
class QTimer;
class LineaInput;
class Backdrop;
class ClsResize;
class cTooltip;
class frmTransparency;
class PannelloNotebook;
class PannelloMessaggio;
class RigaModello;
namespace tastiera {
class TastieraVirtuale;
class MappaTastiEsterna;
} // namespace tastiera

// Background and text colours of a control, painted by the control itself.
void ImpostaColori(QWidget *w, const QColor &sfondo, const QColor &testo = Qt::black);

// Text-file entry of the file list: the name and the typing minutes at 300 and
// 220 characters a minute.
QString VoceFileTesto(const QString &nome, qint64 lunghezza);

class frmClavora : public QWidget {
    Q_OBJECT
public:
    explicit frmClavora(modClavora &stato, QWidget *parent = nullptr);
    ~frmClavora() override;

    // The windows this one opens, handed in by the start-up (tests give their own).
    std::function<int(QWidget *proprietario)> apriNome;        // 1: the learner's name
    std::function<int(QWidget *proprietario)> apriRisultati;   // 2: returns sceltaRisultati
    std::function<int(QWidget *proprietario)> apriReport;      // 3: the text-file report
    std::function<int(QWidget *proprietario)> apriGioco;       // training and game
    std::function<bool(QWidget *proprietario, const frmInfo::Azioni &)> apriInfo;  // true: print
    // The learner's progress; returns the aimed exercise to start (an entry of
    // the exercise list), empty for none.
    std::function<QString(QWidget *proprietario)> apriProgressi;

    // The texts of the interface language by id; empty: the built-in Italian ones.
    TestoLingua lingua;

    // Load steps, split where the window must already be visible.
    void Form_Load(const QString &rigaComando);
    // A second start of the program: this window (or the modal one in front of
    // it) comes forward; its file is opened when no exercise runs.
    void ComandoDaAltraIstanza(const QString &file);
    void Form_Unload();

    // Event handlers.
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
    // The keyboard as shown, on a landscape reference sheet (asked first).
    void StampaTastiera();

    modClavora &s;
    TestiClavora testi;
    Pratica pratica;
    bool chiusa = false;   // the window was unloaded: the program ends

    // Display values set at load.
    QString separatore = "/";
    int fontTesto = 18;
    int fontFrase = 12;
    bool fontiDisponibili = false;

    // Controls, named as the rest of the program knows them.
    PannelloNotebook *picNotebook = nullptr;
    QWidget *picDisplay = nullptr;
    RigaModello *lblFraseCorr = nullptr;
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
    QPixmap premiAcceso_, premiSpento_;   // the blinking picture's two states
    QLabel *imgX = nullptr;
    // One line about the learner's keymap, when it is not French or was switched.
    QLabel *lblAvvisoTastiera = nullptr;
    PannelloMessaggio *picMessaggio = nullptr;
    QLabel *lblMessaggio = nullptr;
    QLabel *imgIconaPunteggio = nullptr;
    // 0..6 the commands, 7 the key of a character without one, 8 the progress.
    std::array<QLabel *, 9> lblMenu{};
    std::array<Forma *, 9> shpMenu{};
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
    // The balloons of the kinds of material and of the two modes.
    std::unique_ptr<cTooltip> fumettiMenu;
    std::unique_ptr<cTooltip> fumettiLivello;
    // The pop-up that slides up over the keyboard while the Enter prompt blinks.
    frmTransparency *popup = nullptr;

    // Options read from the settings file and written back at unload.
    Impostazioni opzioni;

protected:
    void paintEvent(QPaintEvent *) override;
    void closeEvent(QCloseEvent *) override;
    void changeEvent(QEvent *) override;
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    // frmClavora_controlli.cpp
    void CreaControlli();
    void CreaMenu();
    // frmClavora.cpp
    void AnimazioneTitolo();
    void SalutoIniziale();
    void Form_KeyUp(int tasto);
    bool Form_KeyPress(int tasto);
    void Chiudi();
    void CaricaImpostazioni();
    void SalvaImpostazioni();
    void Attivati();
    int ShowWithBackdrop(int selettore);
    void MostraAvvisoTastiera();
    void AggiornaTastiera();
    // frmClavora_pratica.cpp
    void Reset();
    void AvvioFrase(const Pratica::EsitoAvvio &esito);
    void AvvioFileTesto(const Pratica::EsitoAvvio &esito);
    void AvvioComune();
    void MostraTastoAtteso();
    void SegnalaErrore(int k, bool soloMaiuscole);
    void FaccinaErrori();
    void MostraContatori();
    void FineRigaFinestra();
    void MostraFineRiga(const Pratica::EsitoFineRiga &f);
    void DisegnaRecord(int larghezza, int livello);
    void ComandoRicomincia();
    void AzzeraMarcatoriLivello();
    void AzzeraMedie();
    // frmClavora_lingua.cpp: texts at load, and after a change of language.
    void ApplicaTesti();
    void CambiaLingua();
    // frmClavora_menu.cpp
    void AggiornaCategorie();
    void RiempiCorso();
    void SalvaSegnalibro();
    void ApriProgressi();
    // frmClavora_effetti.cpp
    void ImpostaFumetti();
    void ApriPopup();
    void NascondiPopup();
    Pratica::Scelta SceltaCorrente() const;
    // Menu labels 3 to 5 show their option switched on with a light fill.
    void SegnaOpzioneMenu(int indice, bool attiva);
    // The file list is greyed while no kind of material offers files.
    void GrigioListaFile(bool grigio);

    tastiera::TabellaTasti tabella_;
    tastiera::ControlloLayout controlloLayout_;
    tastiera::ControlloLayout::Esito esitoLayout_ = tastiera::ControlloLayout::Esito::Sconosciuto;
    bool tastieraVerificata_ = false;   // the start-up check has run
    std::unique_ptr<Backdrop> backdrop_;
    std::unique_ptr<ClsResize> ridimensionatore_;
    bool cronometroFermatoQui_ = false;
    bool inoltroInCorso_ = false;
    // Keys whose press this window saw: only their release acts (a key pressed
    // in a dialog, or a release passed on from child to parent, does not).
    QSet<int> tastiPremuti_;
    // Background gradients as small scratch pictures, made once per size and scheme.
    QImage sfondoAlto_, sfondoBasso_;
    QSize dimensioneSfondo_;
    int schemaSfondo_ = -1;
};
