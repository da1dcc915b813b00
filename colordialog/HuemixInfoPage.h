#pragma once

#include "colordialog/HuemixPages.h"

class TInfoPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TInfoPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;
    void UpdateInfoPage();
    void UpdateInfoOptions();
};

