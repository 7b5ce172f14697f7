#include "game/RegoleGioco.h"

#include "platform/Testo.h"

#include <algorithm>
#include <cmath>

RegoleGioco::RegoleGioco(modClavora &stato, const TestiGioco &testi) : stato_(stato), testi_(testi)
{
    lblTotal_.colore = Blu();
    lblTotal_.testo = QStringLiteral("0");
    lblWinner_.colore = Nero();
    lblWinner_.visibile = !stato_.nomeUtente.isEmpty();
}

// --- Geometry

void RegoleGioco::ImpostaArea(int larghezza, int altezza)
{
    larghezzaGioco_ = larghezza;
    altezzaGioco_ = int16_t(std::clamp(altezza, 0, 32767));
    const int gap = int(testo::arrotonda(double(larghezza - NumeroColonne * DimensioneLettera.width()) /
                                         (NumeroColonne + 1)));
    int left = gap;
    for (Etichetta &e : lblLetter_) {
        e.left = left;
        left += DimensioneLettera.width() + gap;
    }
    lblMessage_.left = 0;
    lblMessage_.top = altezzaGioco_ - AltezzaMessaggio;
    segna(QRect(0, 0, larghezza, altezza));
}

QRect RegoleGioco::rettangolo(Tipo t, const Etichetta &e) const
{
    switch (t) {
    case Tipo::Lettera:
        return QRect(QPoint(e.left, e.top), DimensioneLettera);
    case Tipo::Faccia:
        return rettangoloFaccia(e);
    case Tipo::Punti:
        return rettangoloPunti(e);
    case Tipo::Messaggio:
        break;
    }
    return QRect(e.left, e.top, larghezzaGioco_, AltezzaMessaggio);
}

QRect RegoleGioco::rettangoloLettera(int i) const
{
    return rettangolo(Tipo::Lettera, lblLetter_[size_t(i)]);
}

QRect RegoleGioco::rettangoloFaccia(const Etichetta &e)
{
    return QRect(QPoint(e.left, e.top), DimensioneFaccia);
}

QRect RegoleGioco::rettangoloPunti(const Etichetta &e)
{
    // Centred on the face it replaces: "100" is wider than a column.
    const int margine = (DimensionePunti.width() - DimensioneFaccia.width()) / 2;
    return QRect(QPoint(e.left - margine, e.top), DimensionePunti);
}

QRect RegoleGioco::rettangoloMessaggio() const
{
    return rettangolo(Tipo::Messaggio, lblMessage_);
}

QRect RegoleGioco::areaLettera(const Etichetta &e) const
{
    // Drawn up to a tick's fall below its top: a change repaints that too.
    return rettangolo(Tipo::Lettera, e).adjusted(0, 0, 0, MargineMoto);
}

int RegoleGioco::topDisegno(int i, double frazione) const
{
    const Etichetta &e = lblLetter_[size_t(i)];
    if (!e.visibile)
        return e.top;
    const int passo = std::min<int>(velocitaLettera_[size_t(i)], MargineMoto);
    return e.top + int(std::floor(std::clamp(frazione, 0.0, 1.0) * passo));
}

template <typename F>
void RegoleGioco::cambia(Tipo t, Etichetta &e, F &&f)
{
    const auto area = [&] { return t == Tipo::Lettera ? areaLettera(e) : rettangolo(t, e); };
    if (e.visibile)
        segna(area());
    f(e);
    if (e.visibile)
        segna(area());
}

RegoleGioco::Modifiche RegoleGioco::prendiModifiche()
{
    Modifiche m{parti_, area_};
    parti_ = 0;
    area_ = QRegion();
    return m;
}

void RegoleGioco::notifica()
{
    if (parti_ != 0)
        emit aggiornato();
}

void RegoleGioco::pausa(int ms)
{
    if (stato_.pausa)
        stato_.pausa(ms);
}

void RegoleGioco::suono(int id)
{
    if (stato_.suonoAttivo && stato_.servizi.sound)
        stato_.servizi.sound->play(id);
}

RegoleGioco::Sospensione RegoleGioco::Sospendi()
{
    Sospensione s{sessione_, inCorso_, timerLettersAttivo_, timerScoreAttivo_};
    inCorso_ = false;
    impostaTimerLettere(false, intervalloLettere_);
    impostaTimerPunteggio(false);
    notifica();
    return s;
}

