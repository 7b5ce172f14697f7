#pragma once
// The keyboard area of the main window (picKeyword): the 63 keys painted from
// StatoTastiera, the highlight markers that invert the keys beneath, the
// home-key bumps and the finger pictures. Only the changed keys are repainted.

#include "keyboard/StatoTastiera.h"

#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

namespace tastiera {

class MappaTastiEsterna;

class TastieraVirtuale : public QWidget {
    Q_OBJECT
public:
    // What the double-click actions need to know about the exercise.
    struct Contesto {
        std::function<QString()> carattereAtteso;   // "" when none
        std::function<bool()> fermaLampeggio;        // false while the Enter prompt blinks
        std::function<bool()> modoFileTesto;
    };

    explicit TastieraVirtuale(const TabellaTasti &tabella, QWidget *parent = nullptr);
    ~TastieraVirtuale() override;

    StatoTastiera &stato() { return stato_; }
    const StatoTastiera &stato() const { return stato_; }
    const TabellaTasti &tabella() const { return stato_.tabella(); }

    // Large screen: geometry by 1.41 x 1.31, fonts by sqrt(1.41), and 5 bevel rings.
    void setSchermoGrande(bool grande);
    QSize sizeHint() const override { return stato_.dimensioni(); }

    // The detachable key map shown instead of the finger pictures.
    void setMappaEsterna(MappaTastiEsterna *mappa);
    void setContesto(Contesto contesto) { contesto_ = std::move(contesto); }
    // The key table took another keymap: its captions and the next key again.
    void AggiornaLegende();

    // Options (settings "Highlight", "KeyMap", "Ergonomic", "SimpleKeyb").
    bool evidenziaAttivo() const { return stato_.evidenziaAttivo(); }
    void setEvidenziaAttivo(bool v) { stato_.setEvidenziaAttivo(v); }
    bool mappaTastiAttiva() const { return stato_.mappaTastiAttiva(); }
    void setMappaTastiAttiva(bool v);   // flag only: call ColorTasti() to show the colours
    bool divisioneErgonomica() const { return stato_.divisioneErgonomica(); }
    void setDivisioneErgonomica(bool v) { stato_.setDivisioneErgonomica(v); }
    bool tastieraSemplice() const { return stato_.tastieraSemplice(); }
    void setTastieraSemplice(bool v);
    int spessoreRilievo() const { return stato_.spessoreRilievo(); }
    void setSpessoreRilievo(int v);
    int ultimoTasto() const { return stato_.ultimoTasto(); }
    void setUltimoTasto(int v) { stato_.setUltimoTasto(v); }
    bool tastieraDaRipristinare() const { return stato_.tastieraDaRipristinare(); }

    // The procedures.
    void DisegnaTasto(int tasto, int stato);
    void RipristinaTastiera();
    void ColorTasti();
    void ColoraRilievo(const QColor &colore, int n);
    void MostraMappaDita(bool visibile);
    void NascondiEvidenziatori();
    void PreparaEvidenziatori();
    bool EvidenziaTasto(QChar carattere, bool modoFileTesto = false);
    bool EvidenziaTasto(const QString &carattere, bool modoFileTesto = false);

    // Menu toggles (key map, highlight).
    void CambiaMappaTasti(const QString &carattereAtteso, bool fermaLampeggio, bool modoFileTesto = false);
    void CambiaEvidenziazione(const QString &carattereAtteso, bool modoFileTesto = false);

    // The blinking Enter prompt and the practice engine's touches.
    void setGrassetto(int tasto, bool grassetto);
    void setColoreTesto(int tasto, const QColor &colore);
    void setTastoAbilitato(int tasto, bool abilitato);   // key 37's double-click option

    // Geometry for the practice engine's markers.
    QRect rettangoloTasto(int tasto) const { return stato_.rettangoloTasto(tasto); }
    int indiceTastoPerCodice(uint8_t ansi) const;         // key of the first entry with that code; -1
    int indiceTastoPerCarattere(QChar c) const;

