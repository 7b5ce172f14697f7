#pragma once
// One Tastavia per learner: the running one listens on a local socket in the
// learner's runtime folder; a second start hands it its command line there and
// ends, and the running one brings its window forward.

#include <QObject>
#include <QString>

class QSocketNotifier;

// The socket's path: beside the instance lock, in the learner's runtime folder
// ($XDG_RUNTIME_DIR when it is the learner's own) or else the learner's data
// folder; empty when neither is a folder of the learner's.
QString PercorsoSocketIstanza(const QString &cartellaRuntime, const QString &cartellaDati);
QString PercorsoSocketIstanza();

class IstanzaUnica : public QObject {
    Q_OBJECT
public:
    explicit IstanzaUnica(QString percorso, QObject *parent = nullptr);
    ~IstanzaUnica() override;
    // Listens (the caller holds the instance lock, so a socket left by a run
    // that crashed is replaced); false when it cannot.
    bool Ascolta();

signals:
    // A second start: `file` is its file argument as InterpretaArgomenti
    // resolved it there (empty without one).
    void comandoRicevuto(const QString &file);

private:
    class Collegamento;
    QString percorso_;
    int ascolto_ = -1;
    QSocketNotifier *notifica_ = nullptr;
};

// The second start: hands `file` to the running instance; true when it took
// it. Retries for up to `attesaMs` while the first one is still starting.
bool ConsegnaAllaPrimaIstanza(const QString &percorso, const QString &file, int attesaMs);
