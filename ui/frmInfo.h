#pragma once
// The information window: the program's name, version and credits, with the
// help, the language choice and the keyboard print reachable from it. Modal;
// what its buttons do comes from the main window. Its texts come through the
// language lookup and are looked up again after the language window closed.

#include "settings/TestoLingua.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

class frmInfo : public QDialog {
    Q_OBJECT
public:
    struct Azioni {
        std::function<void()> apriGuida;
        std::function<void(QWidget *finestra)> apriLingua;   // the language window, modal to `finestra`
        std::function<void()> stampaTastiera;   // runs after the window has closed
        bool stampanteDisponibile = false;
    };

    explicit frmInfo(Azioni azioni, TestoLingua lingua = {}, QWidget *parent = nullptr);

    // "Versione " major.minor.revision, or the language's word for it.
    static QString testoVersione(const TestoLingua &lingua = {});

    QLabel *lblNome = nullptr;
    QLabel *lblVersione = nullptr;
    QLabel *lblCrediti = nullptr;
    QPushButton *cmdGuida = nullptr;
    QPushButton *cmdLingua = nullptr;
    QPushButton *cmdStampa = nullptr;
    QPushButton *cmdChiudi = nullptr;

    bool stampaRichiesta() const { return stampaRichiesta_; }

    // Takes every text from the lookup again.
    void ApplicaTesti();

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    Azioni azioni_;
    TestoLingua lingua_;
    bool stampaRichiesta_ = false;
};
