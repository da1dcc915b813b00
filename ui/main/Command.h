#pragma once

#include <QString>

#include <functional>

namespace lexifind {

// Runs a command of a window. What it throws stops it there and is shown in the
// standard error box at once, so that no exception ever unwinds through the toolkit's
// event handling; what the command did before stays done. False when it failed.
bool RunCommand(const std::function<void()> &command) noexcept;

// Inside a catch block: the teacher's message for the exception being handled
// ("Mémoire insuffisante" when memory ran out).
QString CaughtFailureMessage();

// The standard error box with message (its full stop added); never throws.
void ShowFailure(const QString &message) noexcept;

} // namespace lexifind
