#include "practice/Pratica.h"

#include "practice/Punteggio.h"
#include "platform/Testo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

Pratica::Pratica(modClavora &stato, const TestiClavora &t)
    : esercizi(stato), s(stato), testi(t)
{
}

void Pratica::setStartAbilitato(bool v)
{
    if (startAbilitato_ == v)
        return;
    startAbilitato_ = v;
    emit startCambiato(v);
}

void Pratica::AttivaCronometro(bool on)
{
    cronometroAttivo_ = on;
    emit cronometroCambiato(on);
}

Esercizi::EsitoComando Pratica::ApriDaRigaComando(const QString &riga)
{
    rigaComando_ = riga;
    return esercizi.ApriDaRigaComando(rigaComando_);
}

// --- Start --------------------------------------------------------------------

Pratica::EsitoAvvio Pratica::Avvia(const Scelta &scelta)
{
    EsitoAvvio esito;
    fermaLampeggio_ = true;
    s.modoFileTesto = esercizi.fileDaComando;
    s.tempoEsercizio = QTime(0, 0, 0);

    // A reset asked for (restart, information window, game) draws no line first:
    // after sentence 5 a new line would open the results window on the way.
    if (!richiestaRiavvio_) {
        if (scelta.daLista && !scelta.voce.isEmpty()) {
            ScegliFile(scelta.voce);
            if (!esercizi.fileRifiutato.isEmpty()) {
                esito.esito = Avvio::ErroreFile;
                esito.fileNonLetto = esercizi.fileRifiutato;
                esito.rifiuto = esercizi.rifiuto;
                richiestaRiavvio_ = true;
                return esito;
            }
        }
        ProssimaFrase(scelta, esito);
        if (esito.esito == Avvio::Chiudi || esito.esito == Avvio::ErroreFile)
            return esito;
    }
    if (richiestaRiavvio_) {
        esito.esito = Avvio::Reset;
        return esito;
    }

    if (s.modoFileTesto) {
        primaFrase_ = true;
        s.livelloCorrente = 3;
        s.numParole = 0;
        esito.titolo = "Tastavia  - " + testi.etichettaFile + " " + modClavora::NomeFile(s.fileEsercizio);
        const qsizetype n = rigaCorrente().size();
        passoProgresso_ = n > 0 ? float(larghezzaProgresso_) / float(n) : 0.f;
    } else {
        const int n = numeroFrase();
        if (n == 1 || n == 6 || n == 11) {
            larghezzaRecord_ = larghezzaIndicatore_;
            primaFrase_ = true;
            esito.nuovoLivello = true;
        }
    }
    AvvioComune();
    return esito;
}

