#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The About box "A propos": the program's name, its version and a credit. Modeless;
// OK and the close box only hide it.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QFrame *Panel1 = nullptr;
    QLabel *ProgramIcon = nullptr;
    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    QLabel *Copyright = nullptr;
    QPushButton *OKButton = nullptr;

    void OKButtonClick();

    // The logo: 110 x 50 pixels, 24 bits per pixel.
    static QImage Logo();
};