void RegoleGioco::Riprendi(const Sospensione &s)
{
    if (s.sessione != sessione_)
        return;
    inCorso_ = s.inCorso;
    impostaTimerLettere(s.lettere, intervalloLettere_);
    impostaTimerPunteggio(s.punteggio);
    notifica();
}

// --- Options

void RegoleGioco::setDifficolta(int indice)
{
    difficolta_ = int16_t(std::clamp(indice, 0, NumeroOpzioni - 1));
}

bool RegoleGioco::CarattereAmmesso(const QString &testo, QChar c)
{
    if (c.isSpace() || !c.isPrint() || c.isSurrogate())
        return false;
    return !testo.contains(c) && testo.size() < LunghezzaPersonalizzata;
}

QString RegoleGioco::PulisciCaratteriPersonali(const QString &testo)
{
    // A blank is never kept, not even first: a falling blank could not be seen.
    QString pulito;
    for (QChar c : testo)
        if (!c.isSpace() && c.isPrint() && !c.isSurrogate() && !pulito.contains(c))
            pulito += c;
    return pulito.left(LunghezzaPersonalizzata);
}

// --- Helpers

int RegoleGioco::Casuale(int basso, int alto)
{
    const double r = stato_.servizi.random ? stato_.servizi.random->next() : 0.0;
    const int n = int(std::floor(double(alto - basso + 1) * r + basso));
    return std::clamp(n, basso, alto);
}

int RegoleGioco::PuntiAltezza(int y) const
{
    if (altezzaGioco_ <= 0)
        return 0;
    const int16_t distanza = int16_t(altezzaGioco_ - y);
    const double punti = std::floor(double(distanza) / double(altezzaGioco_) * 115.0);
    return punti > 100 ? 100 : int(punti);
}

QString RegoleGioco::FormatoPunti(int32_t punti, const QLocale &locale)
{
    return testo::formato(double(punti), QStringLiteral("###,###"), locale);
}

void RegoleGioco::mostraTotale(const QString &testo)
{
    lblTotal_.testo = testo;
    parti_ |= Totale;
}

void RegoleGioco::impostaTimerLettere(bool attivo, int intervallo)
{
    if (attivo != timerLettersAttivo_ || intervallo != intervalloLettere_)
        parti_ |= Timer;
    timerLettersAttivo_ = attivo;
    intervalloLettere_ = intervallo;
}

void RegoleGioco::impostaTimerPunteggio(bool attivo)
{
    if (attivo != timerScoreAttivo_)
        parti_ |= Timer;
    timerScoreAttivo_ = attivo;
}

void RegoleGioco::FermaTimer()
{
    impostaTimerLettere(false, intervalloLettere_);
    impostaTimerPunteggio(false);
}

void RegoleGioco::impostaComandi(bool nuovo, bool exit)
{
    cmdNuovoAbilitato_ = nuovo;
    cmdExitAbilitato_ = exit;
    parti_ |= Comandi;
}

void RegoleGioco::coloraLettera(int i, const QColor &c)
{
    Etichetta &e = lblLetter_[size_t(i)];
    if (e.colore == c)
        return;
    cambia(Tipo::Lettera, e, [&](Etichetta &x) { x.colore = c; });
}

// --- Start, new game, closing

RegoleGioco::Avvio RegoleGioco::cmdStart_Click()
{
    if (difficolta_ == OpzionePersonalizzata) {
        if (txtCustom_.size() < 4)
            return Avvio::InsiemeCorto;
        const QString pulito = PulisciCaratteriPersonali(txtCustom_);
        parti_ |= Personalizzato;
        if (pulito.size() < 4) {
            txtCustom_.clear();
            notifica();
            return Avvio::InsiemeCorto;
        }
        txtCustom_ = pulito;
    }
    ++sessione_;
    stato_.Suona(112);
    picLevelVisibile_ = false;
    cmdStartAbilitato_ = false;
    parti_ |= Pannelli | Comandi;

    turno_ = 1;
    punteggioTotale_ = 0;
    mostraTotale(QStringLiteral("0"));
    battuteEsatte_ = battuteErrate_ = 0;
    lblDigOK_ = lblDigKO_ = lblScoreTraining_ = QStringLiteral("0");
    // The keystrokes in all start again too, not only when the first key comes.
    lblTotDigit_ = QStringLiteral("0");
    parti_ |= Allenamento;
    inCorso_ = false;

    if (gioco()) {
        recordCorrente_ = recordLivelli_[size_t(difficolta_)];
        lblWinner_.testo = FormatoPunti(recordCorrente_, stato_.localeInterfaccia());
    } else {
        lblWinner_.testo = QStringLiteral("ND");
    }
    parti_ |= Record;
    AvviaTurno();
    return Avvio::Avviato;
}

