#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QStringList>
#include <QWidget>

// The colours and faces shared by the program's windows.
namespace lexifind::look {

inline QColor maroon() { return QColor(128, 0, 0); }
inline QColor cream() { return QColor(255, 251, 240); }
inline QColor silver() { return QColor(192, 192, 192); }
inline QColor white() { return QColor(255, 255, 255); }

// A face at a pixel height, with similar faces after it for a desktop that lacks it.
inline QFont face(const QStringList &families, int pixelSize, QFont::StyleHint hint)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPixelSize(pixelSize);
    return font;
}

// The windows' default face: "MS Sans Serif", 11 pixels.
inline QFont defaultFont()
{
    // Liberation Sans has the narrow metrics of the original; DejaVu Sans is wider.
    return face({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                 QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")},
                11, QFont::SansSerif);
}

// Fills the widget's background with colour (a window, a panel).
inline void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

inline void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Background of an edit or a list (the Base role), in every state.
inline void setBase(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

} // namespace lexifind::look
