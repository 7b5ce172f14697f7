#pragma once
// The recorder behind the engine's hooks: it gathers each character's figures
// of the current line in memory and hands the store one write when the line
// (or text, or game) ends, with the level and run records that line closes.
// A write that fails is kept and tried again with the next one; the first
// failure is reported once through suErrore.

#include "progress/ArchivioProgressi.h"
#include "progress/RegistroEventi.h"

#include <QHash>
#include <array>
#include <functional>
#include <optional>

namespace platform {
class Clock;
}

namespace progressi {

class RegistratoreProgressi : public RegistroEventi {
public:
    // battuteDi: the keystrokes a character takes (a dead key or AltGr with
    // its key gives 2); 1 when it gives 0.
    RegistratoreProgressi(ArchivioProgressi &archivio, const platform::Clock &orologio,
                          std::function<int(QChar)> battuteDi);

    // The learner's key: the name the bookmarks use; "" for the anonymous learner.
    void setStudente(const QString &nome) { studente_ = nome; }
    // Asked at each write instead, when set: the learner may change their name.
    std::function<QString()> fonteStudente;
    const QString &studente() const { return studente_; }

    void InizioRiga() override;
    void Tasto(QChar atteso, QChar digitato) override;
    void Finito(const Fine &fine) override;

    // The first failed write (not again in this run of the program).
    std::function<void(Esito)> suErrore;
    Esito ultimoEsito() const { return ultimoEsito_; }
    // What is waiting for a store that could not be written.
    const Lotto &inAttesa() const { return inAttesa_; }

private:
    void Scrivi();

    ArchivioProgressi &archivio_;
    const platform::Clock &orologio_;
    std::function<int(QChar)> battuteDi_;
    QString studente_;

    // The current line.
    QHash<char16_t, Carattere> caratteri_;
    QHash<uint32_t, int32_t> confusioni_;    // expected << 16 | typed
    std::optional<int64_t> ultimoTasto_;
    // The lines of the current run by sentence number, for its level and run records.
    std::array<std::optional<Fine>, 16> righeGiro_{};

    Lotto inAttesa_;
    Esito ultimoEsito_ = Esito::Ok;
    bool avvisato_ = false;
};

} // namespace progressi
