#pragma once

#include <QColor>
#include <QLabel>
#include <QStyledItemDelegate>
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

// List rows of one fixed height, as the font list's drop-down has them.
class FixedHeightDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    FixedHeightDelegate(int height, QObject *parent) : QStyledItemDelegate(parent), FHeight(height) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), FHeight};
    }

private:
    int FHeight;
};

// The first installed family of the list, else the last one.
QString firstInstalledFamily(const QStringList &families);

} // namespace lexifind::options
