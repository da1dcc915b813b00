#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>

class QPaintEvent;

namespace lexifind::options {

// A colour sample: a rectangle filled with its brush colour inside a one-pixel black
// outline. It shows only what it is told; it never reads a field.
class ColorShape : public QWidget
{
    Q_OBJECT
public:
    explicit ColorShape(QWidget *parent = nullptr);

    QColor brushColor() const { return FBrushColor; }
    void setBrushColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor FBrushColor = Qt::white;
};

// A one-character label meant for a symbol font. Its text stays the character; when the
// symbol font is missing, the mark is painted instead, so that it is still a mark of the
// label's colour: a check, a cross or an arrow.
class SymbolLabel : public QLabel
{
    Q_OBJECT
public:
    enum class Mark { Check, Cross, Arrow };

    SymbolLabel(const QString &symbol, Mark mark, const QColor &color, QWidget *parent = nullptr);

    Mark mark() const { return FMark; }
    QColor markColor() const { return FColor; }
    // True when the symbol font is installed and the character is drawn in it.
    bool usesSymbolFont() const { return FUsesFont; }

    static QString symbolFamily();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Mark FMark;
    QColor FColor;
    bool FUsesFont = false;
};

} // namespace lexifind::options