void Pratica::ProssimaFrase(const Scelta &scelta, EsitoAvvio &esito)
{
    if (s.modoFileTesto) {
        if (!esercizi.CaricaFileTesto()) {
            esito.esito = Avvio::ErroreFile;
            esito.fileNonLetto = s.fileEsercizio;
            esito.rifiuto = esercizi.rifiuto;
            s.fileEsercizio.clear();
            s.modoFileTesto = false;
            esercizi.fileDaComando = false;
            richiestaRiavvio_ = true;
            return;
        }
        // The report counts the characters of the text that is typed.
        s.testoDaAnalizzare = rigaCorrente();
        return;
    }
    fermaLampeggio_ = true;
    int &n = esercizi.numeroFrase;
    ++n;

    auto risultati = [this] {
        return finestre.ShowWithBackdrop ? finestre.ShowWithBackdrop(2) : 0;
    };
    auto segnalibro = [this] {
        if (modoCorso_ && finestre.SalvaSegnalibro)
            finestre.SalvaSegnalibro();
    };
    if (n == 6 || n == 11) {
        s.tipoFineLivello = 1;
        s.sceltaRisultati = risultati();
        if (s.sceltaRisultati != 0) {
            esito.esito = Avvio::Chiudi;
            return;
        }
    } else if (n >= 16) {
        s.tipoFineLivello = 2;
        s.sceltaRisultati = risultati();
        QCoreApplication::processEvents();
        if (s.sceltaRisultati != 0) {
            segnalibro();
            esito.esito = Avvio::Chiudi;
            return;
        }
        n = 1;
        s.livelloCorrente = 1;
        s.totaleErrori = s.totaleBattute = 0;
        esercizi.frasiUsate.fill(0);
        AzzeraMedie();
        segnalibro();
        // With a command-line file or no list a new run starts at once; otherwise
        // the next Start resets (and a course goes on with its next lesson).
        if (rigaComando_.isEmpty() && !scelta.listaVuota) {
            richiestaRiavvio_ = true;
            riavvioDopoGiro_ = true;
            n = 0;
            return;
        }
    }

    QString sorgente = s.fileEsercizio.isEmpty() ? testi.messaggio(0)
                                                 : " - " + modClavora::NomeFile(s.fileEsercizio);
    sorgente = sorgente.left(30);
    s.livelloCorrente = Esercizi::LivelloDiFrase(n);
    esito.numeroInLivello = n - 5 * (s.livelloCorrente - 1);
    esito.titolo = "Tastavia " + sorgente + " " + testi.messaggio(s.livelloCorrente) + " " +
                   QString::number(esito.numeroInLivello);

    const int d = esercizi.EstraiFrase(*s.servizi.random, s.servizi.clock->now());
    esercizi.rigaCorrente = esercizi.RigaPerFrase(d);
}

void Pratica::AvvioComune()
{
    rigaCompletata_ = false;
    if (s.TastoAttivo(20))
        s.SpegniBloccoMaiuscole();
    larghezzaAttuale_ = 0;
    setStartAbilitato(false);
    battuteFrase_ = erroriFrase_ = 0;
    if (registro)
        registro->InizioRiga();
    s.Suona(104);
    AvanzaCarattere(true, nullptr);
}

bool Pratica::Reset()
{
    const bool prossimaLezione = modoCorso_ && riavvioDopoGiro_;
    richiestaRiavvio_ = false;
    riavvioDopoGiro_ = false;
    s.fileEsercizio.clear();
    s.modoFileTesto = false;
    // A reset ends an exercise named on the command line: from here on the
    // learner chooses from the lists.
    esercizi.fileDaComando = false;
    rigaComando_.clear();
    rigaCompletata_ = false;
    battuteFrase_ = erroriFrase_ = 0;
    carattereAtteso_.clear();
    posizione_ = posizioneAtteso_ = 0;
    s.totaleErrori = s.totaleBattute = 0;
    esercizi.AzzeraGiro();
    AzzeraMedie();
    return prossimaLezione;
}

void Pratica::AzzeraMedie()
{
    s.velocitaFrase.fill(0);
    sommaPunti_ = 0;
}

// --- Keystrokes ---------------------------------------------------------------

bool Pratica::AvanzaCarattere(bool riavvia, EsitoTasto *esito)
{
    if (riavvia)
        posizione_ = 0;
    const QString &riga = rigaCorrente();
    if (posizione_ == 1) {
        AttivaCronometro(true);
        inizioRiga_ = s.servizi.clock->now();
        if (esito)
            esito->primoTasto = true;
    }
    if (posizione_ >= riga.size()) {
        rigaCompletata_ = true;
        return false;
    }
    ++posizione_;
    QChar c = riga.at(posizione_ - 1);
    if (s.modoFileTesto) {
        if (c == QChar(0x2019))
            c = '\'';
        else if (c == QChar(0x201C) || c == QChar(0x201D))
            c = '"';
        else if (c == ' ' && s.numParole < INT32_MAX)
            ++s.numParole;
    }
    carattereAtteso_ = QString(c);
    posizioneAtteso_ = posizione_;
    if (esito)
        esito->avanzato = true;
    // The LF after a CR is never expected.
    if (c == '\r' && posizione_ < riga.size() && riga.at(posizione_) == '\n')
        ++posizione_;
    return true;
}

