#include "colordialog/HuemixSliderPages.h"
#include "colordialog/HuemixWindow.h"
// Skeleton: to be written.

THSBPage::THSBPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 2, QStringLiteral("tshHSB"))
{
}

bool THSBPage::ReadColor(TRGBColor &) const
{
    return false;
}

bool THSBPage::ShowColor(const TRGBColor &)
{
    return true;
}

TRGBPage::TRGBPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 3, QStringLiteral("tshRGB"))
{
}

bool TRGBPage::ReadColor(TRGBColor &) const
{
    return false;
}

bool TRGBPage::ShowColor(const TRGBColor &)
{
    return true;
}

TCMYPage::TCMYPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 4, QStringLiteral("tshCMY"))
{
}

bool TCMYPage::ReadColor(TRGBColor &) const
{
    return false;
}

bool TCMYPage::ShowColor(const TRGBColor &)
{
    return true;
}

TCMYKPage::TCMYKPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 5, QStringLiteral("tshCMYK"))
{
}

bool TCMYKPage::ReadColor(TRGBColor &) const
{
    return false;
}

bool TCMYKPage::ShowColor(const TRGBColor &)
{
    return true;
}

TGrayPage::TGrayPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 6, QStringLiteral("tshGray"))
{
}

bool TGrayPage::ReadColor(TRGBColor &) const
{
    return false;
}

bool TGrayPage::ShowColor(const TRGBColor &)
{
    return true;
}

