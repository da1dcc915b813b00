#pragma once

// A colour dialog window on screen (offscreen platform) over a recording fake of the
// desktop: system colours from a table the test can change, beeps counted.

#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixPlatform.h"
#include "colordialog/HuemixWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>

#include <map>
#include <memory>

struct PageFixture
{
    std::unique_ptr<THuemixDialog> dialog;
    std::unique_ptr<TfrmHuemixDialog> window;
    std::map<int, TColor> sysColors;
    int beeps = 0;
    int applies = 0;

    // Every index has a distinct value unless a test sets its own.
    static TColor DefaultSysColor(int index) { return TColor(0x00102030 + index * 0x00030507); }

    void Open()
    {
        huemix::resetPlatform();
        sysColors.clear();
        beeps = 0;
        applies = 0;
        huemix::platform().sysColor = [this](int index) {
            auto found = sysColors.find(index);
            return found != sysColors.end() ? found->second : DefaultSysColor(index);
        };
        huemix::platform().beep = [this] { ++beeps; };
        dialog = std::make_unique<THuemixDialog>(nullptr);
        dialog->SetAutoApply(true);
        dialog->OnApply = [this](QObject *) { ++applies; };
        window = std::make_unique<TfrmHuemixDialog>(dialog.get());
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void Close()
    {
        window.reset();
        dialog.reset();
        huemix::resetPlatform();
    }

    // As the user's choice of a tab: the new page shows the current colour.
    void SwitchTo(QWidget *page) { window->pgcSystems->setCurrentWidget(page); }

    // Makes color current exactly (the VGA page keeps any colour not within 1 of a
    // swatch), then switches to the page as the user would.
    void ShowOn(QWidget *page, TColor color)
    {
        window->ActivatePage(pageVGA);
        window->SetCurrentColor(color);
        if (page != window->pgcSystems->currentWidget())
            SwitchTo(page);
    }
};

// A press at an exact point (QTest takes the point (0, 0) for the widget's centre).
inline void PressAt(QWidget *widget, QPoint at)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), widget->mapToGlobal(QPointF(at)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), widget->mapToGlobal(QPointF(at)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

inline TColor Rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
