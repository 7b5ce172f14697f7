#pragma once
// The information window: the program's name, version and credits, with the
// help, the language choice and the keyboard print reachable from it. Modal;
// what its buttons do comes from the main window.

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

class frmInfo : public QDialog {
    Q_OBJECT
public:
    struct Azioni {
        std::function<void()> apriGuida;
        std::function<void()> apriLingua;
        std::function<void()> stampaTastiera;   // runs after the window has closed
        bool stampanteDisponibile = false;
    };

    explicit frmInfo(Azioni azioni, QWidget *parent = nullptr);

    static QString testoVersione();   // "Versione " major.minor.revision

    QLabel *lblNome = nullptr;
    QLabel *lblVersione = nullptr;
    QLabel *lblCrediti = nullptr;
    QPushButton *cmdGuida = nullptr;
    QPushButton *cmdLingua = nullptr;
    QPushButton *cmdStampa = nullptr;
    QPushButton *cmdChiudi = nullptr;

    bool stampaRichiesta() const { return stampaRichiesta_; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    Azioni azioni_;
    bool stampaRichiesta_ = false;
};