void RegoleGioco::cmdNuovo_Click()
{
    ++sessione_;
    FermaTimer();
    pannelloGioco_ = pannelloAllenamento_ = false;
    inCorso_ = false;
    picLevelVisibile_ = true;
    parti_ |= Pannelli;
    cambia(Tipo::Messaggio, lblMessage_, [](Etichetta &e) { e.visibile = false; });
    AzzeraLettere();
    cmdStartAbilitato_ = true;
    impostaComandi(false, cmdExitAbilitato_);
    stato_.Suona(112);
    notifica();
}

void RegoleGioco::cmdExit_Click()
{
    ++sessione_;
    FermaTimer();
    inCorso_ = false;
    AzzeraLettere();
    notifica();
}

// --- Turns

bool RegoleGioco::AvviaTurno()
{
    impostaComandi(false, false);
    AzzeraLettere();
    if (gioco()) {
        lblMessage_.testo = testi_.messaggio(TestiGioco::PrefissoTurno) + QStringLiteral(" ") +
                            QString::number(turno_) + QStringLiteral("/") + QString::number(TurniGioco);
        pannelloAllenamento_ = false;
        pannelloGioco_ = true;
        parti_ |= Pannelli;
        if (!FaiScorrereMessaggio())
            return false;
        ScegliColonneGioco();
        AssegnaCaratteriGioco();
        impostaTimerLettere(timerLettersAttivo_, 100);
    } else {
        lblMessage_.testo = testi_.messaggio(TestiGioco::InizioAllenamento);
        orologio_.reset();
        parti_ |= Orologio;
        pannelloGioco_ = false;
        parti_ |= Pannelli;
        if (!FaiScorrereMessaggio())
            return false;
        pannelloAllenamento_ = true;
        parti_ |= Pannelli;
        PreparaAllenamento();
        const int durata = hsTime_ * 150;
        fineAllenamento_ = stato_.servizi.clock->now().addSecs(durata);
        gradiPerSecondo_ = 360.0f / float(durata);
        impostaTimerLettere(timerLettersAttivo_, hsSpeed_ * 25);
        SegnaBersaglio();
    }
    impostaTimerLettere(true, intervalloLettere_);
    inCorso_ = true;
    impostaComandi(true, true);
    notifica();
    return true;
}

void RegoleGioco::AzzeraLettere()
{
    if (difficolta_ == 0)
        quotaPartenza_ = -50;
    else if (difficolta_ == 1)
        quotaPartenza_ = -160;
    else if (difficolta_ == 2)
        quotaPartenza_ = -220;
    for (size_t i = 0; i < NumeroColonne; ++i) {
        const int top = Casuale(quotaPartenza_, 0);
        cambia(Tipo::Lettera, lblLetter_[i], [&](Etichetta &e) {
            e.visibile = false;
            e.colore = Bianco();
            e.top = top;
        });
        velocitaLettera_[i] = 0;
        cambia(Tipo::Faccia, lblSmileOK_[i], [](Etichetta &e) { e.visibile = false; });
        cambia(Tipo::Faccia, lblSmileNOT_[i], [](Etichetta &e) { e.visibile = false; });
        cambia(Tipo::Punti, lblScore_[i], [](Etichetta &e) { e.visibile = false; });
    }
}

void RegoleGioco::ScegliColonneGioco()
{
    const int n = difficolta_ == 0 ? 6 : difficolta_ == 1 ? 12 : 18;
    for (int k = 0; k < n; ++k) {
        int c;
        do
            c = Casuale(0, NumeroColonne - 1);
        while (lblLetter_[size_t(c)].visibile);
        cambia(Tipo::Lettera, lblLetter_[size_t(c)], [](Etichetta &e) { e.visibile = true; });
        velocitaLettera_[size_t(c)] = int16_t(Casuale(2, turno_ + 2));
    }
}

