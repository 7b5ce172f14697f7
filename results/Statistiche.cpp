#include "results/Statistiche.h"

#include "app/Punteggio.h"
#include "app/modClavora.h"

#include <algorithm>
#include <cmath>

namespace risultati {

int VelocitaMinuto(float v)
{
    const double alMinuto = double(v * 60.0f);
    if (!std::isfinite(alMinuto))
        return 0;
    return int(std::clamp(std::round(alMinuto), -2147483648.0, 2147483647.0));
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
    const float p = float(errori) / float(std::max(1, battute)) * 100.0f;
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
    f.velocitaComplessivaMinuto =
        VelocitaMinuto(f.sommaVelocitaLivelli / float(f.numeroLivelli));
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
    return QStringLiteral(":/images/practice/icon%1.png")
        .arg(420 + 5 * serieSimboli + std::clamp(indice, 0, 4));
}

} // namespace risultati
