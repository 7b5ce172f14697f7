#include "practice/TestiClavora.h"

#include "practice/modClavora.h"
#include "settings/modLanguageSupport.h"

namespace {

struct Voce {
    const char *id;
    const char16_t *predefinito;
};

// Message texts 0..42 by their ids.
constexpr Voce messaggi[43] = {
    {"0001", u"- Frasi interne "},
    {"0002", u"-  Primo livello: frase"},
    {"0003", u"-  Secondo livello: frase "},
    {"0004", u"-  Terzo livello: frase "},
    {"0005", u"Con questo esercizio questo pulsante non \u00E8 disponibile."},
    {"0006", u"Vuoi iniziare da capo le esercitazioni?"},
    {"0007", u"Hai totalizzato "},
    {"0008", u"punti e, digitando alla media di"},
    {"0009", u"battute"},
    {"0010", u"hai anche superato il tuo record precedente."},
    {"0011", u"Premi il tasto Entr\u00E9e per continuare."},
    {"0137", u"Ciao"},
    {"0013", u"Per iniziare gli esercizi scegli il livello di difficolt\u00E0 e premi il pulsante <Entr\u00E9e> "},
    {"0014", u"\r\nSeleziona dalla lista il file con cui esercitarti"},
    {"0019", u"La tastiera in uso non \u00E8 impostata per la lingua"},
    {"0020", u"Il programma, quindi, potrebbe non funzionare correttamente."},
    {"1031", u"francese"},
    {"0021", u"Vuoi salvare il nome dell'esercizio che hai appena terminato?"},
    {"0022", u"Se rispondi  S\u00EC  la prossima volta che sceglierai di esercitarti con il corso di"},
    {"0023", u"dattilografia  sar\u00E0  selezionato   automaticamente   l'esercizio   successivo."},
    {"0024", u"Se scegli No sar\u00E0 cancellato l'eventuale riferimento al precedente esercizio"},
    {"0025", u"e la prossima volta deciderai tu da dove iniziare."},
    {"0026", u"Se, invece, scegli Annulla non sar\u00E0 fatta alcuna modifica."},
    {"0029", u"Vuoi stampare la tastiera di "},
    {"0030", u"(la tastiera verr\u00E0 stampata esattamente come la vedi in questo momento)"},
    {"0015", u"Vuoi chiudere il programma?"},
    {"0016", u"(Se chiudi il programma adesso, tutti i dati verranno persi)"},
    {"0017", u"Il tasto Blocca Maiuscole non deve essere premuto."},
    {"0018", u"Il pulsante destro del mouse non deve essere premuto!"},
    {"0027", u"Principiante"},
    {"0028", u"Esperto"},
    {"1010", u"Tastiera francese"},
    {"0117", u"Controllate le impostazioni della lingua nella guida in linea"},
    {"0118", u"punti, digitando alla media di"},
    {"0119", u"Modifica la divisione della tastiera alternando lo schema classico con quello adottato "
             u"nelle tastiere ergonomiche"},
    {"0137", u"Ciao"},
    {"0120", u"minuti"},
    {"0121", u"Errore nell'apertura del file:"},
    {"0122", u"Premi OK per proseguire."},
    {"0123", u"Tempo stimato per terminare l'esercizio:"},
    {"0124", u"File di testo troppo lungo, scegliere un file di minori dimensioni e riprovare."},
    {"0125", u"File Tastavia"},
    {"0126", u"File di testo"},
};

// The language's message 0 is the caption of the first kind of material
// between the dashes of the title; message 12 ends with the Enter key's name.
constexpr Voce frasiInterne = {"0001", u"Frasi interne"};
constexpr Voce perIniziare = {"0013", u"Per iniziare gli esercizi scegli il livello di difficolt\u00E0 e "
                                      u"premi il pulsante"};

constexpr Voce lodiRecord[7] = {
    {"0048", u"Magnifico!"},  {"0049", u"Eccezionale!"},  {"0050", u"Sei grande!"},
    {"0051", u"Fantastico!"}, {"0052", u"Eccellente!"},   {"0053", u"Insuperabile!"},
    {"0054", u"Sensazionale!"},
};
constexpr Voce lodiNormali[7] = {
    {"0055", u"Bene!"},      {"0056", u"Molto bene!"}, {"0057", u"Ottimo!"},
    {"0058", u"Perfetto!"},  {"0059", u"Benissimo!"},  {"0060", u"Splendido!"},
    {"0061", u"Buon risultato!"},
};

// The caption's "File:" before the exercise's name; the keyboard sheet's layout.
constexpr Voce etichettaFile = {"0553", u"File:"};
constexpr Voce foglioTastiera = {"0554", u"(AZERTY)"};
// What a screen reader says of the controls that show no words of their own.
constexpr Voce nomeInput = {"0565", u"Riga da digitare"};
constexpr Voce prossimoCarattere = {"0566", u"Prossimo carattere: %1"};
constexpr Voce nomeSpazio = {"0567", u"spazio"};
constexpr Voce nomeLista = {"0568", u"Elenco dei file"};
constexpr Voce nomeStart = {"0569", u"Inizia la riga"};
constexpr Voce carattereSenzaTasto = {"0570", u"Scrive il carattere che non ha un tasto"};
constexpr Voce nomeTastiera = {"0571", u"Tastiera sullo schermo"};

constexpr Voce unitaVelocita = {"0116", u"al minuto"};
constexpr Voce titoloAttenzione = {"0062", u"Attenzione!"};
constexpr Voce guidaMancante = {"0065", u"Impossibile trovare il file della guida"};

constexpr Voce menu[5] = {{"0001", u"Frasi interne"}, {"0064", u"Corso dattilo"}, {"0063", u"Esercizi"},
                          {"0126", u"File di testo"}, {"0306", u"Gioco && Allenamento"}};
constexpr Voce livelli[2] = {{"0027", u"Principiante"}, {"0028", u"Esperto"}};
constexpr Voce suggerimentiMenu[7] = {
    {"0035", u"Chiude il programma"},
    {"0036", u"Ricomincia da capo"},
    {"0037", u"Informazioni e guida"},
    {"0038", u"Abilita o disabilita i suoni"},
    {"0039", u"Visualizza o nasconde la mappa \"tasto/dito\""},
    {"0040", u"Evidenzia o nasconde i tasti da premere"},
    {"0041", u"Cambia il colore dello sfondo"},
};
constexpr Voce digitazioniErrate = {"0042", u"digitazioni errate  correnti / totali"};
constexpr Voce digitazioniEsatte = {"0043", u"digitazioni esatte  correnti / totali"};
constexpr Voce rapportoErrori = {"0208", u"Rapporto errori/battute"};
constexpr Voce fraseLivello = {"0044", u"Frase livello corrente"};
constexpr Voce medieLivello[3] = {{"0045", u"Media punteggi 1\u00B0 livello"},
                                  {"0046", u"Media punteggi 2\u00B0 livello"},
                                  {"0047", u"Media punteggi 3\u00B0 livello"}};
constexpr Voce mappaDita = {"0031", u"Doppio click per nascondere l'immagine"};
constexpr Voce mappaEsterna = {"0032", u"Doppio click per riposizionare la mappa sulla tastiera"};
constexpr Voce guidaNonAperta = {"0608", u"Nessun programma ha aperto la guida. La pagina si trova in:"};
constexpr Voce tasto37 = {"0151", u"Doppio click per tastiera 2D/3D"};
constexpr Voce tastieraNonFrancese = {
    "0350", u"La tastiera in uso non \u00E8 francese AZERTY e il desktop non permette di cambiarla da qui: "
            u"aggiungi \"Francese (AZERTY)\" nelle impostazioni della tastiera del desktop. "
            u"Intanto la tastiera sullo schermo mostra i tasti della tua."};
constexpr Voce tastieraCambiata = {
    "0351", u"Per gli esercizi la tastiera \u00E8 passata al francese AZERTY; alla chiusura torner\u00E0 \"%1\"."};

// Fills every text; without a lookup, the built-in ones.
void Riempi(TestiClavora &t, modClavora &s, const TestoLingua &lingua)
{
    const auto testo = [&lingua](const Voce &v) {
        const QString predefinito = QString::fromUtf16(v.predefinito);
        if (!lingua)
            return predefinito;
        return modLanguageSupport::TestoOPredefinito(lingua(QString::fromLatin1(v.id), predefinito),
                                                     predefinito);
    };

    t.testiMessaggi.clear();
    for (const Voce &v : messaggi)
        t.testiMessaggi << testo(v);
    if (lingua) {
        t.testiMessaggi[0] = QStringLiteral("- ") + testo(frasiInterne) + QStringLiteral(" ");
        t.testiMessaggi[12] = testo(perIniziare) + QString::fromUtf16(u" <Entr\u00E9e>");
    }
    t.lodiRecord.clear();
    t.lodiNormali.clear();
    for (int i = 0; i < 7; ++i) {
        t.lodiRecord << testo(lodiRecord[i]);
        t.lodiNormali << testo(lodiNormali[i]);
    }
    t.titoloAttenzione = testo(titoloAttenzione);
    s.unitaVelocita = testo(unitaVelocita);
    s.msgGuidaMancante = testo(guidaMancante);
    s.msgGuidaNonAperta = testo(guidaNonAperta);
    s.nomeModo = t.testiMessaggi.at(s.indiceModo == 0 ? 29 : 30);

    TestiControlli &c = t.controlli;
    for (size_t i = 0; i < 5; ++i)
        c.menu[i] = testo(menu[i]);
    for (size_t i = 0; i < 2; ++i)
        c.livelli[i] = testo(livelli[i]);
    for (size_t i = 0; i < 7; ++i)
        c.suggerimentiMenu[i] = testo(suggerimentiMenu[i]);
    c.digitazioniErrate = testo(digitazioniErrate);
    c.digitazioniEsatte = testo(digitazioniEsatte);
    c.rapportoErrori = testo(rapportoErrori);
    c.fraseLivello = testo(fraseLivello);
    for (size_t i = 0; i < 3; ++i)
        c.medieLivello[i] = testo(medieLivello[i]);
    c.mappaDita = testo(mappaDita);
    c.mappaEsterna = testo(mappaEsterna);
    c.tasto37 = testo(tasto37);
    t.tastieraNonFrancese = testo(tastieraNonFrancese);
    t.tastieraCambiata = testo(tastieraCambiata);
    t.etichettaFile = testo(etichettaFile);
    t.foglioTastiera = testo(foglioTastiera);
    c.nomeInput = testo(nomeInput);
    c.prossimoCarattere = testo(prossimoCarattere);
    c.nomeSpazio = testo(nomeSpazio);
    c.nomeLista = testo(nomeLista);
    c.nomeStart = testo(nomeStart);
    c.carattereSenzaTasto = testo(carattereSenzaTasto);
    c.nomeTastiera = testo(nomeTastiera);
}

} // namespace

void TestiPredefiniti(TestiClavora &t, modClavora &s)
{
    Riempi(t, s, {});
}

void ApplicaTestiLingua(TestiClavora &t, modClavora &s, const TestoLingua &lingua)
{
    Riempi(t, s, lingua);
}
