#include "app/TestiClavora.h"

#include "app/modClavora.h"

void TestiPredefiniti(TestiClavora &t, modClavora &s)
{
    t.testiMessaggi = {
        "- Frasi interne ",
        "-  Primo livello: frase",
        "-  Secondo livello: frase ",
        "-  Terzo livello: frase ",
        "Con questo esercizio questo pulsante non è disponibile.",
        "Vuoi iniziare da capo le esercitazioni?",
        "Hai totalizzato ",
        "punti e, digitando alla media di",
        "battute",
        "hai anche superato il tuo record precedente.",
        "Premi il tasto Entrée per continuare.",
        "Ciao",
        "Per iniziare gli esercizi scegli il livello di difficoltà e premi il pulsante < Entrée> ",
        "\r\nSeleziona dalla lista il file con cui esercitarti",
        "La tastiera in uso non è impostata per la lingua",
        "Il programma, quindi, potrebbe non funzionare correttamente.",
        "francese",
        "Vuoi salvare il nome dell'esercizio che hai appena terminato?",
        "Se rispondi  Sì  la prossima volta che sceglierai di esercitarti con il corso di",
        "dattilografia  sarà  selezionato   automaticamente   l'esercizio   successivo.",
        "Se scegli No sarà cancellato l'eventuale riferimento al precedente esercizio",
        "e la prossima volta deciderai tu da dove iniziare.",
        "Se, invece, scegli Annulla non sarà fatta alcuna modifica.",
        "Vuoi stampare la tastiera di ",
        "(la tastiera verrà stampata esattamente come la vedi in questo momento)",
        "Vuoi chiudere il programma?",
        "(Se chiudi il programma adesso, tutti i dati verranno persi)",
        "Il tasto Blocca Maiuscole non deve essere premuto.",
        "Il pulsante destro del mouse non deve essere premuto!",
        "Principiante",
        "Esperto",
        "Tastiera francese",
        "Controllate le impostazioni della lingua nella guida in linea",
        "punti, digitando alla media di",
        "Modifica la divisione della tastiera alternando lo schema classico con quello adottato "
        "nelle tastiere ergomiche",
        "Ciao",
        "minuti",
        "Errore nell'apertura del file:",
        "Premi OK per proseguire.",
        "Tempo stimato per terminare l'esercizio:",
        "File di testo troppo lungo, scegliere un file di minori dimensioni e riprovare.",
        "File Tastavia",
        "File di testo",
    };
    t.lodiNormali = {"Bene!", "Molto bene!", "Ottimo!", "Perfetto!",
                     "Benissimo!", "Splendido!", "Buon risultato!"};
    t.lodiRecord = {"Magnifico!", "Eccezionale!", "Sei grande!", "Fantastico!",
                    "Eccellente!", "Insuperabile!", "Sensazionale!"};
    t.titoloAttenzione = "Attenzione!";
    s.unitaVelocita = "al minuto";
    s.msgGuidaMancante = "Impossibile trovare il file della guida";
    s.nomeModo = t.testiMessaggi.at(s.indiceModo == 0 ? 29 : 30);
}
