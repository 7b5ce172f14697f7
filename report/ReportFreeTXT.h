#pragma once
// The report of an exercise typed from a text file, without widgets: its
// figures (time, keystrokes, ratios, speed, words), the grades of speed, of
// accuracy and of the whole exercise, the characters of the text counted by
// class, and its one-page PDF. The window only paints what this gives and
// handles its buttons.
//
// Arithmetic: the ratios and the speed are single precision, formed from the
// integer counters in double; the grades compare those single values. With no
// keystroke the ratios, and with less than one second the speeds, have no
// value: they are shown as a dash, and so are the grades that need them.

#include "settings/TestoLingua.h"

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

class clsPDFCreator;
class modClavora;

namespace report {

// What is shown instead of a figure that has no value.
inline const QString kTrattino = QStringLiteral("\u2013");

// --- Texts -----------------------------------------------------------------

struct VoceTesto {
    const char *id;
    const char *predefinito;
};
// testiReport: the texts of the window and of the PDF, by index.
extern const std::array<VoceTesto, 25> kTestiReport;
inline constexpr VoceTesto kTestoChiudi{"0075", "Chiudi"};
inline constexpr VoceTesto kTestoCreaPDF{"0136", "Crea file pdf"};

// The 25 texts, built in or through the language lookup (its built-in text
// where the language has none).
QStringList CaricaTestiPredefiniti();
QStringList CaricaTestiLingua(const TestoLingua &lingua);

// --- Grades ----------------------------------------------------------------

// A grade is an index into the four evaluation words: 0 "Ottimo", 1 "Buono",
// 2 "Sufficiente", 3 "Insufficiente"; -1 when it cannot be given.

// Keystrokes per minute against (240, 180, 120) in expert mode, else (150, 100,
// 50): above the first Ottimo, above the second Buono, above the third
// Sufficiente, else Insufficiente (a threshold itself takes the poorer word).
int GiudizioVelocita(float battuteMinuto, bool modoEsperto);
// Error percentage of the keystrokes, the results' evaluation rule (a
// threshold itself takes the better word); -1 with no keystroke.
int GiudizioErrori(int battute, int errori, bool modoEsperto);
// Speed letter down the side, accuracy letter across; -1 when either is missing.
int GiudizioComplessivo(QChar letteraVelocita, QChar letteraErrori);
// "O", "B", "S", "I" for grades 0..3; a null character for -1.
QChar Lettera(int giudizio);

// --- Characters by class -----------------------------------------------------

struct Caratteri {
    int16_t numMaiuscole = 0;       // A..Z
    int16_t numMinuscole = 0;       // a..z
    int16_t numCifre = 0;           // 0..9
    int16_t numPunteggiatura = 0;   // ! , . : ; ?
    int16_t numSpeciali = 0;        // every other printable character, accented letters too
    int16_t numSpazi = 0;           // blank
    bool operator==(const Caratteri &) const = default;
};
// Every character of the text, by its code page 1252 code; control codes
// count nowhere, characters outside the code page (one per code point) as
// special. Counters stop at 32767.
Caratteri ContaCaratteri(const QString &testo);

// The words of a text: runs of characters between blanks and line ends.
int32_t ContaParole(const QString &testo);

// --- Figures -----------------------------------------------------------------

struct Figure {
    int secondiEsercizio = 0;
    QString tempoTesto;                        // "hh:mm:ss"
    int battute = 0;                           // b
    int errori = 0;                            // e
    int32_t numParole = 0;                     // words of the text typed
    std::optional<float> rapportoErrori;       // e / b
    std::optional<float> rapportoEsatte;       // (b - e) / b
    std::optional<float> battuteMinuto;        // b / seconds * 60
    std::optional<float> battuteSecondo;       // b / seconds
};
// From the values the typing exercise leaves in the shared module.
Figure CalcolaRisultati(const modClavora &stato);

// --- The report ----------------------------------------------------------------

class ReportFreeTXT {
public:
    // Reads the shared values (never changes them); the services give the
    // clock, the temporary folder and the viewer.
    explicit ReportFreeTXT(const modClavora &stato, TestoLingua lingua = {},
                           QLocale locale = QLocale());

    const QStringList &testiReport() const { return testi_; }
    QString testo(int indice) const { return testi_.value(indice); }
    const Figure &figure() const { return figure_; }

    // The eight lines of the window: label, ": ", value.
    QStringList RigheRisultati() const;
    // The title of the window and of the PDF.
    QString Titolo() const { return testo(8); }

    // Grades of the exercise, as letters and as words (a dash when missing).
    QChar letteraVelocita() const { return Lettera(giudizioVelocita_); }
    QChar letteraErrori() const { return Lettera(giudizioErrori_); }
    QString ParolaVelocita() const { return Parola(giudizioVelocita_); }
    QString ParolaErrori() const { return Parola(giudizioErrori_); }
    QString ParolaComplessiva() const;

    // The counts of the last PDF; zero before it and after closing.
    const Caratteri &caratteri() const { return caratteri_; }

    QString nomeReport() const { return nomeReport_; }
    QString percorsoPDF() const { return percorsoPDF_; }

    // The temporary folder, ending with "/", or empty when there is none.
    QString GetTempDir() const;

    struct EsitoPDF {
        // NonAperto: written, but no program opened it.
        enum Tipo { Aperto, NonCreato, NonScritto, NonAperto } tipo = Aperto;
        QString messaggio;          // the box to show when not Aperto
    };
    // Counts the characters, writes the PDF to the temporary folder under
    // the learner's name made fit for a file name, and opens it without
    // waiting. Without a usable temporary folder, or when the write fails,
    // the message names the folder or file and the reason; the file is left
    // as it was (a report written before stays whole).
    EsitoPDF GeneraPDF();

    // Closing: deletes the PDF this report wrote, and zeroes the counts.
    void Chiudi();

private:
    QString Parola(int giudizio) const;
    QString Valore(const std::optional<float> &v, const QString &pattern) const;
    void DisegnaPagina(clsPDFCreator &pdf) const;

    const modClavora &s;
    QLocale locale_;
    QStringList testi_;
    QString pdfNonAperto_;   // "%1": the PDF's path
    std::array<QString, 2> piede_;   // the PDF's two footer lines
    TestoLingua linguaMessaggi_;   // the messages' texts; empty: built-in Italian
    QStringList paroleValutazione_;
    Figure figure_;
    int giudizioVelocita_ = -1;
    int giudizioErrori_ = -1;
    Caratteri caratteri_;
    QString nomeReport_;
    QString percorsoPDF_;
    bool pdfScritto_ = false;
};

} // namespace report
