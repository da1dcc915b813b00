#include "ui/main/ImportListDialog.h"

#include "ui/main/LineBreaks.h"
#include "ui/main/Look.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace lexifind {

ImportListDialog::ImportListDialog(const QByteArray &bytes, QWidget *parent)
    : QDialog(parent), m_bytes(bytes)
{
    setObjectName(QStringLiteral("ImportListDialog"));
    setWindowTitle(QStringLiteral("Importer une liste"));
    setFont(look::defaultFont());
    setModal(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 384, 41);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    look::setBackground(Panel1, look::maroon());

    const QString caption = QStringLiteral("Séparateur :");
    Label1 = new QLabel(caption, Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    look::setTextColour(Label1, look::cream());
    Label1->setFont(look::fitted(Label1->font(), caption, 70));
    Label1->setGeometry(8, 14, 70, 13);

    // Automatic first: what the file says of itself, or the separator that splits it best.
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(84, 10, 200, 21);
    ComboBox1->setToolTip(QStringLiteral("What separates a word from its definition in the file"));
    const char16_t found = Rows().separator; // read before any item: automatic
    ComboBox1->addItems({QStringLiteral("automatique (%1)").arg(wordlist::separatorName(found)),
                         QStringLiteral("tabulation"), QStringLiteral("point-virgule"),
                         QStringLiteral("virgule")});

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 57, 384, 13);

    StringGrid1 = new QTableWidget(0, 2, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setToolTip(QStringLiteral("The first rows as they will be imported, by line of the file"));
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("Mot"), QStringLiteral("Définition")});
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->setWordWrap(false);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setColumnWidth(0, 120);
    constexpr int rowHeight = 15;
    StringGrid1->verticalHeader()->setMinimumSectionSize(rowHeight);
    StringGrid1->verticalHeader()->setDefaultSectionSize(rowHeight);
    StringGrid1->horizontalHeader()->ensurePolished();
    // The preview's rows all in view, whatever the height of the desktop's header face.
    const int gridHeight = StringGrid1->horizontalHeader()->sizeHint().height()
                           + PreviewRows * rowHeight + 2 * StringGrid1->frameWidth();
    StringGrid1->setGeometry(8, 74, 384, gridHeight);
    const int buttonsTop = 74 + gridHeight + 8;

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(236, buttonsTop, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Annuler"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(317, buttonsTop, 75, 25);
    setFixedSize(400, buttonsTop + 25 + 8);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &ImportListDialog::ComboBox1Change);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    ComboBox1Change();
}

wordlist::Separator ImportListDialog::Choice() const
{
    return static_cast<wordlist::Separator>(std::max(ComboBox1->currentIndex(), 0));
}

const wordlist::Parsed &ImportListDialog::Rows()
{
    const wordlist::Separator choice = Choice();
    std::optional<wordlist::Parsed> &parsed = m_parsed[std::size_t(choice)];
    if (!parsed)
        parsed = wordlist::parse(m_bytes, choice);
    return *parsed;
}

void ImportListDialog::ComboBox1Change()
{
    const std::vector<wordlist::Row> &rows = Rows().rows;
    const int shown = int(std::min<std::size_t>(rows.size(), PreviewRows));
    Label2->setText(rows.empty() ? QStringLiteral("Aucune ligne à importer.")
                    : QStringLiteral("Aperçu : %1 ligne%2 sur %3").arg(shown)
                          .arg(shown > 1 ? "s" : "").arg(rows.size()));
    StringGrid1->setRowCount(shown);
    // A field quoted over several lines is imported on one: shown so.
    const auto cell = [](const QString &text) {
        auto *item = new QTableWidgetItem(ReplaceLineBreaks(text, u" ").trimmed());
        item->setToolTip(text);
        return item;
    };
    for (int i = 0; i < shown; ++i) {
        StringGrid1->setVerticalHeaderItem(i, new QTableWidgetItem(QString::number(rows[i].line)));
        StringGrid1->setItem(i, 0, cell(rows[i].word));
        StringGrid1->setItem(i, 1, cell(rows[i].definition));
    }
}

} // namespace lexifind
