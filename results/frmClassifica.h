#pragma once
// The results window, opened modally after each level of the built-in
// sentences: one table per level reached with its evaluation symbol, a message
// about the two answer buttons, printing and the PDF report. The button that
// closes it is left in sceltaRisultati (0 "Continua", 1 "Termina"; -1 when it
// was closed otherwise).
//
//   frmClassifica risultati(stato, testoLingua, proprietario);
//   risultati.exec();
//   if (stato.sceltaRisultati == 0) ...

#include "results/PaginaRisultati.h"
#include "results/Report.h"
#include "settings/TestoLingua.h"

#include <QDialog>
#include <QPixmap>
#include <array>

class modClavora;
class QLabel;
class QPushButton;

class frmClassifica : public QDialog {
    Q_OBJECT
public:
    frmClassifica(modClavora &stato, TestoLingua lingua = {}, QWidget *parent = nullptr);
    ~frmClassifica() override;

    // Controls.
    QLabel *picBar = nullptr;
    std::array<QLabel *, 3> lbllivelli{};
    std::array<QLabel *, 3> imgGrad{};
    std::array<QLabel *, 3> imgRisultato{};
    // The painted tables as text for a screen reader, one panel a level.
    std::array<QWidget *, 3> tabelleAccessibili_{};
    std::array<QPixmap, 5> imgSimbolo;           // the five symbols of the mode
    QLabel *lblShowMess = nullptr;
    // After the last level: the run's overall speed, score and evaluation.
    QLabel *lblTotali = nullptr;
    QLabel *imgTotali = nullptr;
    std::array<QPushButton *, 2> cmdRisp{};
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdPDF = nullptr;
    QLabel *imgFrecciaReturn = nullptr;
    QPixmap imgTastiera;

    // Window values.
    const risultati::DatiReport &report() const { return report_; }
    const risultati::TestiRisultati &testiRisultati() const { return report_.testi; }
    float sommaVelocitaLivelli() const { return report_.figure.sommaVelocitaLivelli; }
    int16_t sommaPunteggiLivelli() const { return report_.figure.sommaPunteggiLivelli; }
    bool erroreStampa() const { return erroreStampa_; }
    // The texts of the level tables as drawn on the window, in millimetres.
    const std::vector<risultati::Scritta> &scritteTabelle() const { return scritteTabelle_; }
    const QString &percorsoPDF() const { return percorsoPDF_; }

    // The buttons.
    void cmdRisp_Click(int indice);
    // Closing by the title bar: asks whether to end the program; Yes answers
    // as "Termina" and closes the window (true), No keeps it open.
    bool Form_QueryUnload();
    void cmdPrint_Click() { ChiediStampa(); }
    void cmdPDF_Click() { EsportaPDF(); }

    void ChiediStampa();
    void StampaRisultati();
    void EsportaPDF();
    void CreaPDF();
    // The temporary folder as the desktop service reports it (ending with "/"),
    // or empty.
    QString GetTempDir() const;

    // The pictures of the printed page, in the mode's set.
    risultati::Immagini immaginiStampa() const;

    void done(int r) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void CreaControlli();
    void DisegnaSfondo();
    void CaricaSimboli();
    void TestiAccessibili();
    void MostraRisultati();
    void MostraTotali();
    int mm(double millimetri) const;

    modClavora &stato_;
    TestoLingua lingua_;
    risultati::DatiReport report_;
    double dpmm_ = 96 / 25.4;
    QPixmap sfondo_;           // background and tables, drawn once at load
    std::vector<risultati::Scritta> scritteTabelle_;
    bool erroreStampa_ = false;
    QString percorsoPDF_;
    bool pdfCreato_ = false;
    bool chiuso_ = false;
};
