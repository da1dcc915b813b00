#pragma once

#include "colordialog/Colors.h"

#include <QDialog>
#include <QPoint>

class QPushButton;
class QTabWidget;
class QFrame;
class THuemixDialog;
class THuemixPage;
class TVGAPage;
class TInternetPage;
class THSBPage;
class TRGBPage;
class TCMYPage;
class TCMYKPage;
class TGrayPage;
class TWindowsPage;
class TInfoPage;

// The modal window of the colour dialog: nine pages over one current colour, the
// current and reference swatches, a collection of 32 colours, OK, Cancel and Help.
class TfrmHuemixDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmHuemixDialog(THuemixDialog *dialog);
    ~TfrmHuemixDialog() override;

    // Offered to the component.
    TColor GetCurrentColor();
    void SetCurrentColor(TColor color);
    TColor GetReferenceColor() const;
    void SetReferenceColor(TColor color);
    TColor GetCollectionColor(int n) const;          // n = 1..32
    void SetCollectionColor(int n, TColor color);
    void UpdateInfoPage();
    void UpdateInfoOptions();
    void SetHelpContext(int context) { FHelpContext = context; }
    int HelpContext() const { return FHelpContext; }
    bool FAutoHelpContext = false;

    // The page protocol, shared with the pages.
    TRGBColor ReadPageColor();
    void ShowColorOnPage(const TRGBColor &target);
    void CommitColor();
    int ActivePageTag() const;
    TColor ColorPanelColor() const; // the colour pnlColor shows

    TRGBColor FCurrentRGB{};
    QPoint FWebCell{0, 0};

    // Frame controls, named as their objectName.
    QTabWidget *pgcSystems = nullptr;
    QPushButton *btnHelp = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;

    TVGAPage *tshVGA = nullptr;
    TInternetPage *tshInternet = nullptr;
    THSBPage *tshHSB = nullptr;
    TRGBPage *tshRGB = nullptr;
    TCMYPage *tshCMY = nullptr;
    TCMYKPage *tshCMYK = nullptr;
    TGrayPage *tshGray = nullptr;
    TWindowsPage *tshWindows = nullptr;
    TInfoPage *tshInfo = nullptr;

    THuemixPage *Page(int tag) const;

private:
    THuemixDialog *FOwnerDialog = nullptr;
    int FHelpContext = 0;
    // The rest is the window's own (panels, collection, handlers).
};
