#pragma once

#include "colordialog/Colors.h"
#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixSwatch.h"

#include <QDialog>
#include <QFrame>
#include <QPoint>

#include <array>

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
class TfrmHuemixDialog;

// A colour swatch of the window's frame: the current colour, the reference colour or
// a collection slot. Drags and drops are handed to the window's handlers.
class THuemixColorPanel : public THuemixSwatch
{
    Q_OBJECT
public:
    enum Role { CurrentColor, DropTarget };
    THuemixColorPanel(TfrmHuemixDialog &window, Role role, const QString &objectName, TColor color,
                      QWidget *parent);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    TfrmHuemixDialog &FWindow;
    Role FRole;
};

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
    // Tab visibility and activation by the component: these never count as the user's
    // change of page.
    void SetTabVisibility(TDialogPages pages);
    void ActivatePage(int tag);
    void SetStayOnTop(bool value);
    void SetCtl3D(bool value);
    bool Ctl3D() const { return FCtl3D; }

    // The page protocol, shared with the pages.
    TRGBColor ReadPageColor();
    void ShowColorOnPage(const TRGBColor &target);
    void CommitColor();
    int ActivePageTag() const;  // -1 while no tab is visible
    TColor ColorPanelColor() const; // the colour pnlColor shows

    TRGBColor FCurrentRGB{};
    QPoint FWebCell{0, 0};

    // Handlers of the frame.
    void pgcSystemsChange();
    void pnlCollectionClick(THuemixColorPanel *panel);
    bool pnlDragOver(QObject *target, QObject *source) const;
    void pnlDragDrop(THuemixColorPanel *target, THuemixColorPanel *source);
    void btnHelpClick();

    // Frame controls, named as their objectName.
    QTabWidget *pgcSystems = nullptr;
    QPushButton *btnHelp = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
    QFrame *pnlColors = nullptr;
    QFrame *pnlCollection = nullptr;
    THuemixColorPanel *pnlReferenceColor = nullptr;
    THuemixColorPanel *pnlColor = nullptr;

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

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FormCreate();
    void SystemColorsChanged();
    void LayOutFrames();
    THuemixColorPanel *CollectionPanel(int n) const;

    THuemixDialog *FOwnerDialog = nullptr;
    int FHelpContext = 0;
    bool FCtl3D = true;
    int FProgrammaticPageChange = 0; // > 0 while code, not the user, moves the tabs
    bool FCreated = false;
    std::array<THuemixColorPanel *, 32> FCollectionPanels{};
    std::array<THuemixPage *, 9> FPages{};
};
