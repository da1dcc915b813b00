#pragma once

#include "colordialog/HuemixPages.h"
// VGA, Internet and Windows pages.

class TVGAPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TVGAPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

};

class TInternetPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TInternetPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

};

class TWindowsPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TWindowsPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;
    void LoadSystemColorRows();
};

