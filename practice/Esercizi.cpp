#include "practice/Esercizi.h"

#include "practice/FraseInterna.h"
#include "practice/modClavora.h"
#include "platform/Testo.h"
#include "platform/Tipografia.h"
#include "settings/IniDocument.h"
#include "settings/MotivoFile.h"

#include <QFile>
#include <algorithm>
#include <QFileInfo>

Esercizi::Esercizi(modClavora &stato) : s(stato) {}

void Esercizi::ScegliFile(QString &voce, bool modoCorso)
{
    s.modoFileTesto = false;
    s.fileEsercizio.clear();
    // Course entries may come with their real file name, whatever its case.
    QString path = !modoCorso ? s.cartellaProgramma + "Esercizi/" + voce
                   : voce.endsWith(".ftd", Qt::CaseInsensitive)
                       ? s.cartellaProgramma + "CorsoDattilo/" + voce
                       : s.cartellaProgramma + "CorsoDattilo/" + voce + ".ftd";
    // Text-file entries carry a time estimate after the extension.
    const qsizetype p = path.toUpper().indexOf(".TXT");
    if (p > 0)
        path = path.left(p + 4);
    voce = path;
    if (Controlla(path)) {
        s.fileEsercizio = path;
        s.modoFileTesto = path.right(4).toUpper() == ".TXT";
    }
}

qint64 Esercizi::MassimoByte(const QString &path)
{
    return path.right(4).toUpper() == ".TXT" ? limiteFileTesto - 1 : limiteFileEsercizio;
}

QString Esercizi::MotivoRifiuto(const filesicuri::Lettura &rifiuto, const QString &path,
                                const TestoLingua &lingua)
{
    const QString motivo = MotivoLettura(rifiuto, MassimoByte(path), lingua);
    return motivo.isEmpty() ? QString() : QStringLiteral(" (") + motivo + QStringLiteral(")");
}

bool Esercizi::Controlla(const QString &path)
{
    // Looked at without blocking: a FIFO or a device never hangs the program.
    const filesicuri::Lettura l = filesicuri::LeggiFileRegolare(path, MassimoByte(path), true);
    Rifiuta(path, l);
    return l.esito == filesicuri::Esito::Ok;
}

void Esercizi::Rifiuta(const QString &path, const filesicuri::Lettura &l)
{
    rifiuto = l;
    rifiuto.dati.clear();
    if (l.esito == filesicuri::Esito::Mancante)
        rifiuto.esito = filesicuri::Esito::Ok;   // simply not there: nothing to tell
    fileRifiutato = rifiuto.esito == filesicuri::Esito::Ok ? QString() : path;
}

Esercizi::EsitoComando Esercizi::ApriDaRigaComando(QString &rigaComando)
{
    const qsizetype barra = rigaComando.indexOf('/');
    if (barra < 0) {
        rigaComando.clear();
        return EsitoComando::Ignorato;
    }
    // A path the start-up found ("/home/anna/Le_marche.txt"), else a name in Esercizi/.
    const bool percorso = barra == 0 && rigaComando.indexOf('/', 1) > 0;
    const QString nome = percorso ? rigaComando : rigaComando.mid(barra + 1).trimmed();
    const QString estensione = nome.right(4).toUpper();
    const QString path = percorso ? nome : s.cartellaProgramma + "Esercizi/" + nome;
    // A name that climbs out of the folder is not an exercise of ours.
    if ((estensione != ".FTD" && estensione != ".TXT") || (!percorso && nome.contains(".."))) {
        rigaComando.clear();
        return EsitoComando::Ignorato;
    }
    const bool usabile = Controlla(path);
    if (!usabile && estensione == ".TXT" && rifiuto.esito == filesicuri::Esito::TroppoGrande) {
        s.fileEsercizio = path;
        return EsitoComando::TroppoLungo;
    }
    if (!usabile) {
        rigaComando.clear();
        return fileRifiutato.isEmpty() ? EsitoComando::Ignorato : EsitoComando::Rifiutato;
    }
    s.fileEsercizio = path;
    if (estensione == ".TXT") {
        s.modoFileTesto = true;
        fileDaComando = true;
    }
    return EsitoComando::Aperto;
}

