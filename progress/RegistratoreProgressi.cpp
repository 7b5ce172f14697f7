#include "progress/RegistratoreProgressi.h"

#include "platform/Services.h"

#include <cmath>

namespace progressi {

namespace {

// Past this many waiting records a store that keeps failing loses the oldest
// characters rather than the program's memory.
constexpr size_t MassimoInAttesa = 5000;

void Unisci(Lotto &in, Lotto &&da)
{
    in.studente = da.studente;
    in.sessioni.insert(in.sessioni.end(), da.sessioni.begin(), da.sessioni.end());
    in.caratteri.insert(in.caratteri.end(), da.caratteri.begin(), da.caratteri.end());
    in.confusioni.insert(in.confusioni.end(), da.confusioni.begin(), da.confusioni.end());
}

} // namespace

RegistratoreProgressi::RegistratoreProgressi(ArchivioProgressi &archivio, const platform::Clock &orologio,
                                             std::function<int(QChar)> battuteDi)
    : archivio_(archivio), orologio_(orologio), battuteDi_(std::move(battuteDi))
{
}

void RegistratoreProgressi::InizioRiga()
{
    caratteri_.clear();
    confusioni_.clear();
    ultimoTasto_.reset();
}

void RegistratoreProgressi::Tasto(QChar atteso, QChar digitato)
{
    const int64_t adesso = orologio_.tickMs();
    const std::optional<int64_t> prima = ultimoTasto_;
    ultimoTasto_ = adesso;
    if (atteso.unicode() < 0x20)
        return;   // Enter between two lines and control characters are no key practice
    Carattere &c = caratteri_[atteso.unicode()];
    c.carattere = atteso.unicode();
    if (!digitato.isNull()) {
        ++c.errori;
        ++confusioni_[uint32_t(atteso.unicode()) << 16 | digitato.unicode()];
        return;
    }
    ++c.attesi;
    const int n = battuteDi_ ? battuteDi_(atteso) : 1;
    c.battute += n > 0 ? n : 1;
    if (prima)
        ++c.tempi[size_t(ClasseTempo(adesso - *prima))];
}

void RegistratoreProgressi::Finito(const Fine &fine)
{
    const QDateTime adesso = orologio_.now();
    const int64_t quando = adesso.toSecsSinceEpoch();
    const QDate data = adesso.date();
    const int giorno = data.year() * 10000 + data.month() * 100 + data.day();

    if (fonteStudente)
        studente_ = fonteStudente();
    Lotto lotto;
    lotto.studente = studente_;
    int battute = 0, errori = 0;
    for (auto c = caratteri_.begin(); c != caratteri_.end(); ++c) {
        c->giorno = giorno;
        battute += c->battute;
        errori += c->errori;
        lotto.caratteri.push_back(*c);
    }
    for (auto c = confusioni_.cbegin(); c != confusioni_.cend(); ++c)
        lotto.confusioni.push_back({giorno, char16_t(c.key() >> 16), char16_t(c.key() & 0xffff), c.value()});

    auto sessione = [&](const Fine &f, int evento) {
        Sessione x;
        x.quando = quando;
        x.giorno = giorno;
        x.evento = evento;
        x.materiale = f.materiale;
        x.file = f.file;
        x.livello = f.livello;
        x.numero = f.numero;
        x.modo = f.modo;
        x.velocita = f.velocita;
        x.punteggio = f.punteggio;
        x.battute = f.battute >= 0 ? f.battute : battute;
        x.errori = f.errori >= 0 ? f.errori : errori;
        return x;
    };
    lotto.sessioni.push_back(sessione(fine, fine.evento));

    // A level's and a run's record from the lines of this run that reached it.
    if (fine.evento == Riga && fine.numero >= 1 && fine.numero <= 15) {
        if (fine.numero == 1)
            righeGiro_.fill(std::nullopt);
        Fine registrata = fine;
        registrata.battute = lotto.sessioni.back().battute;
        registrata.errori = lotto.sessioni.back().errori;
        righeGiro_[size_t(fine.numero)] = registrata;
        auto riassunto = [&](int da, int a, int evento) {
            Fine r = fine;
            double velocita = 0, punteggio = 0;
            int n = 0;
            r.battute = r.errori = 0;
            for (int i = da; i <= a; ++i) {
                if (!righeGiro_[size_t(i)])
                    continue;
                velocita += righeGiro_[size_t(i)]->velocita;
                punteggio += righeGiro_[size_t(i)]->punteggio;
                r.battute += righeGiro_[size_t(i)]->battute;
                r.errori += righeGiro_[size_t(i)]->errori;
                ++n;
            }
            if (n == 0)
                return;
            r.velocita = float(velocita / n);
            r.punteggio = int(std::lround(punteggio / n));
            r.numero = 0;
            lotto.sessioni.push_back(sessione(r, evento));
        };
        if (fine.numero % 5 == 0)
            riassunto(fine.numero - 4, fine.numero, Livello);
        if (fine.numero == 15)
            riassunto(1, 15, Giro);
    }
    InizioRiga();
    Unisci(inAttesa_, std::move(lotto));
    Scrivi();
}

void RegistratoreProgressi::Scrivi()
{
    ultimoEsito_ = archivio_.Scrivi(inAttesa_);
    if (ultimoEsito_ == Esito::Ok) {
        inAttesa_ = Lotto{};
        return;
    }
    if (inAttesa_.caratteri.size() > MassimoInAttesa)
        inAttesa_.caratteri.erase(inAttesa_.caratteri.begin(),
                                  inAttesa_.caratteri.end() - qsizetype(MassimoInAttesa));
    if (inAttesa_.confusioni.size() > MassimoInAttesa)
        inAttesa_.confusioni.erase(inAttesa_.confusioni.begin(),
                                   inAttesa_.confusioni.end() - qsizetype(MassimoInAttesa));
    if (!avvisato_ && suErrore) {
        avvisato_ = true;
        suErrore(ultimoEsito_);
    }
}

} // namespace progressi