std::array<QChar, RegoleGioco::NumeroColonne> RegoleGioco::GeneraCaratteri()
{
    std::array<QChar, NumeroColonne> caratteri{};
    for (size_t k = 0; k < NumeroColonne; ++k) {
        for (;;) {
            int codice;
            if (difficolta_ == 0) {
                codice = Casuale(97, 122);
            } else if (difficolta_ == 1) {
                codice = Casuale(0, 1) == 0 ? Casuale(65, 90) : Casuale(97, 122);
            } else {
                const int gruppo = Casuale(0, 2);
                codice = gruppo == 0 ? Casuale(65, 90) : gruppo == 1 ? Casuale(97, 122) : Casuale(48, 57);
            }
            const QChar c(codice);
            if (std::find(caratteri.begin(), caratteri.begin() + qsizetype(k), c) == caratteri.begin() + qsizetype(k)) {
                caratteri[k] = c;
                break;
            }
        }
    }
    return caratteri;
}

void RegoleGioco::AssegnaCaratteriGioco()
{
    const std::array<QChar, NumeroColonne> caratteri = GeneraCaratteri();
    for (size_t i = 0; i < NumeroColonne; ++i) {
        cambia(Tipo::Lettera, lblLetter_[i], [&](Etichetta &e) {
            e.colore = Bianco();
            if (!e.visibile)
                return;
            const QChar c = caratteri[i];
            e.testo = QString(c);
            if (c.isUpper())
                e.colore = Giallo();
            else if (c.isDigit())
                e.colore = ColoreCifra();
        });
    }
}

void RegoleGioco::PreparaAllenamento()
{
    caratteriAllenamento_ = difficolta_ == OpzionePersonalizzata
                                ? txtCustom_
                                : QString::fromUtf16(InsiemiAllenamento[size_t(difficolta_ - 3)]);
    for (Etichetta &e : lblLetter_) {
        const int top = Casuale(0, 30);
        cambia(Tipo::Lettera, e, [&](Etichetta &x) {
            x.top = top;
            x.testo.clear();
        });
    }
    velocitaLettera_.fill(1);
    // At most 17 characters: a free column is always left.
    for (QChar c : std::as_const(caratteriAllenamento_).left(NumeroColonne - 1)) {
        int r;
        do
            r = Casuale(0, NumeroColonne - 1);
        while (!lblLetter_[size_t(r)].testo.isEmpty());
        cambia(Tipo::Lettera, lblLetter_[size_t(r)], [&](Etichetta &e) {
            e.testo = QString(c);
            e.visibile = true;
        });
    }
}

// --- The tick

void RegoleGioco::timerLetters_Timer()
{
    if (!timerLettersAttivo_)
        return;
    const bool allenamento = !gioco();
    const int fondo = altezzaGioco_ - 5;
    for (size_t i = 0; i < NumeroColonne; ++i) {
        Etichetta &e = lblLetter_[i];
        if (!e.visibile)
            continue;
        const QRect prima = areaLettera(e);
        e.top = int16_t(e.top + velocitaLettera_[i]);
        // A character that only moved is repainted by the window's frames,
        // which draw it on its way (topDisegno): nothing to mark here.
        if (e.top <= fondo)
            continue;
        // The character reached the bottom.
        segna(prima);
        if (allenamento) {
            e.top = -5;   // the same character starts again from just above the area
            segna(areaLettera(e));
            incrementa(battuteErrate_);
            lblDigKO_ = QString::number(battuteErrate_);
            parti_ |= Allenamento;
            AggiornaPunteggioAllenamento();
            SegnaBersaglio();
        } else {
            const int left = e.left;
            cambia(Tipo::Faccia, lblSmileNOT_[i], [&](Etichetta &f) {
                f.left = left;
                f.top = altezzaGioco_ - 40;
                f.visibile = true;
            });
            e.visibile = false;
            TastoGioco(CodiceVirgolette);
        }
    }
    if (allenamento && timerLettersAttivo_) {
        AggiornaOrologio();
        if (fineAllenamento_ < stato_.servizi.clock->now()) {
            inCorso_ = false;
            FermaTimer();
            RegistraFine(RegistroEventi::Allenamento);
            cambia(Tipo::Messaggio, lblMessage_, [&](Etichetta &m) {
                m.testo = testi_.messaggio(TestiGioco::FineAllenamento);
                m.top = altezzaGioco_ - AltezzaMessaggio;
                m.visibile = true;
            });
        }
    }
    notifica();
}

