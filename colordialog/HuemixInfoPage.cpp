#include "colordialog/HuemixInfoPage.h"
#include "colordialog/HuemixWindow.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QToolButton>

namespace {

const char *const kCopyGlyph[8] = {
    "#####...",
    "#...#...",
    "#.#####.",
    "#.#...#.",
    "#.#...#.",
    "###...#.",
    "..#...#.",
    "..#####.",
};

// A face wider than the classic one is narrowed until box and caption fit the width.
void FitCaption(QAbstractButton *button)
{
    QFont narrower = button->font();
    for (int stretch = 95; button->sizeHint().width() > button->width() && stretch >= 70; stretch -= 5) {
        narrower.setStretch(stretch);
        button->setFont(narrower);
    }
}

} // namespace

QPixmap TInfoPage::CopyGlyph()
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (kCopyGlyph[y][x] == '#')
                image.setPixel(x, y, qRgb(0, 0, 0));
    return QPixmap::fromImage(image);
}

TInfoPage::TInfoPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 8, QStringLiteral("tshInfo"))
{
    rgrNumbers = new QGroupBox(QStringLiteral("Numbers"), this);
    rgrNumbers->setObjectName(QStringLiteral("rgrNumbers"));
    rgrNumbers->setGeometry(16, 12, 109, 53);
    rgrNumbersDecimal = new QRadioButton(QStringLiteral("&Decimal"), rgrNumbers);
    rgrNumbersDecimal->setObjectName(QStringLiteral("rgrNumbersDecimal"));
    rgrNumbersDecimal->setGeometry(8, 15, 95, 17);
    rgrNumbersDecimal->setChecked(true);
    rgrNumbersHexadecimal = new QRadioButton(QStringLiteral("&Hexadecimal"), rgrNumbers);
    rgrNumbersHexadecimal->setObjectName(QStringLiteral("rgrNumbersHexadecimal"));
    rgrNumbersHexadecimal->setGeometry(8, 32, 95, 17);

    grbFormat = new QGroupBox(QStringLiteral("Format"), this);
    grbFormat->setObjectName(QStringLiteral("grbFormat"));
    grbFormat->setGeometry(136, 12, 177, 53);
    auto check = [this](const char *name, const char *caption, int x, int y, int width) {
        auto *box = new QCheckBox(QString::fromLatin1(caption), grbFormat);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(x, y, width, 17);
        box->setChecked(true);
        return box;
    };
    chbSpace = check("chbSpace", "&Space", 10, 14, 65);
    chbComma = check("chbComma", "&Comma", 10, 31, 65);
    chbNames = check("chbNames", "Value &names", 80, 14, 90);
    for (QAbstractButton *button : {static_cast<QAbstractButton *>(rgrNumbersDecimal),
                                    static_cast<QAbstractButton *>(rgrNumbersHexadecimal),
                                    static_cast<QAbstractButton *>(chbSpace),
                                    static_cast<QAbstractButton *>(chbComma),
                                    static_cast<QAbstractButton *>(chbNames)})
        FitCaption(button);

    struct Row
    {
        QToolButton *&button;
        const char *buttonName;
        const char *hint;
        const char *title;
        QLabel *&value;
        const char *valueName;
        int y;
    };
    Row rows[] = {
        {sbtHSB, "sbtHSB", "Copy values to clipboard", "HSB:", lblHSBValue, "lblHSBValue", 84},
        {sbtRGB, "sbtRGB", "Copy values to clipboard", "RGB:", lblRGBValue, "lblRGBValue", 104},
        {sbtCMY, "sbtCMY", "Copy values to clipboard", "CMY:", lblCMYValue, "lblCMYValue", 124},
        {sbtCMYK, "sbtCMYK", "Copy values to clipboard", "CMYK:", lblCMYKValue, "lblCMYKValue", 144},
        {sbtGray, "sbtGray", "Copy value to clipboard", "Gray:", lblGrayValue, "lblGrayValue", 164},
    };
    const QIcon glyph(CopyGlyph());
    for (Row &row : rows) {
        row.button = new QToolButton(this);
        row.button->setObjectName(QString::fromLatin1(row.buttonName));
        row.button->setGeometry(16, row.y, 14, 14);
        row.button->setIcon(glyph);
        row.button->setIconSize(QSize(8, 8));
        row.button->setAutoRaise(true);
        row.button->setToolTip(QString::fromLatin1(row.hint));
        auto *title = new QLabel(QString::fromLatin1(row.title), this);
        title->setGeometry(40, row.y, 40, 14);
        if (row.button == sbtGray) {
            title->setObjectName(QStringLiteral("lblGrayTitle"));
            lblGrayTitle = title;
        }
        // Until the first UpdateInfoPage a value label shows its own name.
        row.value = new QLabel(QString::fromLatin1(row.valueName), this);
        row.value->setObjectName(QString::fromLatin1(row.valueName));
        row.value->setGeometry(80, row.y, 250, 14);
    }

    connect(rgrNumbersHexadecimal, &QRadioButton::toggled, this, [this] { OptionClick(); });
    connect(chbSpace, &QCheckBox::toggled, this, [this] { OptionClick(); });
    connect(chbComma, &QCheckBox::toggled, this, [this] { OptionClick(); });
    connect(chbNames, &QCheckBox::toggled, this, [this] { UpdateInfoPage(); });

    connect(sbtHSB, &QToolButton::clicked, this, [this] { CopyLabel(lblHSBValue); });
    connect(sbtRGB, &QToolButton::clicked, this, [this] { CopyLabel(lblRGBValue); });
    // The CMYK row's button shares the CMY row's handler, and so copies the CMY line.
    auto sbtCMYClick = [this] { CopyLabel(lblCMYValue); };
    connect(sbtCMY, &QToolButton::clicked, this, sbtCMYClick);
    connect(sbtCMYK, &QToolButton::clicked, this, sbtCMYClick);
    connect(sbtGray, &QToolButton::clicked, this, [this] { CopyLabel(lblGrayValue); });
}

