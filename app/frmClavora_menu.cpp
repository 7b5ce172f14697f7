// The main window's commands: menu labels, kinds of material, file list and mode.

#include "app/frmClavora.h"
#include "app/LineaInput.h"
#include "keyboard/TastieraVirtuale.h"
#include "platform/Testo.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>
#include <QTimer>

namespace {

QFileInfoList fileDi(const QString &cartella, const QString &filtro)
{
    return QDir(cartella).entryInfoList({filtro}, QDir::Files | QDir::Readable, QDir::Name);
}

} // namespace

// Text-file entry: the name and the typing minutes at 300 and 220 characters a minute.
QString VoceFileTesto(const QString &nome, qint64 lunghezza)
{
    const long long t1 = qMax(1LL, testo::arrotonda(double(lunghezza) / 300.0));
    const long long t2 = qMax(1LL, testo::arrotonda(double(lunghezza) / 220.0));
    if (t1 == t2)
        return nome + "    (" + QString::number(t1) + " min)";
    return nome + "    (" + QString::number(t1) + " ÷ " + QString::number(t2) + " min)";
}

void frmClavora::lblMenu_Click(int indice)
{
    switch (indice) {
    case 0:
        Chiudi();
        break;
    case 1:
        ComandoRicomincia();
        break;
    case 3:
        s.suonoAttivo = !s.suonoAttivo;
        shpMenu[3]->setStyleSheet(s.suonoAttivo ? "background: rgb(128,255,255);" : "");
        s.SuonaEffetto(111);
        break;
    case 4:
        picKeyword->CambiaMappaTasti(carattereAtteso, fermaLampeggio, s.modoFileTesto);
        shpMenu[4]->setStyleSheet(picKeyword->mappaTastiAttiva() ? "background: rgb(128,255,255);"
                                                                 : "");
        break;
    case 5:
        picKeyword->CambiaEvidenziazione(carattereAtteso, s.modoFileTesto);
        shpMenu[5]->setStyleSheet(picKeyword->evidenziaAttivo() ? "background: rgb(128,255,255);"
                                                                : "");
        s.Suona(111);
        break;
    case 6:
        s.schemaColori = s.schemaColori >= 10 ? 0 : s.schemaColori + 1;
        update();
        s.Suona(111);
        break;
    case 7:
        lblMenu[7]->hide();
        shpMenu[7]->hide();
        if (!carattereAtteso.isEmpty())
            txtInput->Digita(carattereAtteso.at(0));
        break;
    default:
        break;
    }
}

void frmClavora::optMenu_Click(int indice)
{
    cboListFile->clear();
    cboListFile->setEnabled(true);
    cboListFile->setStyleSheet({});
    modoCorso = false;
    const QString esercizi = s.cartellaProgramma + "Esercizi/";
    switch (indice) {
    case 0:
        cboListFile->setEnabled(false);
        cboListFile->setStyleSheet("background: rgb(223,223,223);");
        s.fileEsercizio.clear();
        lblIconaEsercizio->setText("✍");
        break;
    case 1:
        RiempiCorso();
        modoCorso = true;
        lblIconaEsercizio->setText("🎓");
        break;
    case 2:
        for (const QFileInfo &f : fileDi(esercizi, "*.ftd"))
            cboListFile->addItem(f.fileName());
        cboListFile->setCurrentIndex(0);
        lblIconaEsercizio->setText("✎");
        break;
    case 3:
        for (const QFileInfo &f : fileDi(esercizi, "*.txt"))
            if (f.size() < Esercizi::limiteFileTesto)
                cboListFile->addItem(VoceFileTesto(f.fileName(), f.size()));
        cboListFile->setCurrentIndex(0);
        lblIconaEsercizio->setText("🗎");
        break;
    default:
        break;
    }
    s.Suona(111);
}

void frmClavora::RiempiCorso()
{
    QString segnalibro;
    for (const QFileInfo &f : fileDi(s.cartellaProgramma + "CorsoDattilo/", "*.ftd"))
        cboListFile->addItem(f.fileName().section('.', 0, 0).toUpper());
    cboListFile->setCurrentIndex(0);
}

void frmClavora::AggiornaCategorie()
{
    const bool corso = !fileDi(s.cartellaProgramma + "CorsoDattilo/", "*.ftd").isEmpty();
    const bool ftd = !fileDi(s.cartellaProgramma + "Esercizi/", "*.ftd").isEmpty();
    const bool txt = !fileDi(s.cartellaProgramma + "Esercizi/", "*.txt").isEmpty();
    optMenu[1]->setEnabled(corso);
    optMenu[2]->setEnabled(ftd);
    optMenu[3]->setEnabled(txt);
    fontiDisponibili = corso || ftd || txt || optMenu[4]->isEnabled();
    cboListFile->clear();
    cboListFile->setEnabled(false);
    cboListFile->setStyleSheet("background: rgb(223,223,223);");
}

void frmClavora::optLevel_Click(int indice)
{
    ImpostaModo(indice);
    if (picLevel->isVisible())
        s.Suona(111);
    if (indice == 1) {
        // Expert mode never shows the finger colours: on first, then toggled off.
        picKeyword->setMappaTastiAttiva(true);
        lblMenu_Click(4);
    }
    lblMenu[4]->setEnabled(indice == 0);
}