Pratica::EsitoTasto Pratica::GiudicaTasto(int k)
{
    EsitoTasto e;
    e.codice = k;
    if (rigaCompletata_ || chiusuraInCorso_) {
        e.codice = 0;
        return e;
    }
    if (carattereAtteso_.isEmpty() || k == 27)
        return e;
    const int atteso = testo::codiceTasto(carattereAtteso_.at(0));
    if (s.modoFileTesto) {
        if (k == 13 || k == 8) {
            e.codice = 0;
            return e;
        }
        if (registro)
            registro->Tasto(carattereAtteso_.at(0), k == atteso ? QChar() : testo::carattereTasto(k));
        if (k == atteso) {
            s.Suona(107);
        } else {
            // Every key is taken in a text; a wrong one is counted.
            e.errore = e.erroreContato = true;
            incrementa(s.totaleErrori);
            s.Suona(101);
        }
    } else if (k == atteso) {
        if (registro)
            registro->Tasto(carattereAtteso_.at(0), QChar());
        s.Suona(107);
    } else {
        e.errore = true;
        e.codice = 0;
        if (k != 13 || cronometroAttivo_) {
            s.Suona(101);
            e.segnalaErrore = true;
            e.soloMaiuscole = QString(testo::carattereTasto(k)).toUpper() == carattereAtteso_.toUpper();
        }
        // Errors count once the line's clock runs.
        if (cronometroAttivo_) {
            if (registro)
                registro->Tasto(carattereAtteso_.at(0), testo::carattereTasto(k));
            e.erroreContato = true;
            incrementa(erroriFrase_);
            incrementa(s.totaleErrori);
        }
        if (s.TastoAttivo(20))
            s.SpegniBloccoMaiuscole();
        return e;
    }

    e.preso = true;
    e.secondaRiga = !s.modoFileTesto && k == 13;
    incrementa(battuteFrase_);
    incrementa(s.totaleBattute);
    AvanzaCarattere(false, &e);
    if (rigaCompletata_) {
        chiusuraInCorso_ = true;
        e.codice = 0;
        e.fineRiga = true;
    }
    return e;
}

int Pratica::inizioTestoMostrato() const
{
    // The input line keeps the last 29 characters typed; battuteFrase counts
    // the key just taken.
    return std::max(0, int(battuteFrase_) - 29);
}

int Pratica::fasciaErrori() const
{
    return FasciaErrori(s.totaleErrori, s.totaleBattute, s.modoEsperto);
}

// --- End of a line ------------------------------------------------------------

Pratica::EsitoFineRiga Pratica::FineRiga()
{
    EsitoFineRiga r;
    AttivaCronometro(false);
    const int secondi = SecondiRiga(inizioRiga_, s.servizi.clock->now());
    float v = VelocitaRiga(int(rigaCorrente().size()), secondi);
    if (s.modoFileTesto) {
        s.tempoEsercizio = QTime(0, 0).addSecs(secondi);
        r.fileTesto = true;
        Registra(RegistroEventi::Testo, v, 0);
        return r;
    }
    if (v == 0)
        v = 5;
    const EsitoRecord record = ValutaRecord(larghezzaRecord_, larghezzaAttuale_, primaFrase_);
    if (record.restringiBarra)
        larghezzaRecord_ = larghezzaAttuale_;
    r.restringiBarra = record.restringiBarra;
    r.record = record.record;
    s.Suona(record.suono);
    const int n = numeroFrase();
    if (n >= 1 && n <= 15)
        s.velocitaFrase[size_t(n)] = v;
    r.velocita = v;
    r.punteggio = PunteggioFrase(v, s.tempoObiettivo);
    r.mediaLivello = MediaDopoFrase(sommaPunti_, n, s.livelloCorrente, r.punteggio,
                                    s.velocitaFrase, s.tempoObiettivo);

    const int lode = NumeroCasuale(*s.servizi.random, *s.servizi.clock, 1, 7) - 1;
    r.messaggio = ComponiMessaggio(testi.fineRiga(s.unitaVelocita), r.punteggio, v, r.record, lode);
    r.icona = 420 + FasciaPunteggio(r.punteggio, s.indiceModo);
    primaFrase_ = false;
    Registra(RegistroEventi::Riga, v, r.punteggio);
    return r;
}

