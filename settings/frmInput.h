#pragma once
// Modal dialog that asks the learner's name before practice and may remember
// it (settings file, section "AccessName", keys "Name" and "Remember").
//
//   frmInput dlg(gestoreIni, fileImpostazioni(cartella), services, testoLingua, this);
//   dlg.exec();
//   nomeUtente = dlg.nomeUtente();   // trimmed, upper case, possibly empty

#include "platform/Services.h"
#include "settings/TestoLingua.h"

#include <QDialog>
#include <functional>

class IniManager;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmInput : public QDialog {
    Q_OBJECT
public:
    // testoLingua gives the texts of the interface language by their ids
    // ("0012", "0096", "0138", "0066", "0166"); empty: the built-in Italian texts.
    frmInput(IniManager &gestoreIni, const QString &fileImpostazioni, const platform::Services &services,
             TestoLingua testoLingua = {}, QWidget *parent = nullptr);

    QString nomeUtente() const { return m_nomeUtente; }

    static constexpr int kLunghezzaNome = 30;

    QLabel *lblBenvenuto = nullptr;
    QLabel *lblDigitaNome = nullptr;
    QLineEdit *txtNomeUtente = nullptr;
    QLabel *lblCaratteriTolti = nullptr;   // shown when the field dropped characters (id "0166")
    QCheckBox *chkRemember = nullptr;
    QPushButton *cmdChiudi = nullptr;

    void done(int r) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void txtNomeUtente_Change();
    void Form_Unload();

    IniManager &m_gestoreIni;
    QString m_fileImpostazioni;
    platform::Services m_services;
    TestoLingua m_testoLingua;
    QString m_nomeUtente;
    bool m_chiuso = false;
    bool m_tolti = false;   // the change under way dropped characters
};
