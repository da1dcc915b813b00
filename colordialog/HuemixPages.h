#pragma once

#include "colordialog/Colors.h"

#include <QWidget>

class TfrmHuemixDialog;

// One tab sheet of the colour dialog window (tshVGA ... tshInfo). Its "Tag" property
// holds its page number. The window's ReadPageColor and ShowColorOnPage dispatch to
// the active sheet.
class THuemixPage : public QWidget
{
    Q_OBJECT
public:
    THuemixPage(TfrmHuemixDialog &window, int tag, const QString &objectName);

    int Tag() const { return FTag; }

    // The colour the page shows now; false when the page has no pick.
    virtual bool ReadColor(TRGBColor &color) const = 0;
    // Makes the page show target. Returns false when ShowColorOnPage must end without
    // its commit (the Internet page, when the matching cell was already selected).
    virtual bool ShowColor(const TRGBColor &target) = 0;

protected:
    TfrmHuemixDialog &FWindow;

private:
    int FTag;
};
