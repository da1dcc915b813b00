#include "ui/options/OptionPanel.h"

#include "ui/main/Look.h"

#include <QLabel>
#include <QScrollArea>
#include <QStyle>

namespace lexifind::options {

namespace {

// Inside a tab: two columns of rows. The labels stand where the classic panels' labels
// stand above (8 pixels into the texts' panel, 16 into the colours' panel).
constexpr int RowHeight = 28;
constexpr int FirstRowTop = 8;
constexpr int FieldHeight = 21;
struct Column
{
    int label;
    int field;
    int fieldWidth;
};
constexpr Column Columns[2] = {{6, 138, 150}, {326, 458, 128}};

const char *const TabNames[3] = {"TabModernPage", "TabPlatform", "TabDictionary"};
const char *const TabCaptions[3] = {"Page moderne", "Plateforme", "Langue et dictionnaire"};

} // namespace

OptionPanel::OptionPanel(QWidget *parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("PageControl1"));
    setUsesScrollButtons(false);
    setDocumentMode(false);
    const QColor face = palette().color(QPalette::Button);
    for (std::size_t i = 0; i < m_tabs.size(); ++i) {
        Tab &tab = m_tabs[i];
        tab.area = new QScrollArea(this);
        tab.area->setObjectName(QString::fromLatin1(TabNames[i]));
        tab.area->setFrameShape(QFrame::NoFrame);
        tab.area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        tab.area->setWidgetResizable(false);
        tab.content = new QWidget;
        tab.content->setObjectName(QString::fromLatin1(TabNames[i]) + QStringLiteral("Rows"));
        look::setBackground(tab.content, face);
        tab.content->resize(Columns[1].field + Columns[1].fieldWidth + 8, FirstRowTop);
        tab.area->setWidget(tab.content);
        look::setBackground(tab.area->viewport(), face);
        addTab(tab.area, QString::fromUtf8(TabCaptions[i]));
    }
}

QWidget *OptionPanel::Page(OptionGroup group) const
{
    return m_tabs[std::size_t(group)].area;
}

int OptionPanel::RowCount(OptionGroup group) const
{
    return m_tabs[std::size_t(group)].rows;
}

int OptionPanel::PanelHeight()
{
    return 120;
}

QLabel *OptionPanel::AddRow(OptionGroup group, const QString &caption, QWidget *field)
{
    Tab &tab = m_tabs[std::size_t(group)];
    const Column &column = Columns[tab.rows % 2];
    const int top = FirstRowTop + (tab.rows / 2) * RowHeight;
    ++tab.rows;

    auto *label = new QLabel(caption, tab.content);
    // Beside the classic panels' labels: the same face, narrowed where a desktop's face
    // is wider, never running under its field.
    const int room = column.field - column.label - 4;
    label->setFont(look::fitted(label->font(), caption, room));
    label->move(column.label, top + 3);
    label->adjustSize();
    label->setBuddy(field);

    field->setParent(tab.content);
    field->setGeometry(column.field, top, column.fieldWidth, FieldHeight);
    field->show();
    label->show();
    const int bottom = top + RowHeight;
    if (tab.content->height() < bottom)
        tab.content->resize(tab.content->width(), bottom);
    return label;
}

} // namespace lexifind::options
