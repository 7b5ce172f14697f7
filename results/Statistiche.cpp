#include "results/Statistiche.h"

#include "practice/Punteggio.h"
#include "practice/modClavora.h"

#include "platform/Testo.h"

#include <algorithm>
#include <cmath>

namespace risultati {
namespace {

// The display pattern "0": halves away from zero.
int Intero(double valore)
{
    if (!std::isfinite(valore))
        return 0;
    return int(std::clamp(std::round(valore), -2147483648.0, 2147483647.0));
}

} // namespace

int VelocitaMinuto(float v)
{
    return Intero(double(v * 60.0f));
}

int IndiceSimbolo(int punteggio)
{
    if (punteggio <= 20)
        return 0;
    if (punteggio <= 40)
        return 1;
    if (punteggio <= 60)
        return 2;
    if (punteggio <= 80)
        return 3;
    return 4;
}

int Valutazione(int battute, int errori, bool modoEsperto)
{
    // The ratio is formed in double and only the percentage is kept in single.
    const float p = float(double(errori) / double(std::max(1, battute)) * 100.0);
    const float esperto[3] = {0.5f, 0.75f, 1.0f};
    const float principiante[3] = {2.0f, 3.0f, 4.0f};
    const float *t = modoEsperto ? esperto : principiante;
    if (p <= t[0])
        return 0;
    if (p <= t[1])
        return 1;
    if (p <= t[2])
        return 2;
    return 3;
}

Livello CalcolaLivello(const std::array<float, 16> &velocitaFrase, int k, float tempoObiettivo)
{
    Livello l;
    if (k < 1 || k > 3)
        return l;
    float somma = 0;
    int sommaPunti = 0;
    for (int i = 0; i < 5; ++i) {
        const float v = velocitaFrase[size_t(5 * k - 4 + i)];
        l.velocita[size_t(i)] = v;
        l.velocitaMinuto[size_t(i)] = VelocitaMinuto(v);
        l.punteggi[size_t(i)] = PunteggioGrezzo(v, tempoObiettivo);
        somma += v;
        sommaPunti += l.punteggi[size_t(i)];
    }
    l.velocitaMedia = somma / 5.0f;
    l.velocitaMediaMinuto = VelocitaMinuto(l.velocitaMedia);
    l.punteggioLivello = int16_t(std::lround(double(sommaPunti) / 5.0));
    l.simbolo = IndiceSimbolo(l.punteggioLivello);
    return l;
}

Figure Calcola(const modClavora &s)
{
    Figure f;
    f.numeroLivelli = std::clamp(s.livelloCorrente, 1, 3);
    for (int k = 1; k <= 3; ++k)
        f.livelli[size_t(k - 1)] = CalcolaLivello(s.velocitaFrase, k, s.tempoObiettivo);
    for (int k = 1; k <= f.numeroLivelli; ++k) {
        f.sommaVelocitaLivelli += f.livelli[size_t(k - 1)].velocitaMedia;
        f.sommaPunteggiLivelli = int16_t(f.sommaPunteggiLivelli + f.livelli[size_t(k - 1)].punteggioLivello);
    }
    // Per minute first, then over the levels, all in single precision.
    const float complessiva = f.sommaVelocitaLivelli * 60.0f / float(f.numeroLivelli);
    f.velocitaComplessivaMinuto = Intero(double(complessiva));
    f.punteggioComplessivo =
        int(std::floor(double(f.sommaPunteggiLivelli) / double(f.numeroLivelli)));
    f.simboloComplessivo = IndiceSimbolo(f.punteggioComplessivo);
    // No keystrokes at all are shown as one, so the ratio is defined; the
    // shared counter itself is left as it is.
    f.totaleBattute = std::max<int>(1, s.totaleBattute);
    f.totaleErrori = s.totaleErrori;
    f.rapportoErrori = double(f.totaleErrori) / double(f.totaleBattute);
    f.valutazione = Valutazione(f.totaleBattute, f.totaleErrori, s.modoEsperto);
    f.serieSimboli = s.indiceModo == 1 ? 1 : 0;
    return f;
}

QString RisorsaSimbolo(int indice, int serieSimboli)
{
    return QStringLiteral(":/images/results/icon%1.png")
        .arg(420 + 5 * std::clamp(serieSimboli, 0, 1) + std::clamp(indice, 0, 4));
}

Cifre Formatta(const Figure &f, const QLocale &locale)
{
    Cifre c;
    c.numeroLivelli = f.numeroLivelli;
    const QString velocita = QStringLiteral("0");
    const QString punteggio = QStringLiteral("##0");
    for (size_t k = 0; k < 3; ++k) {
        const Livello &l = f.livelli[k];
        CifreLivello &t = c.livelli[k];
        for (size_t i = 0; i < 5; ++i) {
            t.velocita[i] = testo::formato(l.velocitaMinuto[i], velocita, locale);
            t.punteggi[i] = testo::formato(l.punteggi[i], punteggio, locale);
        }
        t.velocitaMedia = testo::formato(l.velocitaMediaMinuto, velocita, locale);
        t.punteggio = testo::formato(l.punteggioLivello, punteggio, locale);
        t.simbolo = l.simbolo;
    }
    c.velocitaComplessiva = testo::formato(f.velocitaComplessivaMinuto, velocita, locale);
    c.punteggioComplessivo = QString::number(f.punteggioComplessivo);
    c.simboloComplessivo = f.simboloComplessivo;
    c.totaleErrori = QString::number(f.totaleErrori);
    c.totaleBattute = QString::number(f.totaleBattute);
    c.rapportoErrori = testo::formato(f.rapportoErrori, QStringLiteral("##0.0%"), locale);
    c.valutazione = f.valutazione;
    c.serieSimboli = f.serieSimboli;
    return c;
}

} // namespace risultati
