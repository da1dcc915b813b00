#pragma once

#include <QTabWidget>

#include <array>

class QLabel;
class QScrollArea;

namespace lexifind::options {

// What an option beyond the classic page serves; each has a tab of its own.
enum class OptionGroup { ModernPage, Platform, Dictionary };

// The tabs of the options beyond the classic page, inside the options window's maroon
// frame. Rows of a label and a field go two by two across a tab, their labels in line
// with the classic panels' labels above; a tab that holds more rows than it shows
// scrolls, so that the window never grows with the options.
class OptionPanel : public QTabWidget
{
    Q_OBJECT
public:
    explicit OptionPanel(QWidget *parent);

    // Places label and field as the next row of group's tab (the field is re-parented
    // and sized there); returns the label widget.
    QLabel *AddRow(OptionGroup group, const QString &label, QWidget *field);

    QWidget *Page(OptionGroup group) const;
    int RowCount(OptionGroup group) const;

    // The rows a tab shows without scrolling, and the panel's height for them.
    static constexpr int VisibleRows = 3;
    static int PanelHeight();

private:
    struct Tab
    {
        QScrollArea *area = nullptr;
        QWidget *content = nullptr;
        int rows = 0;
    };
    std::array<Tab, 3> m_tabs;
};

} // namespace lexifind::options
