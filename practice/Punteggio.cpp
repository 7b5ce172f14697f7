#include "practice/Punteggio.h"

#include <algorithm>
#include <cmath>
#include <limits>

int SecondiRiga(const QDateTime &inizioRiga, const QDateTime &adesso)
{
    if (!inizioRiga.isValid() || !adesso.isValid())
        return 0;
    const qint64 s = inizioRiga.secsTo(adesso);
    if (s <= 0)
        return 0;
    return int(std::min<qint64>(s, std::numeric_limits<int>::max()));
}

float VelocitaRiga(int caratteri, int secondi)
{
    if (secondi <= 0 || caratteri <= 0)
        return 0.0f;
    // The quotient is taken in double and stored in single precision.
    return float(double(caratteri) / double(secondi));
}

int PunteggioGrezzo(float v, float tempoObiettivo)
{
    const double prodotto = double(tempoObiettivo) * double(v) * 100.0;
    if (std::isnan(prodotto))
        return 0;
    if (prodotto >= 100.0)
        return 100;
    const double intero = std::floor(prodotto);
    if (intero < double(std::numeric_limits<int16_t>::min()))
        return std::numeric_limits<int16_t>::min();
    return int(intero);
}

int PunteggioFrase(float v, float tempoObiettivo)
{
    const int punteggio = PunteggioGrezzo(v, tempoObiettivo);
    return punteggio == 0 ? 1 : punteggio;
}

int16_t calcolaMediaLevel(const std::array<float, 16> &velocitaFrase, int livello,
                          float tempoObiettivo)
{
    if (livello < 1 || livello > 3 || tempoObiettivo == 0.0f)
        return 0;
    const int prima = 5 * livello - 4;
    const float cap = float(1.0 / double(tempoObiettivo));
    double somma = 0.0;
    for (int i = prima; i < prima + 5; ++i)
        somma += double(velocitaFrase[size_t(i)] > cap ? cap : velocitaFrase[size_t(i)]);
    const double risultato = std::floor(double(tempoObiettivo) * (somma / 5.0) * 100.0);
    if (!std::isfinite(risultato) || risultato > 32767.0 || risultato < -32768.0)
        return 0;
    return int16_t(risultato);
}

int FasciaPunteggio(int punteggio, int indiceModo)
{
    int fascia;
    if (punteggio <= 20)
        fascia = 0;
    else if (punteggio <= 40)
        fascia = 1;
    else if (punteggio <= 60)
        fascia = 2;
    else if (punteggio <= 80)
        fascia = 3;
    else
        fascia = 4;
    return indiceModo == 1 ? fascia + 5 : fascia;
}

int FasciaErrori(int errori, int battute, bool modoEsperto)
{
    if (battute <= 0)
        return -1;
    const double r = double(errori) / double(battute) * 100.0;
    const double soglie[2][3] = {{2, 3, 4}, {0.5, 0.75, 1}};
    const auto &t = soglie[modoEsperto ? 1 : 0];
    return r <= t[0] ? 0 : r <= t[1] ? 1 : r <= t[2] ? 2 : 3;
}

int NumeroCasuale(platform::RandomSource &random, const platform::Clock &clock, int basso, int alto)
{
    random.seed(uint32_t(uint64_t(clock.tickMs())));
    if (alto < basso)
        std::swap(basso, alto);
    const double x = std::floor(random.next() * (double(alto) - double(basso) + 1.0) + double(basso));
    // A source that strays outside [0, 1) must not pick an index out of range.
    if (!(x >= double(basso)))
        return basso;
    if (x > double(alto))
        return alto;
    return int(x);
}

std::optional<int> MediaDopoFrase(int16_t &sommaPunti, int numeroFrase, int livelloCorrente,
                                  int punteggio, const std::array<float, 16> &velocitaFrase,
                                  float tempoObiettivo)
{
    if (livelloCorrente < 1 || livelloCorrente > 3)
        return std::nullopt;
    const int k = numeroFrase - (5 * livelloCorrente - 5);
    if (k < 1 || k > 5)
        return std::nullopt;
    if (k == 5) {
        sommaPunti = 0;
        return calcolaMediaLevel(velocitaFrase, livelloCorrente, tempoObiettivo);
    }
    const int somma = std::clamp(int(sommaPunti) + punteggio, -32768, 32767);
    sommaPunti = int16_t(somma);
    // Integer part of a positive quotient; the sum is never negative in practice.
    return int(std::floor(double(sommaPunti) / double(k)));
}

EsitoRecord ValutaRecord(int larghezzaMax, int larghezzaAttuale, bool primaFrase)
{
    EsitoRecord esito;
    esito.restringiBarra = larghezzaMax > larghezzaAttuale;
    esito.record = esito.restringiBarra && !primaFrase;
    esito.suono = esito.record ? 103 : 102;
    return esito;
}

int BattuteAlMinuto(float v)
{
    const double alMinuto = double(v) * 60.0;
    if (!std::isfinite(alMinuto))
        return 0;
    // nearbyint rounds halves to even in the default rounding mode.
    return int(std::clamp(std::nearbyint(alMinuto), -2147483648.0, 2147483647.0));
}

static QString lodeScelta(const QStringList &lodi, int indice)
{
    if (lodi.isEmpty())
        return QString();
    return lodi.at(std::clamp(indice, 0, int(lodi.size()) - 1));
}

QString ComponiMessaggio(const TestiFineRiga &t, int punteggio, float v, bool record,
                         int indiceLode)
{
    const QString punti = QString::number(punteggio);
    const QString velocita = QString::number(BattuteAlMinuto(v));
    QString corpo;
    if (record) {
        corpo = t.testo6 + " " + punti + " " + t.testo7 + " " + velocita + " " + t.testo8 + " "
                + t.unitaVelocita + "\r\n" + t.testo9 + " " + t.testo10;
    } else {
        corpo = t.testo6 + " " + punti + " " + t.testo33 + " " + velocita + " " + t.testo8 + " "
                + t.unitaVelocita + "\r\n" + " " + t.testo10;
    }
    if (punteggio < 41)
        return corpo;
    return lodeScelta(record ? t.lodiRecord : t.lodiNormali, indiceLode) + " " + corpo;
}

uint32_t ColoreRigaRecord(int livello, int y)
{
    const uint32_t c = uint32_t(std::clamp(255 - 10 * y, 0, 255));
    switch (livello) {
    case 1: return c << 8;               // RGB(0, c, 0)
    case 2: return c | (c << 8);         // RGB(c, c, 0)
    case 3: return c;                    // RGB(c, 0, 0)
    default: return 0;
    }
}