    // The wrong-key marker (imgKeyError), drawn centred on a key.
    void setImmagineErrore(const QPixmap &immagine) { immagineErrore_ = immagine; }
    void MostraErroreTasto(int tasto);
    void NascondiErroreTasto();

    // Texts from the language file.
    void setTooltipMappaDita(const QString &t) { tooltipDita_ = t; }      // "0031"
    void setTooltipTasto37(const QString &t) { tooltip37_ = t; }          // "0151"
    QString tooltipTasto37() const { return tooltip37_; }
    void setTestoDivisione(const QString &t) { testoDivisione_ = t; }     // message 34, key 25
    void setCursoreMano(const QCursor &c) { cursoreMano_ = c; }

    // What the last changes repainted (for measurements): the area in pixels.
    qint64 areaUltimoAggiornamento() const { return areaUltima_; }
    QRegion ultimaAreaAggiornata() const { return regioneUltima_; }

    // The font a key's caption is drawn in.
    QFont fontTasto(int tasto, bool grassetto) const;

    // The tooltip at a point, as the widget would show it.
    QString tooltipIn(const QPoint &p) const;

signals:
    void suono(int id);                 // 109 after a double-click that changes an option
    void opzioniCambiate();             // ergonomic division, simple style or map position changed

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void aggiorna();
    int tastoIn(const QPoint &p) const;
    int ditoIn(const QPoint &p) const;
    void disegnaCornice(QPainter &p, const QRegion &area, int tasto) const;
    // With copia false the key is drawn directly and nothing is noted.
    void disegnaTasto(QPainter &p, const QRegion &area, int tasto, bool conCornice, bool copia) const;
    void disegnaFaccia(QPainter &p, int tasto) const;
    void preparaFont();
    QString attesoCorrente() const;
    bool fermaLampeggioCorrente() const;
    bool modoFileTestoCorrente() const;
    void mappaEsternaDoppioClick();

    StatoTastiera stato_;
    Contesto contesto_;
    MappaTastiEsterna *mappaEsterna_ = nullptr;
    std::array<QPixmap, StatoTastiera::NumeroDita> dita_;
    QPixmap immagineErrore_;
    QString tooltipDita_ = QStringLiteral("Doppio click per nascondere l'immagine");
    QString tooltip37_ = QStringLiteral("Doppio click per tastiera 2D/3D");
    QString testoDivisione_ = QStringLiteral(
        "Modifica la divisione della tastiera alternando lo schema classico con quello adottato nelle tastiere ergonomiche");
    QCursor cursoreMano_ = QCursor(Qt::PointingHandCursor);
    double scalaFont_ = 1.0;
    qint64 areaUltima_ = 0;
    QRegion regioneUltima_;
    std::array<std::array<QFont, 2>, NumeroTasti> font_;   // per key: normal, bold

    // A key's face (its colour and caption, inside its rectangle), and its
    // frame rings around it, depend on its state alone: drawn once per state
    // and copied, since laying out the caption and filling the rings one by one
    // was most of what repainting a key cost. A state seen once has no copy yet
    // (a null image).
    struct Faccia {
        StatoTasto stato;
        bool cornice = false;   // the copy holds the key's frame too (its outer rectangle)
        bool semplice = false;  // drawn as the plain keyboard's frame
        QImage immagine;
    };
    mutable std::array<std::vector<Faccia>, NumeroTasti> facce_;   // per key, the last used first
};

// One line of a key's caption as drawn: each piece of text and where it starts.
struct PezzoDidascalia {
    int x;
    QString testo;
};
QList<PezzoDidascalia> PezziRiga(const QString &riga, const QFontMetrics &fm, const QRect &tasto);

// Pictures of the key map: finger n (0..9) and the strip. Our own artwork from
// the resources, or a plain drawing when the resources are not linked in.
QPixmap immagineDito(int n);
QPixmap immagineMappaTasti();

} // namespace tastiera