// --- Keys

void RegoleGioco::Form_KeyPress(int codice)
{
    if (!inCorso_)
        return;
    GestisciTasto(codice);
    notifica();
}

void RegoleGioco::GestisciTasto(int codice)
{
    if (gioco())
        TastoGioco(codice);
    else
        TastoAllenamento(codice);
}

void RegoleGioco::TastoGioco(int codice)
{
    bool trovato = false;
    int restanti = 0;
    for (size_t i = 0; i < NumeroColonne; ++i) {
        Etichetta &e = lblLetter_[i];
        if (!e.visibile)
            continue;
        ++restanti;
        if (e.testo.size() != 1 || testo::codiceTasto(e.testo.at(0)) != codice)
            continue;
        suono(107);
        const int left = e.left, top = e.top;
        cambia(Tipo::Faccia, lblSmileOK_[i], [&](Etichetta &f) {
            f.left = left;
            f.top = top;
            f.visibile = true;
        });
        cambia(Tipo::Lettera, e, [](Etichetta &x) {
            x.visibile = false;
            x.top = 0;
        });
        --restanti;
        trovato = true;
    }
    if (!trovato && codice != CodiceVirgolette) {
        punteggioTotale_ -= 25;
        mostraTotale(FormatoPunti(punteggioTotale_, stato_.localeInterfaccia()));
        lblTotal_.colore = Rosso();
        const bool continua = PausaErrore();
        lblTotal_.colore = Blu();
        parti_ |= Totale;
        if (!continua) {
            notifica();
            return;
        }
    }
    if (restanti == 0) {
        inCorso_ = false;
        impostaTimerPunteggio(true);   // the tally; timerLetters ticks on over an empty area
    }
}

void RegoleGioco::TastoAllenamento(int codice)
{
    int trovata = -1;
    for (int i = 0; i < NumeroColonne; ++i) {
        const Etichetta &e = lblLetter_[size_t(i)];
        if (e.visibile && e.testo.size() == 1 && testo::codiceTasto(e.testo.at(0)) == codice &&
            e.colore == Rosso()) {
            trovata = i;
            break;
        }
    }
    if (trovata < 0) {
        incrementa(battuteErrate_);
        lblDigKO_ = QString::number(battuteErrate_);
        parti_ |= Allenamento;
        AggiornaPunteggioAllenamento();
        if (PausaErrore())
            AggiornaOrologio();
        return;
    }
    Etichetta &colpita = lblLetter_[size_t(trovata)];
    suono(107);
    incrementa(battuteEsatte_);
    lblDigOK_ = QString::number(battuteEsatte_);
    parti_ |= Allenamento;
    punteggioTotale_ += PuntiAltezza(colpita.top - 5);
    AggiornaPunteggioAllenamento();

    // A new character in a free column (the struck one still holds its caption).
    if (!caratteriAllenamento_.isEmpty()) {
        int r;
        do
            r = Casuale(0, NumeroColonne - 1);
        while (!lblLetter_[size_t(r)].testo.isEmpty());
        const QChar c = caratteriAllenamento_.at(Casuale(1, int(caratteriAllenamento_.size())) - 1);
        cambia(Tipo::Lettera, lblLetter_[size_t(r)], [&](Etichetta &e) {
            e.testo = QString(c);
            e.visibile = true;
        });
    }
    cambia(Tipo::Lettera, colpita, [](Etichetta &e) {
        e.testo.clear();
        e.visibile = false;
        e.top = 0;
    });
    SegnaBersaglio();
}

void RegoleGioco::SegnaBersaglio()
{
    int bersaglio = -1;
    for (int i = 0; i < NumeroColonne; ++i) {
        const Etichetta &e = lblLetter_[size_t(i)];
        if (e.visibile && e.top >= 0 && (bersaglio < 0 || e.top >= lblLetter_[size_t(bersaglio)].top))
            bersaglio = i;
    }
    if (bersaglio < 0)
        bersaglio = 0;
    for (int i = 0; i < NumeroColonne; ++i) {
        if (i == bersaglio)
            coloraLettera(i, Rosso());
        else if (lblLetter_[size_t(i)].visibile)
            coloraLettera(i, Bianco());
    }
}