void Pratica::Registra(RegistroEventi::Evento evento, float velocita, int punteggio)
{
    if (!registro)
        return;
    RegistroEventi::Fine f;
    f.evento = evento;
    f.materiale = s.modoFileTesto ? RegistroEventi::FileTesto
                  : s.fileEsercizio.isEmpty() ? RegistroEventi::Frasi
                  : modoCorso_ ? RegistroEventi::Corso
                  : modClavora::NomeFile(s.fileEsercizio).startsWith(prefissoMirato) ? RegistroEventi::Mirato
                                                                                      : RegistroEventi::Esercizio;
    f.file = f.materiale == RegistroEventi::Corso ? modClavora::NomeSenzaEstensione(s.fileEsercizio)
                                                 : modClavora::NomeFile(s.fileEsercizio);
    f.livello = s.livelloCorrente;
    f.numero = s.modoFileTesto ? 0 : numeroFrase();
    f.modo = s.indiceModo;
    f.velocita = velocita;
    f.punteggio = punteggio;
    registro->Finito(f);
}

Pratica::Seguito Pratica::DopoFineRiga() const
{
    if (!s.modoFileTesto)
        return Seguito::Lampeggia;
    return esercizi.fileDaComando ? Seguito::Chiudi : Seguito::Ricomincia;
}

// --- Clock and pause ----------------------------------------------------------

Pratica::EsitoOrologio Pratica::Timer1_Timer()
{
    EsitoOrologio o;
    const qint64 e = std::max<qint64>(0, inizioRiga_.secsTo(s.servizi.clock->now()));
    o.tempo = testo::dueCifre(int(e / 60 % 60)) + ":" + testo::dueCifre(int(e % 60));
    if (s.modoFileTesto) {
        o.larghezza = int(float(s.totaleBattute) * passoProgresso_);
        return o;
    }
    const float t = posizione_ > 1 ? float(e) / float(posizione_ - 1) : 0.f;
    const long long f = testo::arrotonda(double(larghezzaIndicatore_) / (double(s.tempoObiettivo) * 10.0));
    const long long w = testo::arrotonda(double(f) * double(t));
    larghezzaAttuale_ = int32_t(std::min<long long>(w, larghezzaIndicatore_));
    o.larghezza = larghezzaAttuale_;
    return o;
}

QString Pratica::InizioPausa()
{
    inizioPausa_ = s.servizi.clock->now();
    AttivaCronometro(false);
    if (!s.modoFileTesto)
        return testi.messaggio(38);
    const long long m =
        testo::arrotonda(double(QFileInfo(s.fileEsercizio).size() - s.totaleBattute) / 260.0);
    return testi.messaggio(39) + " " + (m < 1 ? QString("< 1") : QString::number(m)) + " " +
           testi.messaggio(36) + "\r\n" + testi.messaggio(38);
}

void Pratica::FinePausa()
{
    inizioRiga_ = inizioRiga_.addSecs(inizioPausa_.secsTo(s.servizi.clock->now()));
    AttivaCronometro(true);
}

void Pratica::ImpostaModo(int indice)
{
    s.indiceModo = indice;
    s.modoEsperto = indice != 0;
    s.nomeModo = testi.messaggio(s.modoEsperto ? 30 : 29);
    s.tempoObiettivo = s.modoEsperto ? 0.2f : 0.4f;
}
