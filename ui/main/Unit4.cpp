#include "ui/main/Unit4.h"

#include "ui/main/Logo.h"
#include "ui/main/Look.h"

#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

using namespace lexifind;

namespace {

// A label keeps its centre but grows to its caption when the face is wider.
void fitCentred(QLabel *label)
{
    const int needed = label->sizeHint().width();
    if (needed > label->width()) {
        const QRect frame = label->geometry();
        label->setGeometry(frame.center().x() - needed / 2, frame.top(), needed, frame.height());
    }
    label->setAlignment(Qt::AlignCenter);
}

} // namespace

QImage TAboutBox::Logo()
{
    QImage image(110, 50, QImage::Format_RGB888);
    image.fill(look::white());
    QPainter painter(&image);
    PaintLogo(painter);
    painter.end();
    return image;
}

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos"));
    setFont(look::defaultFont());
    setModal(false);
    look::setBackground(this, look::maroon());
    setFixedSize(210, 195);
    // A fixed dialog frame: a caption and a close box, nothing to minimise or enlarge.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 193, 177);
    // Lowered outer and raised inner bevel.
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(1);
    look::setBackground(Panel1, look::white());

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(40, 8, 113, 49);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(QPixmap::fromImage(Logo()));

    ProductName = new QLabel(QStringLiteral("Lexifind"), Panel1);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setGeometry(40, 64, 102, 30);
    QFont name = look::face({QStringLiteral("Papyrus"), QStringLiteral("Liberation Serif"),
                             QStringLiteral("DejaVu Serif")},
                            19, QFont::Serif);
    name.setBold(true);
    name.setItalic(true);
    ProductName->setFont(look::fitted(name, ProductName->text(), 102));
    ProductName->setAlignment(Qt::AlignCenter);

    Version = new QLabel(QStringLiteral("Version 1.22"), Panel1);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setGeometry(72, 96, 59, 13);
    fitCentred(Version);

    Copyright = new QLabel(QStringLiteral("Par l'équipe Lexifind"), Panel1);
    Copyright->setObjectName(QStringLiteral("Copyright"));
    Copyright->setGeometry(24, 120, 152, 13);
    fitCentred(Copyright);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(71, 148, 75, 25);
    OKButton->setDefault(true);
    OKButton->raise();
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TAboutBox::OKButtonClick()
{
    hide();
}