void RegoleGioco::RegistraFine(RegistroEventi::Evento evento)
{
    if (!registro)
        return;
    RegistroEventi::Fine f;
    f.evento = evento;
    f.materiale = RegistroEventi::GiocoAllenamento;
    f.livello = difficolta_ + 1;
    f.modo = stato_.indiceModo;
    const int battute = int(battuteEsatte_) + int(battuteErrate_);
    // Training is scored as its percentage, the game by its total.
    f.punteggio = evento == RegistroEventi::Gioco ? int(punteggioTotale_)
                  : battute > 0 ? int(std::floor(double(punteggioTotale_) / double(battute))) : 0;
    f.battute = battuteEsatte_;
    f.errori = battuteErrate_;
    registro->InizioRiga();   // the game's keys are no line practice
    registro->Finito(f);
}

void RegoleGioco::AggiornaPunteggioAllenamento()
{
    const int battute = int(battuteEsatte_) + int(battuteErrate_);
    if (battute <= 0)
        return;
    const double media = std::floor(double(punteggioTotale_) / double(battute));
    lblScoreTraining_ = QString::number(qint64(media)) + QStringLiteral(" %");
    lblTotDigit_ = QString::number(battute);
    parti_ |= Allenamento;
}

bool RegoleGioco::PausaErrore()
{
    const int sessione = sessione_;
    stato_.Suona(101);
    erroreVisibile_ = true;
    parti_ |= Errore;
    inCorso_ = false;
    impostaTimerLettere(false, intervalloLettere_);   // the characters freeze
    notifica();
    stato_.AttendiSecondi(1, true);
    erroreVisibile_ = false;
    parti_ |= Errore;
    // Back to choosing, or closed, meanwhile: the old run stays stopped.
    if (sessione != sessione_)
        return false;
    impostaTimerLettere(true, intervalloLettere_);
    inCorso_ = true;
    notifica();
    return true;
}

// --- The tally

void RegoleGioco::timerScore_Timer()
{
    if (!timerScoreAttivo_)
        return;
    for (size_t i = 0; i < NumeroColonne; ++i) {
        const Etichetta faccia = lblSmileOK_[i];
        if (!faccia.visibile)
            continue;
        const int punti = PuntiAltezza(faccia.top);
        puntiColonna_[i] = punti;
        cambia(Tipo::Punti, lblScore_[i], [&](Etichetta &e) {
            e.colore = VerdePunti();
            e.left = faccia.left;
            e.top = faccia.top;
            e.testo = QString::number(punti);
            e.visibile = true;
        });
        cambia(Tipo::Faccia, lblSmileOK_[i], [](Etichetta &e) { e.visibile = false; });
        stato_.Suona(107);
        notifica();
        return;
    }
    for (size_t i = 0; i < NumeroColonne; ++i) {
        const Etichetta faccia = lblSmileNOT_[i];
        if (!faccia.visibile)
            continue;
        puntiColonna_[i] = -10;
        cambia(Tipo::Punti, lblScore_[i], [&](Etichetta &e) {
            e.colore = Rosso();
            e.left = faccia.left;
            e.top = altezzaGioco_ - 40;
            e.testo = QStringLiteral("-10");
            e.visibile = true;
        });
        cambia(Tipo::Faccia, lblSmileNOT_[i], [](Etichetta &e) { e.visibile = false; });
        stato_.Suona(111);
        notifica();
        return;
    }
    int32_t somma = 0;
    for (size_t i = 0; i < NumeroColonne; ++i)
        if (lblScore_[i].visibile)
            somma += puntiColonna_[i];
    punteggioTotale_ += somma;
    mostraTotale(FormatoPunti(punteggioTotale_, stato_.localeInterfaccia()));
    impostaTimerPunteggio(false);
    FineTurno();
    notifica();
}

