#pragma once

#include "colordialog/HuemixPages.h"

#include <QStringList>

#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QToolButton;

// The current colour's values in the models HSB, RGB, CMY, CMYK and, for a gray, its
// level, one line each, with a button in front of each line that copies it.
class TInfoPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TInfoPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;
    void UpdateInfoPage();
    void UpdateInfoOptions();

    // One line of values under the options in force.
    QString FormatValueList(const QStringList &names, const std::vector<double> &values) const;

    // The 8 x 8 copy glyph, black on transparent.
    static QPixmap CopyGlyph();

    QGroupBox *rgrNumbers = nullptr;
    QRadioButton *rgrNumbersDecimal = nullptr;     // item 0
    QRadioButton *rgrNumbersHexadecimal = nullptr; // item 1
    QGroupBox *grbFormat = nullptr;
    QCheckBox *chbSpace = nullptr;
    QCheckBox *chbComma = nullptr;
    QCheckBox *chbNames = nullptr;
    QToolButton *sbtHSB = nullptr;
    QToolButton *sbtRGB = nullptr;
    QToolButton *sbtCMY = nullptr;
    QToolButton *sbtCMYK = nullptr;
    QToolButton *sbtGray = nullptr;
    QLabel *lblHSBValue = nullptr;
    QLabel *lblRGBValue = nullptr;
    QLabel *lblCMYValue = nullptr;
    QLabel *lblCMYKValue = nullptr;
    QLabel *lblGrayValue = nullptr;
    QLabel *lblGrayTitle = nullptr;

private:
    void OptionClick();
    void CopyLabel(const QLabel *label) const;
};
