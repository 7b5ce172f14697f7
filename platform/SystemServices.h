#pragma once
// The production implementations of the platform services.

#include "platform/Services.h"

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
std::unique_ptr<Sound> makePulseSound(const QString &resourcePrefix);

} // namespace platform