void RegoleGioco::FineTurno()
{
    ++turno_;
    for (Etichetta &e : lblScore_)
        cambia(Tipo::Punti, e, [](Etichetta &x) { x.visibile = false; });
    if (turno_ <= TurniGioco) {
        AvviaTurno();
        return;
    }
    cambia(Tipo::Messaggio, lblMessage_, [&](Etichetta &m) {
        m.testo = testi_.messaggio(TestiGioco::FineGioco);
        m.top = altezzaGioco_ - AltezzaMessaggio;
        m.visibile = true;
    });
    FermaTimer();
    inCorso_ = false;
    RegistraFine(RegistroEventi::Gioco);
    // A total equal to the best is no new best.
    recordNonSalvato_ = false;
    if (!stato_.nomeUtente.isEmpty() && punteggioTotale_ > recordCorrente_) {
        recordNonSalvato_ = !ScriviRecord();
        LeggiRecord();
        lblWinner_.testo = FormatoPunti(punteggioTotale_, stato_.localeInterfaccia());
        parti_ |= Record;
        // The celebration says at once that this total will not be there next time.
        if (recordNonSalvato_)
            cambia(Tipo::Messaggio, lblMessage_, [&](Etichetta &m) {
                m.testo += QStringLiteral(" - ") + testi_.messaggio(TestiGioco::RecordNonSalvato);
            });
        const int sessione = sessione_;
        FesteggiaRecord();
        if (recordNonSalvato_ && sessione == sessione_) {
            notifica();
            emit recordPerso();
        }
    }
}

void RegoleGioco::FesteggiaRecord()
{
    const int sessione = sessione_;
    stato_.Suona(103);
    for (int passo = 1; passo <= 14; ++passo) {
        const bool dispari = passo % 2 == 1;
        coloreTrofeo_ = dispari ? Bianco() : Nero();
        lblWinner_.colore = dispari ? Rosso() : Nero();
        parti_ |= Record;
        notifica();
        pausa(200);
        if (sessione != sessione_)
            break;
    }
    coloreTrofeo_ = Nero();
    lblWinner_.colore = Nero();
    parti_ |= Record;
}

// --- Training clock and announcement

void RegoleGioco::AggiornaOrologio()
{
    const qint64 resto = stato_.servizi.clock->now().secsTo(fineAllenamento_);
    DisegnaOrologio(int(std::clamp<qint64>(resto, -32768, 32767)));
}

void RegoleGioco::DisegnaOrologio(int secondiRimasti)
{
    const float theta = float(secondiRimasti) * 0.01745f * gradiPerSecondo_;
    if (!orologio_) {
        orologio_ = SettoreOrologio{theta, theta};
        parti_ |= Orologio;
        return;
    }
    if (theta == orologio_->ultimo)
        return;
    orologio_->ultimo = theta;
    parti_ |= Orologio;
}

bool RegoleGioco::FaiScorrereMessaggio()
{
    const int sessione = sessione_;
    cambia(Tipo::Messaggio, lblMessage_, [&](Etichetta &m) {
        m.left = 0;
        m.top = altezzaGioco_ - AltezzaMessaggio;
        m.visibile = true;
    });
    notifica();
    stato_.AttendiSecondi(2, true);
    while (lblMessage_.top <= altezzaGioco_) {
        if (sessione != sessione_)
            return false;
        pausa(40);
        cambia(Tipo::Messaggio, lblMessage_, [](Etichetta &m) { ++m.top; });
        notifica();
    }
    if (sessione != sessione_)
        return false;
    cambia(Tipo::Messaggio, lblMessage_, [&](Etichetta &m) {
        m.visibile = false;
        m.top = altezzaGioco_ - AltezzaMessaggio;
    });
    stato_.Suona(104);
    return true;
}

// --- Best totals

void RegoleGioco::LeggiRecord()
{
    if (stato_.nomeUtente.isEmpty())
        return;
    recordLivelli_ = ::LeggiRecord(stato_.gestoreIni, FileRecord(stato_.cartellaProgramma),
                                   stato_.nomeUtente, recordLivelli_);
}

bool RegoleGioco::ScriviRecord()
{
    if (stato_.nomeUtente.isEmpty() || !gioco())
        return false;
    // A failed write (read-only file) keeps the old value in the file; the
    // game's end says so.
    return ::ScriviRecord(stato_.gestoreIni, FileRecord(stato_.cartellaProgramma), stato_.nomeUtente,
                          difficolta_, punteggioTotale_);
}
