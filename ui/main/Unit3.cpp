#include "ui/main/Unit3.h"

#include "document/LexifindError.h"
#include "ui/main/Unit1.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

TForm3::TForm3(TForm1 &form1)
    : WordDialog(form1, QStringLiteral("Editer"), QStringLiteral("OK"), true)
{
    setObjectName(QStringLiteral("Form3"));
    // Button face behind the panel: the dialog keeps the desktop's own colour.
    Edit1->setGeometry(64, 10, 177, 21);
    Edit2->setGeometry(64, 40, 281, 21);
    Edit2->setToolTip(QStringLiteral("Any character except double quotes. (\")"));
    Edit3 = new QLineEdit(Panel1);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setGeometry(16, 56, 17, 21);
    Edit3->hide();
    setTabOrder(Edit2, Edit1);
    setTabOrder(Edit1, Button1);
    setTabOrder(Button1, Edit3);
    move(OuterLeft, OuterTop);
    resize(OuterWidth - 8, OuterHeight - 27 + ProposeStrip);
}

void TForm3::Button1Click()
{
    CleanFields();
    bool ok = false;
    const int position = Edit3->text().toInt(&ok);
    if (!ok || !FForm1.ReplaceEntry(position, Edit1->text(), Edit2->text()))
        throw lexifind::Error(QStringLiteral(
            "Ce mot n'est plus dans la liste : choisissez-le de nouveau et cliquez sur « editer »"));
    Edit2->clear();
    Edit1->clear();
    hide();
}
