#pragma once

#include <QCoreApplication>

#include <memory>

namespace lexifind {

// lexifind-page's application: a QGuiApplication on the offscreen platform when the
// arguments ask for a worksheet, whose layout needs the system's fonts; otherwise the
// plain core one, so that a page never waits for the toolkit's display side.
std::unique_ptr<QCoreApplication> CreateToolApplication(int &argc, char **argv);

} // namespace lexifind
