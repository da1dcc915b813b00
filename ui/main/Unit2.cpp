#include "ui/main/Unit2.h"

#include "ui/main/Look.h"
#include "ui/main/Unit1.h"

#include <QLineEdit>
#include <QPushButton>

TForm2::TForm2(TForm1 &form1)
    : WordDialog(form1, QStringLiteral("Ajouter"), QStringLiteral("Ajouter"), false)
{
    setObjectName(QStringLiteral("Form2"));
    lexifind::look::setBackground(this, lexifind::look::cream());
    // The fields lie over the panel, on the dialog itself.
    Edit1->setGeometry(72, 18, 177, 21);
    Edit2->setGeometry(72, 48, 281, 21);
    Edit2->setToolTip(QStringLiteral("Any character except double quotes."));
    setTabOrder(Edit2, Edit1);
    setTabOrder(Edit1, Button1);
    move(OuterLeft, OuterTop);
    resize(OuterWidth - 8, OuterHeight - 27 + ProposeStrip);
}

void TForm2::Button1Click()
{
    CleanFields();
    FForm1.AddEntry(Edit1->text(), Edit2->text());
    Edit2->clear();
    Edit1->clear();
    hide();
}
