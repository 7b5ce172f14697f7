#pragma once
// The course bookmark: per learner (section = nomeUtente), the last finished
// course exercise the learner chose to remember (key "Bookmark").

#include "platform/Services.h"

#include <QString>
#include <QStringList>

class IniManager;
class QWidget;

// "" when there is no learner name (nothing is read then).
QString LeggiSegnalibro(IniManager &gestoreIni, const QString &cartellaProgramma,
                        const QString &nomeUtente);

// At the end of a course exercise. No learner name: nothing. The last entry of
// the list: the learner's section goes without a question. Otherwise asks
// (messages 17 to 22 joined by CR LF): Yes remembers the exercise, No forgets
// the bookmark, Cancel changes nothing.
void SalvaSegnalibro(IniManager &gestoreIni, platform::Dialogs &dialogs, QWidget *parent,
                     const QString &cartellaProgramma, const QString &nomeUtente,
                     const QString &fileEsercizio, bool ultimaVoce,
                     const QStringList &messaggi17a22);

// The course list entry to select: the one after the exact match of the
// bookmark, unless that match is the last entry; otherwise the first (0).
int IndiceSegnalibro(const QStringList &voci, const QString &segnalibro);

// A path's file name, cut before its first "." ("a/LEZ01.v2.txt" gives "LEZ01").
QString nomeSenzaEstensioneSegnalibro(const QString &percorso);
