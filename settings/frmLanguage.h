#pragma once
// The language window: a list of the interface languages (the files of Lang/
// and the built-in Italian), a button with the translation's credits and the
// close button, which asks before taking another language. Modal, opened from
// the information window.
//
//   frmLanguage scelta(cartella, linguaCorrente, fileLinguaPresente, dialogs, testoLingua, this);
//   scelta.exec();
//   linguaCorrente = scelta.linguaCorrente();   // changed only on a Yes

#include "platform/Services.h"
#include "settings/TestoLingua.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class frmLanguage : public QDialog {
    Q_OBJECT
public:
    frmLanguage(const QString &cartellaProgramma, const QString &linguaCorrente, bool fileLinguaPresente,
                platform::Dialogs &dialogs, TestoLingua lingua = {}, QWidget *parent = nullptr);

    // The interface language once the window has closed.
    QString linguaCorrente() const { return linguaCorrente_; }
    // The language the learner picked in the list (the current one until then).
    QString candidata() const { return candidata_; }

    // Characters of an entry the list is wide enough for; longer ones are cut
    // with "..." (their tooltip has them whole).
    static constexpr int LarghezzaVoci = 32;

    QLabel *lblSeleziona = nullptr;
    QComboBox *cboFileLanguage = nullptr;
    QPushButton *cmdInfo = nullptr;
    QPushButton *cmdChiudi = nullptr;

    void cmdChiudi_Click();
    void cmdInfo_Click();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Load(const QString &cartellaProgramma);

    QString cartellaProgramma_;
    QString linguaCorrente_;
    QString candidata_;
    QString vocecandidata_;
    bool fileLinguaPresente_;
    platform::Dialogs &dialogs_;
    TestoLingua lingua_;
    bool riempimento_ = false;
};
