#include "ui/main/Unit4.h"

#include "ui/main/Look.h"

#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
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

// An open book in maroon on cream, a word on its right page underlined in green and a
// red check mark over it: the exercise in one picture.
QImage TAboutBox::Logo()
{
    QImage image(110, 50, QImage::Format_RGB888);
    image.fill(look::white());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QColor maroon = look::maroon();
    painter.setPen(QPen(maroon, 2));
    painter.setBrush(look::cream());
    QPainterPath left;
    left.moveTo(55, 12);
    left.cubicTo(42, 6, 24, 6, 10, 10);
    left.lineTo(10, 44);
    left.cubicTo(24, 40, 42, 40, 55, 46);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(55, 12);
    right.cubicTo(68, 6, 86, 6, 100, 10);
    right.lineTo(100, 44);
    right.cubicTo(86, 40, 68, 40, 55, 46);
    right.closeSubpath();
    painter.drawPath(left);
    painter.drawPath(right);

    // Lines of text on the pages.
    painter.setPen(QPen(look::silver(), 1.5));
    for (int y = 18; y <= 36; y += 6) {
        painter.drawLine(QPointF(17, y), QPointF(48, y));
        painter.drawLine(QPointF(62, y), QPointF(93, y));
    }
    // The word found, and the mark that says so.
    painter.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(66, 30), QPointF(84, 30));
    painter.setPen(QPen(QColor(255, 0, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath check;
    check.moveTo(70, 20);
    check.lineTo(75, 26);
    check.lineTo(88, 8);
    painter.drawPath(check);
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
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

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
    ProductName->setFont(name);
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
