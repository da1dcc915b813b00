#include "ui/main/WordDialog.h"

#include "document/ExerciseDocument.h"
#include "ui/main/Command.h"
#include "ui/main/LineBreaks.h"
#include "ui/main/ListCommands.h"
#include "ui/main/Look.h"
#include "ui/main/Placement.h"
#include "ui/main/Unit1.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace lexifind {
namespace {

// From the labels' left edge (8) to the fields' (64 on the panel), less a pixel of air.
constexpr int LabelRoom = 55;

} // namespace

WordDialog::WordDialog(TForm1 &form1, const QString &caption, const QString &buttonCaption,
                       bool fieldsOnPanel)
    : QDialog(nullptr), FForm1(form1)
{
    setWindowTitle(caption);
    setFont(look::defaultFont());
    setModal(false);
    setSizeGripEnabled(false);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 353, 73);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    look::setBackground(Panel1, look::maroon());

    auto label = [this](QLabel *&field, const char *name, const QString &text, int top, int width) {
        field = new QLabel(text, Panel1);
        field->setObjectName(QString::fromLatin1(name));
        look::setTextColour(field, look::cream());
        // The fields start at 64 on the panel: the caption ends before them, narrowed
        // if the desktop's face is wider than the classic one.
        field->setFont(look::fitted(field->font(), text, LabelRoom));
        field->setGeometry(8, top, std::max(width, field->sizeHint().width()), 13);
    };
    label(Label1, "Label1", QStringLiteral("Sélection : "), 8, 53);
    label(Label2, "Label2", QStringLiteral("Définition :"), 40, 50);

    Button1 = new QPushButton(buttonCaption, Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(248, 8, 97, 25);
    Button1->setDefault(true);
    Button1->setAutoDefault(true);

    QWidget *fieldParent = fieldsOnPanel ? static_cast<QWidget *>(Panel1) : this;
    Edit1 = new QLineEdit(fieldParent);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(fieldParent);
    Edit2->setObjectName(QStringLiteral("Edit2"));

    Propose1 = new QPushButton(QStringLiteral("Proposer"), this);
    Propose1->setObjectName(QStringLiteral("Propose1"));
    Propose1->setGeometry(264, 86, 97, 25);
    Propose1->setAutoDefault(false);
    Propose1->setToolTip(QStringLiteral("Definition from the dictionary chosen in the page options"));
    ProposeNote = new QLabel(this);
    ProposeNote->setObjectName(QStringLiteral("ProposeNote"));
    ProposeNote->setGeometry(8, 86, 250, 25);

    // Run from an event of its own, as the main window's commands.
    connect(Button1, &QPushButton::clicked, this, [this] { RunCommand([this] { Button1Click(); }); },
            Qt::QueuedConnection);
    // A note about another word would mislead.
    connect(Edit1, &QLineEdit::textChanged, ProposeNote, &QLabel::clear);
    connect(Propose1, &QPushButton::clicked, this,
            [this] { RunCommand([this] { FForm1.Lists().Propose(*this); }); },
            Qt::QueuedConnection);
}

void WordDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    KeepOnScreen(this);
    // The teacher types the definition at once.
    Edit2->setFocus(Qt::OtherFocusReason);
}

void WordDialog::CleanFields()
{
    // Text pasted into a one-line field may hold line breaks; an entry is one line of
    // the project file, so each break becomes a blank.
    Edit1->setText(ExerciseDocument::CleanWord(ReplaceLineBreaks(Edit1->text(), u" ")));
    Edit2->setText(ExerciseDocument::CleanDefinition(ReplaceLineBreaks(Edit2->text(), u" ")));
}

} // namespace lexifind
