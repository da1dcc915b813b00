#include "colordialog/HuemixPalettePages.h"
#include "colordialog/HuemixWindow.h"
// Skeleton: to be written.

TVGAPage::TVGAPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 0, QStringLiteral("tshVGA"))
{
}

bool TVGAPage::ReadColor(TRGBColor &) const
{
    return false;
}

bool TVGAPage::ShowColor(const TRGBColor &)
{
    return true;
}

TInternetPage::TInternetPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 1, QStringLiteral("tshInternet"))
{
}

bool TInternetPage::ReadColor(TRGBColor &) const
{
    return false;
}

bool TInternetPage::ShowColor(const TRGBColor &)
{
    return true;
}

TWindowsPage::TWindowsPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 7, QStringLiteral("tshWindows"))
{
}

bool TWindowsPage::ReadColor(TRGBColor &) const
{
    return false;
}

bool TWindowsPage::ShowColor(const TRGBColor &)
{
    return true;
}

void TWindowsPage::LoadSystemColorRows() {}
