#pragma once
// Tells the learner that a file of the program (settings, bookmarks, best
// scores) could not be saved, which one and why: once per file and run, in a
// box asked of the dialog service. The program goes on either way.
//
//   SalvaImpostazioni(s.gestoreIni, ...);
//   s.avvisoScrittura.Avvisa(s.gestoreIni, *s.servizi.dialogs, this);

#include "platform/Services.h"
#include "settings/ErroreScrittura.h"

#include <QSet>
#include <QString>
#include <functional>

class IniManager;
class QWidget;

class AvvisoScrittura {
public:
    // A text by its four-digit language id; an empty answer keeps the built-in Italian.
    using TestoLingua = std::function<QString(const QString &id)>;

    // The message, "%1" the file and "%2" the reason; the reasons have the
    // ids 0161 to 0165, in the order of ErroreScrittura::Motivo.
    static constexpr const char *kIdMessaggio = "0160";

    explicit AvvisoScrittura(TestoLingua testoLingua = {}) : m_testoLingua(std::move(testoLingua)) {}
    void setTestoLingua(TestoLingua testoLingua) { m_testoLingua = std::move(testoLingua); }

    // One box for each file whose writes failed since the last call and that
    // was not reported yet in this run. Returns how many boxes were shown.
    int Avvisa(IniManager &gestoreIni, platform::Dialogs &dialogs, QWidget *parent);

    QString Testo(const ErroreScrittura &errore) const;

private:
    QString testo(const char *id, const QString &italiano) const;

    TestoLingua m_testoLingua;
    QSet<QString> m_avvisati;
};
