#pragma once
// The keymap a Wayland compositor hands its clients, read on a connection of
// our own: Qt keeps its own keyboard to itself.

#include <QByteArray>
#include <optional>

namespace platform {

// The keymap in xkbcommon's text format; empty when no compositor answers
// or it offers no keyboard.
std::optional<QByteArray> leggiKeymapWayland();

} // namespace platform
