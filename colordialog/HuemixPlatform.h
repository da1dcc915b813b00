#pragma once

#include "colordialog/Colors.h"

#include <functional>

class QColor;

// What the colour dialog needs of the desktop, in one place so that tests can replace
// it: the current value of a system colour by its index (0..24 as on Windows: 5 window,
// 8 window text, 13 highlight, 15 button face, ...), the default beep, and a help
// request by context number.
namespace huemix {

struct Platform
{
    std::function<TColor(int index)> sysColor; // plain 0x00BBGGRR, never negative
    std::function<void()> beep;
    std::function<void(int context)> help;
};

// The platform in force. By default: colours of the application's current palette,
// QApplication::beep(), and a help request that does nothing until the program
// installs its own (the program's help answers context numbers).
Platform &platform();
// Puts the default back (tests).
void resetPlatform();

// The desktop value of a system colour index from the application palette.
TColor PaletteSysColor(int index);

// The one conversion between the dialog's colours and the toolkit's. A system colour
// (negative) shows the desktop's current value, as Windows paints it.
QColor ToQColor(TColor color);
TColor ToTColor(const QColor &color);

} // namespace huemix
