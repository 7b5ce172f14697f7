#pragma once
// The progress window: the page of PaginaProgressi drawn to fit, the last 30
// days or everything, the keyboard's own painting as the map of error rates,
// print and PDF of the same page, and the button that makes the exercise
// aimed at the weak keys. A view only: the figures come from the store.

#include "progress/PaginaProgressi.h"
#include "settings/TestoLingua.h"

#include <QDialog>
#include <QImage>
#include <memory>

class QPushButton;
class QRadioButton;
class modClavora;
namespace tastiera {
class TabellaTasti;
class TastieraVirtuale;
}

namespace progressi {

class ArchivioProgressi;

class frmProgressi : public QDialog {
    Q_OBJECT
public:
    frmProgressi(modClavora &stato, ArchivioProgressi &archivio, const QString &studente,
                 const QString &segnalibro, TestoLingua lingua, QWidget *parent = nullptr);
    ~frmProgressi() override;

    // The aimed exercise made by the button, its list entry ("Mirato_....ftd"); empty when none.
    const QString &esercizioMirato() const { return esercizioMirato_; }
    const DatiPagina &dati() const { return dati_; }
    // The page as the window shows it, at `larghezza` pixels.
    QImage Pagina(int larghezza) const;

    void setUltimi30(bool v);
    void cmdMirato_Click();
    void cmdStampa_Click();
    void cmdPDF_Click();

private:
    QString T(const char *id, const char16_t *predefinito) const;
    void Carica();
    void DisegnaSu(QPainter &p, const QRectF &area) const;

    modClavora &s;
    ArchivioProgressi &archivio_;
    TestoLingua lingua_;
    QString segnalibro_;
    std::unique_ptr<tastiera::TabellaTasti> tabella_;
    tastiera::TastieraVirtuale *tastiera_ = nullptr;
    QImage immagineTastiera_;
    DatiPagina dati_;
    QRadioButton *opt30_ = nullptr;
    QRadioButton *optTutto_ = nullptr;
    QPushButton *cmdMirato_ = nullptr;
    QPushButton *cmdStampa_ = nullptr;
    QPushButton *cmdPDF_ = nullptr;
    QPushButton *cmdChiudi_ = nullptr;
    QRectF areaPagina_;
    QString esercizioMirato_;
    QString percorsoPDF_;
};

} // namespace progressi
