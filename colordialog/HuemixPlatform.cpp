#include "colordialog/HuemixPlatform.h"

#include <QApplication>
#include <QColor>
#include <QPalette>

namespace huemix {

namespace {

constexpr TColor Rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

Platform DefaultPlatform()
{
    Platform p;
    p.sysColor = PaletteSysColor;
    p.beep = [] { QApplication::beep(); };
    p.help = [](int) {};
    return p;
}

} // namespace

Platform &platform()
{
    static Platform current = DefaultPlatform();
    return current;
}

void resetPlatform() { platform() = DefaultPlatform(); }

QColor ToQColor(TColor color)
{
    if (color < 0)
        color = platform().sysColor(color & 0xFF);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor ToTColor(const QColor &color)
{
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}

TColor PaletteSysColor(int index)
{
    // The application palette stands for this desktop's colours; where a toolkit palette
    // has no matching role (desktop, window captions and borders) a classic value serves.
    const QPalette pal = QApplication::palette();
    switch (index) {
    case 0: return ToTColor(pal.color(QPalette::Mid));                        // scroll bar
    case 1: return Rgb(58, 110, 165);                                         // desktop
    case 2: return ToTColor(pal.color(QPalette::Active, QPalette::Highlight)); // active caption
    case 3: return Rgb(191, 205, 219);                                        // inactive caption
    case 4: return ToTColor(pal.color(QPalette::Window));                     // menu
    case 5: return ToTColor(pal.color(QPalette::Base));                       // window
    case 6: return Rgb(100, 100, 100);                                        // window frame
    case 7: return ToTColor(pal.color(QPalette::WindowText));                 // menu text
    case 8: return ToTColor(pal.color(QPalette::Text));                       // window text
    case 9: return ToTColor(pal.color(QPalette::Active, QPalette::HighlightedText)); // caption text
    case 10: return Rgb(180, 180, 180);                                       // active border
    case 11: return Rgb(244, 247, 252);                                       // inactive border
    case 12: return ToTColor(pal.color(QPalette::Dark));                      // MDI workspace
    case 13: return ToTColor(pal.color(QPalette::Active, QPalette::Highlight));
    case 14: return ToTColor(pal.color(QPalette::Active, QPalette::HighlightedText));
    case 15: return ToTColor(pal.color(QPalette::Button));                    // 3D face
    case 16: return ToTColor(pal.color(QPalette::Dark));                      // 3D shadow
    case 17: return ToTColor(pal.color(QPalette::Disabled, QPalette::Text));  // gray text
    case 18: return ToTColor(pal.color(QPalette::ButtonText));
    case 19: return Rgb(0, 0, 0);                                             // inactive caption text
    case 20: return ToTColor(pal.color(QPalette::Light));                     // 3D highlight
    case 21: return ToTColor(pal.color(QPalette::Shadow));                    // 3D dark shadow
    case 22: return ToTColor(pal.color(QPalette::Midlight));                  // 3D light
    case 23: return ToTColor(pal.color(QPalette::ToolTipText));
    case 24: return ToTColor(pal.color(QPalette::ToolTipBase));
    default: return 0;
    }
}

} // namespace huemix
