#pragma once
// The report window at the end of an exercise typed from a text file: the
// figures painted on the window, "Crea file pdf" (the default button) writes
// and opens the PDF, "Chiudi" closes and deletes it. Everything it shows and
// writes comes from report::ReportFreeTXT.
//
//   frmReportFreeTXT report(stato, lingua, proprietario);
//   report.exec();

#include "report/ReportFreeTXT.h"

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;
class QTimer;
class modClavora;

class frmReportFreeTXT : public QDialog {
    Q_OBJECT
public:
    explicit frmReportFreeTXT(modClavora &stato, TestoLingua lingua = {},
                              QWidget *proprietario = nullptr, QLocale locale = QLocale());

    report::ReportFreeTXT report;

    QPushButton *cmdChiudi = nullptr;
    QPushButton *cmdCreaPDF = nullptr;
    QWidget *figure_ = nullptr;           // the figures as text for a screen reader
    QWidget *picBar = nullptr;            // the strip that holds the buttons
    QLabel *imgFrecciaReturn = nullptr;   // Enter: the PDF
    QWidget *imgAnimazione = nullptr;     // a sheet being written, over and over

    // Where the title and the eight lines are painted (tests read them).
    static constexpr int kXTitolo = 15, kYTitolo = 40, kXRighe = 15, kYRighe = 100;
    static constexpr int kSpazioRighe = 12;
    static constexpr int kAltezzaStriscia = 24;
    // True until the first PDF: the window stays above the others.
    bool primoPiano() const { return primoPiano_; }

    void cmdCreaPDF_Click();
    void cmdChiudi_Click() { close(); }
    void done(int r) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Load(const TestoLingua &lingua);
    void Form_Unload();
    void EsportaPDF();
    void DisegnaSfondo(QPainter &p);
    void DisegnaRisultati(QPainter &p);

    modClavora &s;
    bool primoPiano_ = false;
    bool chiuso_ = false;
    QPixmap striscia_;   // the decorative strip along the top
};