QString Esercizi::PreparaTesto(const QString &testo)
{
    QString t;
    t.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo.at(i);
        if (c.unicode() >= 0x20) {
            t.append(c);
            continue;
        }
        // A line break (CR LF, or a lone CR or LF), a tab or another control
        // character becomes one blank, none after a blank: none of them could be
        // typed in a text, and the line would wait for them for ever.
        if (c == '\r' && i + 1 < testo.size() && testo.at(i + 1) == '\n')
            ++i;
        if (t.isEmpty() || t.back() != ' ')
            t.append(' ');
    }
    return t.trimmed();
}

bool Esercizi::CaricaFileTesto()
{
    const filesicuri::Lettura l = filesicuri::LeggiFileRegolare(s.fileEsercizio, limiteFileTesto - 1);
    Rifiuta(s.fileEsercizio, l);
    if (l.esito != filesicuri::Esito::Ok || l.dati.contains('\0'))
        return false; // a binary file is no practice text
    rigaCorrente = PreparaTesto(testo::NormalizzaTipografia(testo::decodificaTesto(l.dati), tipizzabile));
    return !rigaCorrente.isEmpty();
}

QString Esercizi::AdattaLarghezza(const QString &testo) const
{
    QString t = testo;
    if (larghezzaTesto && larghezzaEtichetta > 0)
        while (!t.isEmpty() && larghezzaTesto(t) > larghezzaEtichetta)
            t.chop(1);
    if (t.size() < 2)
        t += t;
    if (t.size() < 3)
        t += t;
    return t;
}

QString Esercizi::LeggiVoceEsercizio(const QString &file, int livello, int chiave) const
{
    // Read as the learner's editor wrote it: UTF-8 (with or without a byte-order
    // mark) or code page 1252. A file that cannot be read has no lines.
    const filesicuri::Lettura l = filesicuri::LeggiFileRegolare(file, limiteFileEsercizio);
    const QString letto = IniDocument::read(IniDocument::conUtf8Riconosciuto(l.dati),
                                            "Livello" + QString::number(livello), QString::number(chiave),
                                            QString());
    const QString valore = testo::NormalizzaTipografia(letto, tipizzabile).trimmed();
    if (valore.isEmpty())
        return {};
    auto prepara = [this](const QString &t) {
        const QString adattato = AdattaLarghezza(t);
        return filtroCaratteri ? filtroCaratteri(adattato) : adattato;
    };
    const QString separatore = QStringLiteral("\u00A6\u00A6");
    const qsizetype p = valore.indexOf(separatore);
    if (p >= 0)
        return prepara(valore.left(p).trimmed()) + "\r\n" +
               prepara(valore.mid(p + 2).trimmed());
    return prepara(valore);
}

int Esercizi::EstraiFrase(platform::RandomSource &random, const QDateTime &now)
{
    const int base = 15 * LivelloDiFrase(numeroFrase);
    random.seed(uint32_t(now.toSecsSinceEpoch()));
    auto usata = [this](int d) {
        return std::find(frasiUsate.begin() + 1, frasiUsate.end(), d) != frasiUsate.end();
    };
    int d = 0;
    for (int tentativo = 0; tentativo < 10000; ++tentativo) {
        d = std::clamp(int(random.next() * 15 + base - 14), base - 14, base);
        if (!usata(d))
            break;
    }
    // A source that keeps giving used numbers must not hang the window.
    for (int n = base - 14; usata(d) && n <= base; ++n)
        d = n;
    if (numeroFrase >= 1 && numeroFrase <= 15)
        frasiUsate[size_t(numeroFrase)] = int16_t(d);
    return d;
}

QString Esercizi::RigaPerFrase(int d) const
{
    if (s.fileEsercizio.isEmpty())
        return FraseInterna(d);
    const int livello = s.livelloCorrente;
    int chiave;
    if (!LeggiVoceEsercizio(s.fileEsercizio, livello, 6).isEmpty())
        chiave = d - (15 * livello - 15);           // fifteen lines: drawn at random
    else
        chiave = numeroFrase - (5 * livello - 5);   // five lines: in order
    const QString riga = LeggiVoceEsercizio(s.fileEsercizio, livello, chiave);
    return riga.isEmpty() ? FraseInterna(d) : riga;
}

void Esercizi::AzzeraGiro()
{
    numeroFrase = 0;
    frasiUsate.fill(0);
}
