#pragma once

#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPalette>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QWidget>

#include <algorithm>

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
    return face({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                 QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                 QStringLiteral("DejaVu Sans")},
                11, QFont::SansSerif);
}

// The titles' face, "Perpetua Titling MT", at a pixel height. It has capitals only, so
// a plain serif standing in for it shows capitals too.
inline QFont titlingFace(int pixelSize)
{
    const QString titling = QStringLiteral("Perpetua Titling MT");
    QFont font = face({titling, QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")},
                      pixelSize, QFont::Serif);
    if (!QFontDatabase::hasFamily(titling))
        font.setCapitalization(QFont::AllUppercase);
    return font;
}

// The width that text takes in font, as a label or a field lays it out.
inline int textWidth(const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font);
    return std::max(metrics.horizontalAdvance(text),
                    metrics.boundingRect(QRect(), Qt::TextSingleLine, text).width());
}

// A face that puts text into width pixels: the font itself when it fits, else the
// same face narrowed, and only as a last resort smaller. The places of the controls
// are fixed, and the stand-in faces of a desktop may be wider than the classic ones.
inline QFont fitted(QFont font, const QString &text, int width)
{
    if (width <= 0 || textWidth(font, text) <= width)
        return font;
    for (int stretch = 95; stretch >= 70; stretch -= 5) {
        font.setStretch(stretch);
        if (textWidth(font, text) <= width)
            return font;
    }
    const int pixels = font.pixelSize();
    for (int size = pixels - 1; size >= 7 && pixels > 0; --size) {
        font.setPixelSize(size);
        if (textWidth(font, text) <= width)
            break;
    }
    return font;
}

// List rows of one fixed height, as the classic lists and drop-downs drew them.
class FixedHeightDelegate : public QStyledItemDelegate
{
public:
    FixedHeightDelegate(int height, QObject *parent) : QStyledItemDelegate(parent), m_height(height) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_height};
    }

private:
    int m_height;
};

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
