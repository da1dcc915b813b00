#pragma once

#include "colordialog/HuemixPages.h"
// HSB, RGB, CMY, CMYK and Gray pages.

class THSBPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit THSBPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

};

class TRGBPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TRGBPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

};

class TCMYPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TCMYPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

};

class TCMYKPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TCMYKPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

};

class TGrayPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TGrayPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

};