bool TInfoPage::ReadColor(TRGBColor &) const
{
    return false; // the page picks no colour
}

bool TInfoPage::ShowColor(const TRGBColor &)
{
    UpdateInfoPage();
    return true;
}

QString TInfoPage::FormatValueList(const QStringList &names, const std::vector<double> &values) const
{
    const bool hex = rgrNumbersHexadecimal->isChecked();
    QString line;
    const std::size_t count = values.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (chbNames->isChecked() && i < std::size_t(names.size()))
            line += names[qsizetype(i)] + QLatin1Char('=');
        const auto value = static_cast<long long>(RoundHalfEven(values[i]));
        line += hex ? QString::number(value, 16).toUpper().rightJustified(2, QLatin1Char('0'))
                    : QString::number(value);
        if (i + 1 < count) {
            if (chbComma->isChecked())
                line += QLatin1Char(',');
            if (chbSpace->isChecked())
                line += QLatin1Char(' ');
        }
    }
    return line;
}

void TInfoPage::UpdateInfoPage()
{
    const TColor color = FWindow.ColorPanelColor();
    const THSBColor hsb = ColorToHSB(color);
    lblHSBValue->setText(FormatValueList({QStringLiteral("Hue"), QStringLiteral("Saturation"),
                                          QStringLiteral("Brightness")},
                                         {hsb.Hue, hsb.Saturation, hsb.Brightness}));
    const TRGBColor rgb = SplitColor(color);
    lblRGBValue->setText(FormatValueList({QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")},
                                         {rgb.Red, rgb.Green, rgb.Blue}));
    const TCMYColor cmy = ColorToCMY(color);
    lblCMYValue->setText(FormatValueList({QStringLiteral("Cyan"), QStringLiteral("Magenta"),
                                          QStringLiteral("Yellow")},
                                         {cmy.Cyan, cmy.Magenta, cmy.Yellow}));
    const TCMYKColor cmyk = ColorToCMYK(color);
    lblCMYKValue->setText(FormatValueList({QStringLiteral("Cyan"), QStringLiteral("Magenta"),
                                           QStringLiteral("Yellow"), QStringLiteral("Black")},
                                          {cmyk.Cyan, cmyk.Magenta, cmyk.Yellow, cmyk.Black}));
    const bool gray = IsGray(rgb);
    sbtGray->setVisible(gray);
    lblGrayTitle->setVisible(gray);
    lblGrayValue->setVisible(gray);
    lblGrayValue->setText(FormatValueList({QStringLiteral("Brightness")}, {FWindow.FCurrentRGB.Red}));
}

void TInfoPage::UpdateInfoOptions()
{
    const bool separators = chbSpace->isChecked() || chbComma->isChecked();
    if (!separators)
        chbNames->setChecked(false);
    chbNames->setEnabled(separators);
}

void TInfoPage::OptionClick()
{
    UpdateInfoOptions();
    UpdateInfoPage();
}

void TInfoPage::CopyLabel(const QLabel *label) const
{
    QGuiApplication::clipboard()->setText(label->text());
}
