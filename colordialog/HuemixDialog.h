#pragma once

#include "colordialog/Colors.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>

class TfrmHuemixDialog;

enum TDialogPage : std::uint8_t {
    pageVGA = 0,
    pageInternet = 1,
    pageHSB = 2,
    pageRGB = 3,
    pageCMY = 4,
    pageCMYK = 5,
    pageGray = 6,
    pageWindows = 7,
    pageInfo = 8
};

// A set of pages: bit n for the page numbered n.
using TDialogPages = std::uint16_t;
constexpr TDialogPages PageSet(TDialogPage page) { return TDialogPages(1u << page); }

class EHuemixDialogException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

using TNotifyEvent = std::function<void(QObject *sender)>;

// The colour dialog as a component: keeps the settings and colours between calls and
// creates its window only for the duration of one Execute.
class THuemixDialog : public QObject
{
    Q_OBJECT
public:
    explicit THuemixDialog(QObject *owner);
    ~THuemixDialog() override;

    bool AutoApply() const { return FAutoApply; }
    void SetAutoApply(bool value);
    bool StayOnTop() const { return FStayOnTop; }
    void SetStayOnTop(bool value);
    TDialogPages VisiblePages() const { return FVisiblePages; }
    void SetVisiblePages(TDialogPages value);
    TDialogPage ActivePage() const { return FActivePage; }
    void SetActivePage(TDialogPage value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TColor ReferenceColor() const { return FReferenceColor; }
    void SetReferenceColor(TColor value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    bool HelpButton() const { return FHelpButton; }
    void SetHelpButton(bool value);
    bool AutoHelpContext() const { return FAutoHelpContext; }
    void SetAutoHelpContext(bool value);
    std::int32_t HelpContext() const { return FHelpContext; }
    void SetHelpContext(std::int32_t value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &value);

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    TNotifyEvent OnApply;

    // Index 1..32; ERangeError outside.
    TColor CollectionColors(int index) const;
    void SetCollectionColors(int index, TColor color);

    QString WebColor() const;

    // Shows the dialog modally; true when closed with OK.
    bool Execute();
    virtual void DoApply(bool Force);

    // The window while Execute runs, else nullptr (tests reach the window through it).
    TfrmHuemixDialog *Window() const { return FWindow; }

private:
    friend class TfrmHuemixDialog; // CommitColor writes FColor and FReferenceColor directly

    void LoadWindow();
    void ReadBackWindow();
    // Stores a changed setting and, while the window exists, hands it on at once.
    template <typename T, typename Push>
    void Assign(T &field, const T &value, Push push)
    {
        if (value == field)
            return;
        field = value;
        if (FWindow)
            push(*FWindow);
    }

    bool FAutoApply = false;
    bool FStayOnTop = false;
    TDialogPages FVisiblePages = 0;
    TDialogPage FActivePage = pageVGA;
    TColor FColor = 0;
    TColor FReferenceColor = 0;
    bool FCtl3D = false;
    bool FHelpButton = false;
    bool FAutoHelpContext = false;
    std::int32_t FHelpContext = 0;
    QString FCaption;
    std::array<TColor, 32> FCollection{};
    TfrmHuemixDialog *FWindow = nullptr;
    TColor FSavedColor = 0;
    TColor FSavedReferenceColor = 0;
    std::array<TColor, 32> FSavedCollection{};
};
