// The main window in the interface language: its messages and the texts of its
// controls, applied at load and again after a change of language (the balloons
// and the pop-up take theirs in ImpostaFumetti).

#include "mainwindow/frmClavora.h"

#include "mainwindow/Pannelli.h"
#include "keyboard/MappaTastiEsterna.h"
#include "keyboard/TastieraVirtuale.h"
#include "mainwindow/LineaInput.h"
#include "settings/modLanguageSupport.h"

#include <QComboBox>
#include <QPushButton>

#include <QRadioButton>

void frmClavora::ApplicaTesti()
{
    if (s.fileLinguaPresente && lingua)
        ApplicaTestiLingua(testi, s, lingua);
    else
        TestiPredefiniti(testi, s);
    // The buttons of the message boxes speak the language the texts come from.
    modLanguageSupport::InstallaTraduzioniQt(s.fileLinguaPresente ? s.linguaCorrente
                                                                  : modLanguageSupport::kItaliano);

    const TestiControlli &c = testi.controlli;
    for (size_t i = 0; i < optMenu.size(); ++i)
        optMenu[i]->setText(c.menu[i]);
    for (size_t i = 0; i < optLevel.size(); ++i)
        optLevel[i]->setText(c.livelli[i]);
    for (size_t i = 0; i < c.suggerimentiMenu.size(); ++i)
        lblMenu[i]->setToolTip(c.suggerimentiMenu[i]);
    lblMenu[8]->setToolTip(Testo(lingua, QStringLiteral("0450"), QStringLiteral("Progressi e tasti deboli")));
    // The first counter shows the keystrokes taken, the second the wrong ones.
    lblNumBatt[0]->setToolTip(c.digitazioniEsatte);
    lblNumBatt[1]->setToolTip(c.digitazioniErrate);
    lblSmile->setToolTip(c.rapportoErrori);
    lblNumeroFrase->setToolTip(c.fraseLivello);
    for (size_t i = 0; i < c.medieLivello.size(); ++i)
        lblMediaLevel[i]->setToolTip(c.medieLivello[i]);
    imgPremi->setToolTip(testi.messaggio(10));
    picKeyword->setTooltipMappaDita(c.mappaDita);
    picKeyword->setTooltipTasto37(c.tasto37);
    picKeyword->setTestoDivisione(testi.messaggio(34));
    imgMappaTastiEsterna->setTooltip(c.mappaEsterna);
    // What a screen reader says of the controls that show a symbol or nothing.
    for (size_t i = 0; i < c.suggerimentiMenu.size(); ++i)
        lblMenu[i]->setAccessibleName(c.suggerimentiMenu[i]);
    lblMenu[7]->setAccessibleName(c.carattereSenzaTasto);
    lblMenu[8]->setAccessibleName(lblMenu[8]->toolTip());
    txtInput->setAccessibleName(c.nomeInput);
    txtInput->setAccessibleDescription(c.DescrizioneProssimo(pratica.carattereAtteso()));
    cboListFile->setAccessibleName(c.nomeLista);
    cmdStart->setAccessibleName(c.nomeStart);
    picKeyword->setAccessibleName(c.nomeTastiera);
    MostraAvvisoTastiera();
}

void frmClavora::CambiaLingua()
{
    // The kind of material, its list and its entry stay as the learner chose them.
    s.fileLinguaPresente = modLanguageSupport::FileLinguaPresente(s.cartellaProgramma, s.linguaCorrente);
    ApplicaTesti();
    ImpostaFumetti();
}
