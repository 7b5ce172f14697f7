#pragma once
// What the on-screen keyboard shows, without any widget: key frames (raised
// or pressed), colours, captions, highlight markers, the home-key bumps and the
// finger pictures. Every change records the area that must be repainted, so a
// keystroke repaints only the keys it touches.

#include "keyboard/ModelloTastiera.h"
#include "keyboard/TabellaTasti.h"

#include <QColor>
#include <QLine>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <array>
#include <functional>

namespace tastiera {

struct StatoTasto {
    bool premuto = false;
    bool grassetto = false;
    bool abilitato = true;
    QColor sfondo = coloreTastoNeutro();
    QColor testo = Qt::black;
    QString didascalia;
};

struct Evidenziatore {
    QRect rettangolo;
    bool visibile = false;
};

class StatoTastiera {
public:
    static constexpr int NumeroEvidenziatori = 4;
    static constexpr int NumeroDita = 10;
    static constexpr int StatoPremuto = 0;
    static constexpr int StatoRilievo = 1;

    explicit StatoTastiera(const TabellaTasti &tabella);

    // Geometry, in pixels (15 twips each), scaled on a large screen.
    void setFattoriScala(double fx, double fy);
    QSize dimensioni() const;
    QRect rettangoloTasto(int tasto) const;
    QRect rettangoloEsterno(int tasto) const;   // with its frame rings
    bool isolato(int tasto) const;              // its frame rings touch no other key's
    QRect rettangoloMaschera(int n) const;      // lblMask(0..1)
    QLine lineaRilievo(int n) const;            // shpRilievoTasti(0..3)
    QColor coloreRilievo(int n) const { return coloreRilievo_[size_t(n)]; }
    QRect rettangoloMappaDita(int n) const;     // imgMapDita(0..9)

    // Options. The setters only change the flag; the procedures below redraw.
    bool evidenziaAttivo() const { return evidenziaAttivo_; }
    void setEvidenziaAttivo(bool v) { evidenziaAttivo_ = v; }
    bool mappaTastiAttiva() const { return mappaTastiAttiva_; }
    void setMappaTastiAttiva(bool v) { mappaTastiAttiva_ = v; }
    bool divisioneErgonomica() const { return divisioneErgonomica_; }
    void setDivisioneErgonomica(bool v) { divisioneErgonomica_ = v; }
    bool tastieraSemplice() const { return tastieraSemplice_; }
    void setTastieraSemplice(bool v);
    int spessoreRilievo() const { return spessoreRilievo_; }
    void setSpessoreRilievo(int v);
    int ultimoTasto() const { return ultimoTasto_; }
    void setUltimoTasto(int v) { ultimoTasto_ = v; }
    bool tastieraDaRipristinare() const { return tastieraDaRipristinare_; }
    void setTastieraDaRipristinare(bool v) { tastieraDaRipristinare_ = v; }
    bool mappaDitaVisibile() const { return mappaDitaVisibile_; }
    bool mappaEsternaVisibile() const { return mappaEsternaVisibile_; }
    void setMappaEsternaVisibile(bool v) { mappaEsternaVisibile_ = v; }

    const StatoTasto &tasto(int i) const { return tasti_[size_t(i)]; }
    const Evidenziatore &evidenziatore(int n) const { return evidenziatori_[size_t(n)]; }
    const TabellaTasti &tabella() const { return tabella_; }

    // The key procedures.
    void DisegnaTasto(int tasto, int stato);          // 1 raised, 0 pressed (caption bold)
    void RipristinaTastiera();
    // The captions again, after the key table took the learner's keymap.
    void AggiornaLegende();
    void ColorTasti();
    void ColoraRilievo(const QColor &colore, int n);
    void MostraMappaDita(bool visibile);
    void NascondiEvidenziatori();
    void PreparaEvidenziatori();
    // Shows the keys of the next character. False when it has no key (the
    // window then offers its "type it for me" label unless modoFileTesto).
    bool EvidenziaTasto(QChar carattere, bool modoFileTesto);

    // Menu toggles and double-click actions.
    void CambiaMappaTasti(const QString &carattereAtteso, bool fermaLampeggio, bool modoFileTesto = false);
    void CambiaEvidenziazione(const QString &carattereAtteso, bool modoFileTesto = false);
    bool CambiaDivisione(const QString &carattereAtteso, bool fermaLampeggio, bool modoFileTesto = false);
    void CambiaStile(bool fermaLampeggio);
    void MappaDitaNascosta(const QString &carattereAtteso, bool modoFileTesto = false);
    void MappaEsternaNascosta();

    void setSfondo(int tasto, const QColor &colore);
    void setGrassetto(int tasto, bool grassetto);
    void setColoreTesto(int tasto, const QColor &colore);
    void setAbilitato(int tasto, bool abilitato);

    // The wrong-key marker (imgKeyError), centred on a key.
    void MostraErroreTasto(int tasto, QSize dimensione);
    void NascondiErroreTasto();
    QRect rettangoloErrore() const { return errore_; }
    bool erroreVisibile() const { return erroreVisibile_; }

    // The area changed since the last call, and clears it.
    QRegion prendiAreaModificata();
    const QRegion &areaModificata() const { return sporco_; }
    void segnaTutto() { sporco_ = QRegion(QRect(QPoint(0, 0), dimensioni())); }

private:
    int px(int twips) const;
    int py(int twips) const;
    void segna(const QRect &r) { sporco_ += r; }
    void segnaTasto(int tasto);
    void mettiEvidenziatore(int n, int tasto);
    void mostraEvidenziatore(int n, bool visibile);
    void premiInvio(bool fermaLampeggio);

    const TabellaTasti &tabella_;
    std::array<StatoTasto, NumeroTasti> tasti_;
    std::array<Evidenziatore, NumeroEvidenziatori> evidenziatori_;
    std::array<QColor, 4> coloreRilievo_;
    double fx_ = 1.0, fy_ = 1.0;
    void calcolaGeometria();
    std::array<QRect, NumeroTasti> rettangoli_, esterni_;
    std::array<bool, NumeroTasti> isolati_{};
    bool evidenziaAttivo_ = true;
    bool mappaTastiAttiva_ = false;
    bool divisioneErgonomica_ = false;
    bool tastieraSemplice_ = false;
    int spessoreRilievo_ = 3;
    int ultimoTasto_ = 0;
    bool tastieraDaRipristinare_ = false;
    bool mappaDitaVisibile_ = false;
    bool mappaEsternaVisibile_ = false;
    QRect errore_;
    bool erroreVisibile_ = false;
    QRegion sporco_;
};

} // namespace tastiera
