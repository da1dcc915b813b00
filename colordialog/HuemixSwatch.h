#pragma once

#include "colordialog/Colors.h"

#include <QFrame>
#include <QList>
#include <QPoint>

class QPainter;

// A panel filled with one colour that reports a click of the left button, pressed and
// released over it: the current and reference swatches, the collection slots and the
// VGA swatches.
class THuemixSwatch : public QFrame
{
    Q_OBJECT
public:
    THuemixSwatch(const QString &objectName, TColor color, QWidget *parent);

    TColor Color() const { return FColor; }
    void SetColor(TColor color);

signals:
    void clicked();

protected:
    // What the swatch draws over its colour and under its border.
    virtual void PaintContents(QPainter &) {}
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

    bool Pressed() const { return FPressed; }
    QPoint PressPos() const { return FPressPos; }
    void CancelClick() { FPressed = false; } // the press became a drag

private:
    TColor FColor;
    QPoint FPressPos;
    bool FPressed = false;
};

// Keyboard use of a grid of swatches (columns across, in reading order): the arrow
// keys move the focus from swatch to swatch, Enter or Space clicks the focused one and
// then reports it as chosen. The grid is one stop of the Tab order, the swatch that
// last had the focus.
class THuemixSwatchGrid : public QObject
{
    Q_OBJECT
public:
    THuemixSwatchGrid(QList<THuemixSwatch *> swatches, int columns, QObject *parent);

signals:
    // Enter or Space clicked a swatch.
    void chosen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MakeTabStop(THuemixSwatch *swatch);

    QList<THuemixSwatch *> FSwatches;
    int FColumns;
};
