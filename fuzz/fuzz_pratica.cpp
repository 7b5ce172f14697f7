// Random keystrokes, starts, resets, pauses and clock ticks fed to the practice
// engine, in sentence and text-file mode: the expected position never passes
// the line, no counter goes negative, nothing crashes.
#include "practice/Pratica.h"
#include "practice/TestiClavora.h"
#include "practice/modClavora.h"
#include "platform/Testo.h"
#include "tests/support/FakeServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

QTemporaryDir *cartella = nullptr;

void verifica(bool condizione)
{
    if (!condizione)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    cartella = new QTemporaryDir;
    QDir().mkpath(cartella->path() + "/Esercizi");
    QFile testo(cartella->path() + "/Esercizi/t.txt");
    if (testo.open(QIODevice::WriteOnly))
        testo.write("Un texte\r\ncourt, avec des \xC3\xA9l\xC3\xA8ves.\rFin\tici \xE2\x80\x99.");
    QFile esercizio(cartella->path() + "/Esercizi/e.ftd");
    if (esercizio.open(QIODevice::WriteOnly))
        esercizio.write("[Livello1]\r\n1=ab\xA6\xA6" "cd\r\n2=x\r\n6=\r\n[Livello2]\r\n1=?\r\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fake::Services fakes;
    modClavora s(fakes.services());
    s.cartellaProgramma = cartella->path() + "/";
    s.pausa = [&fakes](int ms) { fakes.clock.ms += ms; };
    TestiClavora testi;
    TestiPredefiniti(testi, s);
    Pratica p(s, testi);
    p.esercizi.larghezzaTesto = [](const QString &t) { return int(t.size()) * 7; };
    p.esercizi.larghezzaEtichetta = 200;
    int risposta = 0;
    p.finestre.ShowWithBackdrop = [&risposta](int) { return risposta; };

    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        const uint8_t arg = i + 1 < size ? data[i + 1] : 0;
        switch (b % 16) {
        case 0: {
            const auto e = p.Avvia(Pratica::Scelta{(arg & 1) != 0, (arg & 2) ? "e.ftd" : "t.txt",
                                                   (arg & 4) != 0});
            if (e.esito != Pratica::Avvio::Riga)
                p.Reset();
            ++i;
            break;
        }
        case 1:   // the expected character, when there is one
            if (!p.carattereAtteso().isEmpty())
                p.GiudicaTasto(testo::codiceTasto(p.carattereAtteso().at(0)));
            break;
        case 2:
            p.GiudicaTasto(arg);   // any code page character, Enter, Backspace, Esc
            ++i;
            break;
        case 3:
            p.GiudicaTasto(256 + arg * 97);   // characters outside the code page
            ++i;
            break;
        case 4:
            if (p.chiusuraInCorso()) {
                p.FineRiga();
                p.DopoFineRiga();
                p.ChiusuraTerminata();
            }
            break;
        case 5:
            fakes.clock.advance(arg % 8);
            ++i;
            break;
        case 6:
            p.Timer1_Timer();
            break;
        case 7:
            if (p.cronometroAttivo()) {
                p.InizioPausa();
                fakes.clock.advance(arg % 40);
                p.FinePausa();
            }
            ++i;
            break;
        case 8:
            p.RichiediRiavvio();
            break;
        case 9:
            p.ImpostaModo(arg & 1);
            ++i;
            break;
        case 10:
            p.ApriDaRigaComando((arg & 1) ? "/t.txt" : "/e.ftd");
            ++i;
            break;
        case 11:
            p.setModoCorso((arg & 1) != 0);
            risposta = (arg & 2) ? 1 : 0;
            ++i;
            break;
        case 12:
            s.totaleBattute = int16_t(32760 + arg % 8);
            s.totaleErrori = int16_t(32760 + (arg >> 3) % 8);
            ++i;
            break;
        default:
            p.GiudicaTasto(b);
            break;
        }
        verifica(p.posizione() >= 0 && p.posizione() <= p.rigaCorrente().size());
        verifica(p.posizioneAtteso() >= 0 && p.posizioneAtteso() <= p.rigaCorrente().size());
        verifica(p.battuteFrase() >= 0 && p.erroriFrase() >= 0);
        verifica(s.totaleBattute >= 0 && s.totaleErrori >= 0 && s.numParole >= 0);
        verifica(p.inizioTestoMostrato() >= 0);
        verifica(p.larghezzaAttuale() >= 0 && p.larghezzaAttuale() <= p.larghezzaIndicatore());
        verifica(p.fasciaErrori() >= -1 && p.fasciaErrori() <= 3);
        if (!p.carattereAtteso().isEmpty())
            verifica(p.rigaCorrente().at(p.posizioneAtteso() - 1) == p.carattereAtteso().at(0) ||
                     s.modoFileTesto);
    }
    return 0;
}
