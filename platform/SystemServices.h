#pragma once
// The production implementations of the platform services.

#include "platform/Services.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace platform {

// Owns one of each production service; services() hands them out.
class SystemServices {
public:
    SystemServices();
    ~SystemServices();
    Services services() const;
    // Connects to the sound server; until then sounds are silent.
    void startSound();

private:
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<RandomSource> random_;
    std::unique_ptr<Sound> sound_;
    std::unique_ptr<Dialogs> dialogs_;
    std::unique_ptr<InstanceLock> instance_;
    std::unique_ptr<Screen> screen_;
    std::unique_ptr<Keyboard> keyboard_;
    std::unique_ptr<Printer> printer_;
    std::unique_ptr<Desktop> desktop_;
};

// Sound through libpulse: WAVs uploaded once as samples, played asynchronously.
// Null when no sound server can be running or libpulse cannot be loaded.
std::unique_ptr<Sound> makePulseSound(const QString &resourcePrefix);

// Where a PulseAudio (or PipeWire) server listens: the session's runtime folder,
// the per-user folder and the system-wide one.
QStringList pulseSocketCandidates(const QString &runtimeDir, uint uid);
// A server may run when PULSE_SERVER names one or one of the sockets exists.
bool soundServerMayRun(const QString &pulseServerVariable, const QStringList &sockets,
                       const std::function<bool(const QString &)> &exists);

} // namespace platform
