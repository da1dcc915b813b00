#include "colordialog/HuemixInfoPage.h"
#include "colordialog/HuemixWindow.h"

TInfoPage::TInfoPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 8, QStringLiteral("tshInfo"))
{
}

bool TInfoPage::ReadColor(TRGBColor &) const
{
    return false;
}

bool TInfoPage::ShowColor(const TRGBColor &)
{
    return true;
}

void TInfoPage::UpdateInfoPage() {}
void TInfoPage::UpdateInfoOptions() {}
