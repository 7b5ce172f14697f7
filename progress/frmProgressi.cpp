#include "progress/frmProgressi.h"
#include "ui/GuardiaTasti.h"

#include "practice/modClavora.h"
#include "keyboard/TabellaTasti.h"
#include "keyboard/TastieraVirtuale.h"
#include "platform/Testo.h"
#include "progress/EsercizioMirato.h"

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollArea>

namespace progressi {

namespace {

// Millimetres of the page to pixels on screen: readable at 7 points.
constexpr double PixelPerMm = 3.4;

QColor Colore(uint32_t c) { return QColor::fromRgb(QRgb(0xFF000000u | c)); }

// The page on a QPainter: the window's, the printer's.
class TelaQt : public Tela {
public:
    TelaQt(QPainter &p, const QRectF &area, const QImage &tastiera)
        : p_(p), origine_(area.topLeft()), scala_(area.width() / A4.width()), tastiera_(tastiera)
    {
        p_.setRenderHint(QPainter::Antialiasing);
    }
    QPointF P(QPointF mm) const { return origine_ + mm * scala_; }

    void Linea(QPointF a, QPointF b, uint32_t colore, float spessore) override
    {
        p_.setPen(QPen(Colore(colore), spessore * scala_));
        p_.drawLine(P(a), P(b));
    }
    void Polilinea(const std::vector<QPointF> &punti, uint32_t colore, float spessore) override
    {
        QPolygonF poligono;
        poligono.reserve(qsizetype(punti.size()));
        for (const QPointF &q : punti)
            poligono << P(q);
        p_.setPen(QPen(Colore(colore), spessore * scala_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p_.drawPolyline(poligono);
    }
    void Rettangolo(const QRectF &r, uint32_t riempimento, uint32_t bordo) override
    {
        p_.setPen(bordo == Nessuno ? QPen(Qt::NoPen) : QPen(Colore(bordo), 0.2 * scala_));
        p_.setBrush(riempimento == Nessuno ? QBrush(Qt::NoBrush) : QBrush(Colore(riempimento)));
        p_.drawRect(QRectF(P(r.topLeft()), r.size() * scala_));
    }
    void Testo(QPointF pos, const QString &t, float punti, bool grassetto, uint32_t colore, Allinea allinea) override
    {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(std::max(1, int(std::lround(punti * 0.3528 * scala_))));
        f.setBold(grassetto);
        p_.setFont(f);
        p_.setPen(Colore(colore));
        QPointF q = P(pos);
        const double larghezza = QFontMetricsF(f).horizontalAdvance(t);
        if (allinea == Destra)
            q.rx() -= larghezza;
        else if (allinea == Centro)
            q.rx() -= larghezza / 2;
        p_.drawText(q, t);
    }
    bool Tastiera(const QRectF &area) override
    {
        if (tastiera_.isNull())
            return false;
        p_.setRenderHint(QPainter::SmoothPixmapTransform);
        p_.drawImage(QRectF(P(area.topLeft()), area.size() * scala_), tastiera_);
        return true;
    }

private:
    QPainter &p_;
    QPointF origine_;
    double scala_;
    const QImage &tastiera_;
};

// The page, drawn at the window's scale inside the scroll area.
class FoglioProgressi : public QWidget {
public:
    explicit FoglioProgressi(std::function<void(QPainter &, const QRectF &)> disegna, QWidget *parent)
        : QWidget(parent), disegna_(std::move(disegna))
    {
        setFixedSize(int(A4.width() * PixelPerMm), int(A4.height() * PixelPerMm));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        disegna_(p, QRectF(rect()));
    }

private:
    std::function<void(QPainter &, const QRectF &)> disegna_;
};

} // namespace

frmProgressi::frmProgressi(modClavora &stato, ArchivioProgressi &archivio, const QString &studente,
                           const QString &segnalibro, TestoLingua lingua, QWidget *parent)
    : QDialog(parent), s(stato), archivio_(archivio), lingua_(std::move(lingua)), segnalibro_(segnalibro),
      tabella_(std::make_unique<tastiera::TabellaTasti>())
{
    setWindowTitle(T("0451", u"Progressi di") + " " + (studente.isEmpty() ? T("0452", u"(senza nome)") : studente));
    setFixedSize(770, 560);
    dati_.riepilogo.studente = studente;

    TestiPagina &t = dati_.testi;
    t.titolo = T("0451", u"Progressi di");
    t.anonimo = T("0452", u"(senza nome)");
    t.periodo30 = T("0453", u"Ultimi 30 giorni");
    t.periodoTutto = T("0454", u"Tutto");
    t.velocita = T("0455", u"Velocità (caratteri al minuto)");
    t.precisione = T("0456", u"Precisione (%)");
    t.materiali = {T("0001", u"Frasi interne"), T("0064", u"Corso dattilo"), T("0063", u"Esercizi"),
                   T("0126", u"File di testo"), T("0457", u"Tasti deboli"), T("0301", u"Gioco")};
    t.mappa = T("0458", u"Errori per tasto");
    t.deboli = T("0459", u"I dieci caratteri più deboli");
    t.errori = T("0460", u"errori");
    t.confusione = T("0461", u"%1 digitato al posto di %2");
    t.corso = T("0064", u"Corso dattilo");
    t.lezione = T("0462", u"Lezione");
    t.ultima = T("0463", u"Ultima");
    t.migliore = T("0464", u"Migliore");
    t.daFare = T("0465", u"Non ancora fatte:");
    t.gioco = T("0301", u"Gioco");
    t.allenamento = T("0300", u"Allenamento");
    t.livelliGioco = {T("0310", u"Facile"), T("0311", u"Medio"), T("0312", u"Difficile")};
    t.nessunDato = T("0466", u"Ancora nessun esercizio registrato.");
    for (const QFileInfo &f : QDir(s.cartellaProgramma + "CorsoDattilo/").entryInfoList(QDir::Files, QDir::Name))
        if (f.suffix().compare("ftd", Qt::CaseInsensitive) == 0)
            dati_.lezioniCorso << f.fileName().section('.', 0, 0);

    // The keyboard's own painter, never shown: its picture is the map.
    tastiera_ = new tastiera::TastieraVirtuale(*tabella_, this);
    tastiera_->resize(tastiera_->sizeHint());
    tastiera_->hide();

    auto *scorre = new QScrollArea(this);
    scorre->setGeometry(8, 8, 754, 500);
    scorre->setWidget(new FoglioProgressi([this](QPainter &p, const QRectF &a) { DisegnaSu(p, a); }, scorre));
    scorre->setAlignment(Qt::AlignHCenter);
    scorre->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    opt30_ = new QRadioButton(t.periodo30, this);
    opt30_->setGeometry(10, 522, 150, 24);
    opt30_->setChecked(true);
    optTutto_ = new QRadioButton(t.periodoTutto, this);
    optTutto_->setGeometry(160, 522, 110, 24);
    connect(opt30_, &QRadioButton::toggled, this, [this](bool on) { setUltimi30(on); });

    cmdMirato_ = new QPushButton(T("0467", u"Esercita i tasti deboli"), this);
    cmdMirato_->setObjectName(QStringLiteral("cmdMirato"));
    cmdMirato_->setGeometry(280, 518, 200, 32);
    cmdStampa_ = new QPushButton(T("0468", u"Stampa"), this);
    cmdStampa_->setGeometry(488, 518, 90, 32);
    cmdStampa_->setEnabled(s.StampanteDisponibile());
    cmdPDF_ = new QPushButton(T("0551", u"PDF"), this);
    cmdPDF_->setObjectName(QStringLiteral("cmdPDF"));
    cmdPDF_->setGeometry(584, 518, 70, 32);
    cmdChiudi_ = new QPushButton(T("0469", u"Chiudi"), this);
    cmdChiudi_->setGeometry(660, 518, 100, 32);
    connect(cmdMirato_, &QPushButton::clicked, this, [this] { cmdMirato_Click(); });
    connect(cmdStampa_, &QPushButton::clicked, this, [this] { cmdStampa_Click(); });
    connect(cmdPDF_, &QPushButton::clicked, this, [this] { cmdPDF_Click(); });
    connect(cmdChiudi_, &QPushButton::clicked, this, &QDialog::reject);
    cmdChiudi_->setDefault(true);
    SoloPredefinitoSuInvio(this);

    Carica();
}

frmProgressi::~frmProgressi()
{
    // Only a page this window wrote is removed; a viewer holding it keeps its copy.
    if (!percorsoPDF_.isEmpty())
        QFile::remove(percorsoPDF_);
}

QString frmProgressi::T(const char *id, const char16_t *predefinito) const
{
    return Testo(lingua_, QString::fromLatin1(id), QString::fromUtf16(predefinito));
}

void frmProgressi::setUltimi30(bool v)
{
    if (dati_.ultimi30 == v && !dati_.riepilogo.giorni.empty())
        return;
    dati_.ultimi30 = v;
    opt30_->setChecked(v);
    optTutto_->setChecked(!v);
    Carica();
}

void frmProgressi::Carica()
{
    const QDateTime adesso = s.servizi.clock->now();
    dati_.adesso = adesso;
    dati_.oggi = adesso.date().year() * 10000 + adesso.date().month() * 100 + adesso.date().day();
    const QString studente = dati_.riepilogo.studente;
    LeggiRiepilogo(archivio_, studente, dati_.ultimi30 ? GiornoPrima(dati_.oggi, 29) : 0, dati_.riepilogo);

    // Each key's error rate: the characters typed on it, whatever their modifiers.
    std::array<int64_t, tastiera::NumeroTasti> attesi{}, errori{};
    for (const StatCarattere &c : dati_.riepilogo.caratteri) {
        const int voce = tabella_->CercaVoce(QChar(c.carattere));
        if (voce < 0)
            continue;
        const int tasto = tabella_->tabTasto(voce);
        if (tasto < 0 || tasto >= tastiera::NumeroTasti)
            continue;
        attesi[size_t(tasto)] += c.attesi;
        errori[size_t(tasto)] += c.errori;
    }
    dati_.tasti.clear();
    for (int k = 0; k < tastiera::NumeroTasti; ++k) {
        TastoMappa m;
        m.rettangolo = tastiera_->rettangoloTasto(k);
        const int64_t prove = attesi[size_t(k)] + errori[size_t(k)];
        m.tasso = prove >= 3 ? double(errori[size_t(k)]) / double(prove) : -1;
        for (int v = 0; v < tastiera::TabellaTasti::NumeroVoci; ++v)
            if (tabella_->tabTasto(v) == k && tabella_->tabModificatore(v) == tastiera::TastoSolo &&
                tabella_->tabCarattere(v) > 32) {
                m.etichetta = testo::carattereTasto(tabella_->tabCarattere(v)).toUpper();
                break;
            }
        tastiera_->stato().setSfondo(k, Colore(ColoreTasso(m.tasso)));
        if (!m.rettangolo.isEmpty())
            dati_.tasti.push_back(m);
    }
    immagineTastiera_ = tastiera_->grab().toImage();
    update();
    for (QWidget *w : findChildren<QWidget *>())
        w->update();
}

void frmProgressi::DisegnaSu(QPainter &p, const QRectF &area) const
{
    TelaQt tela(p, area, immagineTastiera_);
    DisegnaPagina(tela, dati_);
}

QImage frmProgressi::Pagina(int larghezza) const
{
    QImage immagine(larghezza, int(larghezza * A4.height() / A4.width()), QImage::Format_RGB32);
    immagine.fill(Qt::white);
    QPainter p(&immagine);
    DisegnaSu(p, QRectF(immagine.rect()));
    return immagine;
}

void frmProgressi::cmdMirato_Click()
{
    auto avviso = [this](const QString &testo, platform::Dialogs::Icon icona) {
        s.servizi.dialogs->message(this, QStringLiteral("Tastavia"), testo, icona, platform::Dialogs::Ok);
    };
    // A learner in the course practises only what the course has taught so far.
    QString ammessi = CaratteriInsegnati(s.cartellaProgramma + "CorsoDattilo/", segnalibro_);
    if (!ammessi.isEmpty() && !ammessi.contains(' '))
        ammessi += ' ';
    // The weakest of everything kept, not only of the days shown.
    Riepilogo tutto;
    LeggiRiepilogo(archivio_, dati_.riepilogo.studente, 0, tutto);
    auto deboli = PiuDeboli(tutto.caratteri, 3, ammessi);
    // Characters never missed are aimed at only when no character was.
    if (std::any_of(deboli.begin(), deboli.end(), [](const StatCarattere &c) { return c.errori > 0; }))
        deboli.erase(std::remove_if(deboli.begin(), deboli.end(), [](const StatCarattere &c) { return c.errori == 0; }),
                     deboli.end());
    if (deboli.empty()) {
        avviso(T("0471", u"Non ci sono ancora abbastanza dati per scegliere i tasti deboli: "
                         u"fai prima qualche esercizio."),
               platform::Dialogs::Information);
        return;
    }
    QString mirati;
    for (const StatCarattere &d : deboli)
        mirati += QChar(d.carattere);
    const QString fileParole = s.cartellaProgramma + "Parole/francais.txt";
    const QStringList parole = LeggiParole(fileParole);
    if (parole.isEmpty()) {
        avviso(T("0473", u"Il file %1 non può essere letto o scritto.").arg(fileParole), platform::Dialogs::Critical);
        return;
    }
    s.servizi.random->seed(uint32_t(s.servizi.clock->now().toSecsSinceEpoch()));
    const EsercizioMirato e = ComponiEsercizio(parole, mirati, ammessi, *s.servizi.random);

    // One aimed exercise at a time: the last one made replaces the one before.
    const QString cartella = s.cartellaProgramma + "Esercizi/";
    for (const QFileInfo &f : QDir(cartella).entryInfoList(QDir::Files))
        if (f.fileName().startsWith(QStringLiteral("Mirato_")) &&
            f.suffix().compare("ftd", Qt::CaseInsensitive) == 0)
            QFile::remove(f.filePath());
    QString nome = QStringLiteral("Mirato");
    for (QChar c : mirati)
        nome += '_' + (c.isLetterOrNumber() ? QString(c) : QString::number(c.unicode()));
    nome += QStringLiteral(".ftd");
    QSaveFile f(cartella + nome);
    if (!f.open(QIODevice::WriteOnly) || f.write(TestoEsercizio(e)) < 0 || !f.commit()) {
        avviso(T("0473", u"Il file %1 non può essere letto o scritto.").arg(cartella + nome),
               platform::Dialogs::Critical);
        return;
    }
    QString tasti;
    for (QChar c : mirati)
        tasti += (tasti.isEmpty() ? "" : "  ") + QString(c);
    avviso(T("0470", u"Esercizio mirato ai tasti: %1").arg(tasti), platform::Dialogs::Information);
    esercizioMirato_ = nome;
    accept();
}

void frmProgressi::cmdStampa_Click()
{
    const bool stampato =
        s.StampanteDisponibile() &&
        s.servizi.printer->print(QStringLiteral("Tastavia - ") + dati_.testi.titolo, false, 1,
                                 [this](QPainter &p, const QRect &area, int) { DisegnaSu(p, QRectF(area)); });
    if (!stampato)
        s.servizi.dialogs->message(this, QStringLiteral("Tastavia"), T("0475", u"La stampa non è riuscita."),
                                   platform::Dialogs::Critical, platform::Dialogs::Ok);
}

void frmProgressi::cmdPDF_Click()
{
    QString cartella = s.servizi.desktop ? s.servizi.desktop->tempPath() : QString();
    if (cartella.isEmpty())
        cartella = QDir::tempPath();
    if (!cartella.endsWith('/'))
        cartella += '/';
    const QString studente = dati_.riepilogo.studente.isEmpty() ? QStringLiteral("Tastavia") : dati_.riepilogo.studente;
    const QString percorso = cartella + testo::nomeFileSicuro(dati_.testi.titolo + " " + studente) + ".pdf";
    if (!ScriviPDF(percorso, dati_, s.servizi.clock, s.servizi.random)) {
        s.servizi.dialogs->message(this, QStringLiteral("Tastavia"),
                                   T("0473", u"Il file %1 non può essere letto o scritto.").arg(percorso),
                                   platform::Dialogs::Critical, platform::Dialogs::Ok);
        return;
    }
    percorsoPDF_ = percorso;
    if (!s.servizi.desktop ||
        !platform::ApriConApplicazione(*s.servizi.desktop, percorso, QStringLiteral("application/pdf")))
        s.servizi.dialogs->message(this, QStringLiteral("Tastavia"),
                                   T("0474", u"Il PDF è stato scritto in %1, ma nessun programma lo ha aperto.")
                                       .arg(percorso),
                                   platform::Dialogs::Information, platform::Dialogs::Ok);
}

} // namespace progressi
