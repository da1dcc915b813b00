#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixWindow.h"

#include <QPushButton>

#include <memory>

THuemixDialog::THuemixDialog(QObject *owner)
    : QObject(owner)
    , FVisiblePages(PageSet(pageVGA) | PageSet(pageHSB) | PageSet(pageRGB) | PageSet(pageCMY)
                    | PageSet(pageCMYK))
    , FReferenceColor(0x00FFFFFF)
    , FCtl3D(true)
    , FCaption(QStringLiteral("Color"))
{
    FCollection.fill(0x00C0C0C0);
}

THuemixDialog::~THuemixDialog() = default;

void THuemixDialog::SetAutoApply(bool value)
{
    Assign(FAutoApply, value, [value](TfrmHuemixDialog &w) {
        w.btnOk->setText(value ? QStringLiteral("O&K") : QStringLiteral("&Apply"));
        w.btnCancel->setText(value ? QStringLiteral("&Cancel") : QStringLiteral("&Close"));
    });
}

void THuemixDialog::SetStayOnTop(bool value)
{
    Assign(FStayOnTop, value, [value](TfrmHuemixDialog &w) { w.SetStayOnTop(value); });
}

void THuemixDialog::SetVisiblePages(TDialogPages value)
{
    Assign(FVisiblePages, value, [value](TfrmHuemixDialog &w) { w.SetTabVisibility(value); });
}

void THuemixDialog::SetActivePage(TDialogPage value)
{
    Assign(FActivePage, value, [value](TfrmHuemixDialog &w) { w.ActivatePage(value); });
}

void THuemixDialog::SetColor(TColor value)
{
    FColor = value;
    if (FWindow)
        FWindow->SetCurrentColor(value);
    DoApply(false);
}

void THuemixDialog::SetReferenceColor(TColor value)
{
    FReferenceColor = value;
    if (FWindow)
        FWindow->SetReferenceColor(value);
}

void THuemixDialog::SetCtl3D(bool value)
{
    Assign(FCtl3D, value, [value](TfrmHuemixDialog &w) { w.SetCtl3D(value); });
}

void THuemixDialog::SetHelpButton(bool value)
{
    Assign(FHelpButton, value, [value](TfrmHuemixDialog &w) { w.btnHelp->setVisible(value); });
}

void THuemixDialog::SetAutoHelpContext(bool value)
{
    Assign(FAutoHelpContext, value, [value](TfrmHuemixDialog &w) { w.FAutoHelpContext = value; });
}

void THuemixDialog::SetHelpContext(std::int32_t value)
{
    Assign(FHelpContext, value, [value](TfrmHuemixDialog &w) { w.SetHelpContext(value); });
}

void THuemixDialog::SetCaption(const QString &value)
{
    Assign(FCaption, value, [&value](TfrmHuemixDialog &w) { w.setWindowTitle(value); });
}

static void CheckCollectionIndex(int index)
{
    if (index < 1 || index > 32)
        throw ERangeError();
}

TColor THuemixDialog::CollectionColors(int index) const
{
    CheckCollectionIndex(index);
    return FCollection[std::size_t(index - 1)];
}

void THuemixDialog::SetCollectionColors(int index, TColor color)
{
    CheckCollectionIndex(index);
    FCollection[std::size_t(index - 1)] = color;
}

QString THuemixDialog::WebColor() const
{
    return QString::fromStdString(ColorToWeb(FColor));
}

bool THuemixDialog::Execute()
{
    if (FWindow)
        throw EHuemixDialogException("THuemixDialog is already visible.");

    std::unique_ptr<TfrmHuemixDialog> window(new TfrmHuemixDialog(this));
    FWindow = window.get();
    // Whatever leaves this function, normally or by an exception, takes the window with it.
    struct Release
    {
        THuemixDialog *dialog;
        std::unique_ptr<TfrmHuemixDialog> &window;
        ~Release()
        {
            window.reset();
            dialog->FWindow = nullptr;
        }
    } release{this, window};

    FWindow->btnOk->setText(QStringLiteral("OK"));
    FWindow->btnCancel->setText(QStringLiteral("Cancel"));
    LoadWindow();
    if (OnShow)
        OnShow(this);
    const bool ok = FWindow->exec() == QDialog::Accepted;
    if (OnClose)
        OnClose(this);
    if (ok) {
        ReadBackWindow();
    } else {
        FCollection = FSavedCollection;
        FColor = FSavedColor;
        FReferenceColor = FSavedReferenceColor;
    }
    DoApply(true);
    return ok;
}

void THuemixDialog::DoApply(bool Force)
{
    if (OnApply && (Force || FAutoApply))
        OnApply(this);
}

void THuemixDialog::LoadWindow()
{
    TfrmHuemixDialog &w = *FWindow;
    w.SetStayOnTop(FStayOnTop);
    w.SetHelpContext(FHelpContext);
    w.FAutoHelpContext = FAutoHelpContext;
    w.SetCtl3D(FCtl3D);
    w.btnHelp->setVisible(FHelpButton);

    for (int n = 1; n <= 32; ++n)
        w.SetCollectionColor(n, FCollection[std::size_t(n - 1)]);
    FSavedCollection = FCollection;

    w.SetTabVisibility(FVisiblePages);
    w.ActivatePage(FActivePage);

    w.pnlReferenceColor->SetColor(FReferenceColor);
    w.pnlColor->SetColor(FColor);
    w.SetCurrentColor(FColor);
    FSavedColor = FColor;
    FSavedReferenceColor = FReferenceColor;

    w.SetReferenceColor(FReferenceColor);
    w.UpdateInfoPage();
    w.setWindowTitle(FCaption);
}

void THuemixDialog::ReadBackWindow()
{
    TfrmHuemixDialog &w = *FWindow;
    const int tag = w.ActivePageTag();
    if (tag >= 0) // no tab visible: nothing to remember
        SetActivePage(TDialogPage(tag));
    for (int n = 1; n <= 32; ++n)
        FCollection[std::size_t(n - 1)] = w.GetCollectionColor(n);
    FColor = w.GetCurrentColor();
    FReferenceColor = w.GetReferenceColor();
}
