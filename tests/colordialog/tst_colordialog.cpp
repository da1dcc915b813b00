// The colour dialog component and its window, driven through the real widgets under the
// offscreen platform: Execute with OK and Cancel, pages, collection and reference,
// help, the Info page's lines and copy buttons.
#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixInfoPage.h"
#include "colordialog/HuemixPalettePages.h"
#include "colordialog/HuemixSliderPages.h"
#include "colordialog/HuemixPlatform.h"
#include "colordialog/HuemixWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <vector>

namespace {

constexpr TDialogPages kInfoOnly = TDialogPages(1u << pageInfo);
constexpr TDialogPages kAllPages = 0x1FF;

// Runs Execute and, once the modal window is up, `during` on it. `during` is expected
// to close the window; if it does not (a failed check), the window is cancelled so that
// the test cannot hang.
bool runDialog(THuemixDialog &dialog, const std::function<void(TfrmHuemixDialog &)> &during)
{
    QTimer::singleShot(0, [&dialog, during] {
        TfrmHuemixDialog *window = dialog.Window();
        if (!window) {
            QTest::qFail("no window while Execute runs", __FILE__, __LINE__);
            return;
        }
        during(*window);
        if (dialog.Window() && dialog.Window()->isVisible())
            dialog.Window()->reject();
    });
    return dialog.Execute();
}

void clickTab(TfrmHuemixDialog &window, THuemixPage *page)
{
    QTabBar *bar = window.pgcSystems->tabBar();
    const int index = window.pgcSystems->indexOf(page);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

THuemixColorPanel *slot(TfrmHuemixDialog &window, int n)
{
    return window.findChild<THuemixColorPanel *>(QStringLiteral("pnl%1").arg(n));
}

} // namespace

class TestColorDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void freshComponent();
    void collectionIndexOutsideRange_data();
    void collectionIndexOutsideRange();
    void colorSetterAppliesOnlyWithAutoApply_data();
    void colorSetterAppliesOnlyWithAutoApply();
    void closingTheDialog_data();
    void closingTheDialog();
    void systemColourComesBackPlain();
    void activePageAfterOk();
    void hiddenActivePage_data();
    void hiddenActivePage();
    void nestedExecuteRefused();
    void autoApplyCaptionsFromOnShow_data();
    void autoApplyCaptionsFromOnShow();
    void windowDestroyedOnEveryWayOut();
    void stayOnTopWhileShowing();
    void collectionDropAndCancel_data();
    void collectionDropAndCancel();
    void referenceDropReachesComponent();
    void onlyTheCurrentColourIsDragged();
    void collectionClickOnPageWithoutPick();
    void helpContext_data();
    void helpContext();
    void creationCommitKeepsComponentColor();
    void systemColoursFromThePalette_data();
    void systemColoursFromThePalette();
    void toolkitColours_data();
    void toolkitColours();
    void onlyTheUsersTabChangeShowsTheColour();
    void keysNeverReachAHiddenPage_data();
    void keysNeverReachAHiddenPage();
    void gridKeysPickAndAccept_data();
    void gridKeysPickAndAccept();

    void infoLines_data();
    void infoLines();
    void infoNamesNeedSeparators();
    void infoCopyButtons_data();
    void infoCopyButtons();
    void infoCopyGlyph();

    void pictures();
};

void TestColorDialog::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TestColorDialog::cleanup()
{
    huemix::resetPlatform();
}

void TestColorDialog::freshComponent()
{
    QObject owner;
    THuemixDialog dialog(&owner);
    QCOMPARE(dialog.parent(), &owner);
    QCOMPARE(dialog.WebColor(), QStringLiteral("#000000"));
    QCOMPARE(dialog.Color(), TColor(0));
    QCOMPARE(dialog.ReferenceColor(), TColor(0x00FFFFFF));
    QCOMPARE(dialog.VisiblePages(), TDialogPages(61));
    QCOMPARE(dialog.ActivePage(), pageVGA);
    QVERIFY(dialog.Ctl3D());
    QVERIFY(!dialog.AutoApply() && !dialog.StayOnTop() && !dialog.HelpButton() && !dialog.AutoHelpContext());
    QCOMPARE(dialog.HelpContext(), 0);
    QCOMPARE(dialog.Caption(), QStringLiteral("Color"));
    for (int n = 1; n <= 32; ++n)
        QCOMPARE(dialog.CollectionColors(n), TColor(0x00C0C0C0));
    QVERIFY(dialog.Window() == nullptr);
    dialog.SetColor(0x000000FF);
    QCOMPARE(dialog.WebColor(), QStringLiteral("#FF0000"));
}

void TestColorDialog::collectionIndexOutsideRange_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("0") << 0;
    QTest::newRow("33") << 33;
    QTest::newRow("-1") << -1;
}

void TestColorDialog::collectionIndexOutsideRange()
{
    QFETCH(int, index);
    THuemixDialog dialog(nullptr);
    try {
        dialog.CollectionColors(index);
        QFAIL("no range error");
    } catch (const ERangeError &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Erreur de vérification d'étendue"));
    }
    QVERIFY_THROWS_EXCEPTION(ERangeError, dialog.SetCollectionColors(index, 0));
}

void TestColorDialog::colorSetterAppliesOnlyWithAutoApply_data()
{
    QTest::addColumn<bool>("autoApply");
    QTest::addColumn<int>("applies");
    QTest::newRow("AutoApply off") << false << 0;
    QTest::newRow("AutoApply on") << true << 2;
}

void TestColorDialog::colorSetterAppliesOnlyWithAutoApply()
{
    QFETCH(bool, autoApply);
    QFETCH(int, applies);
    THuemixDialog dialog(nullptr);
    int count = 0;
    dialog.OnApply = [&](QObject *sender) {
        QCOMPARE(sender, &dialog);
        ++count;
    };
    dialog.SetAutoApply(autoApply);
    dialog.SetColor(0x00112233);
    dialog.SetColor(0x00112233); // no equality test: applies again
    QCOMPARE(count, applies);
    dialog.DoApply(true);
    QCOMPARE(count, applies + 1);
}

void TestColorDialog::closingTheDialog_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("result");
    QTest::newRow("OK button") << "ok" << true;
    QTest::newRow("Enter (default button)") << "enter" << true;
    QTest::newRow("Cancel button") << "cancel" << false;
    QTest::newRow("Escape") << "escape" << false;
    QTest::newRow("window closed") << "close" << false;
}

void TestColorDialog::closingTheDialog()
{
    QFETCH(QString, how);
    QFETCH(bool, result);
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(kInfoOnly);
    dialog.SetColor(0x00336699);
    dialog.SetReferenceColor(0x00010203);
    dialog.SetCollectionColors(3, 0x00445566);
    int applies = 0, shows = 0, closes = 0;
    TColor colorAtApply = -1;
    dialog.OnShow = [&](QObject *) { ++shows; };
    dialog.OnClose = [&](QObject *) { ++closes; };
    dialog.OnApply = [&](QObject *) {
        ++applies;
        colorAtApply = dialog.Color();
    };

    const bool ok = runDialog(dialog, [&](TfrmHuemixDialog &w) {
        QCOMPARE(shows, 1);
        QCOMPARE(w.windowTitle(), QStringLiteral("Color"));
        QCOMPARE(w.btnOk->text(), QStringLiteral("OK"));
        QCOMPARE(w.btnCancel->text(), QStringLiteral("Cancel"));
        QCOMPARE(w.GetCollectionColor(3), TColor(0x00445566));
        QCOMPARE(w.ColorPanelColor(), TColor(0x00336699));
        QCOMPARE(w.GetReferenceColor(), TColor(0x00010203));
        // The user picks another colour and changes two slots before closing.
        slot(w, 9)->SetColor(0x00ABCDEF);
        QTest::mouseClick(slot(w, 9), Qt::LeftButton);
        w.pnlDragDrop(slot(w, 3), w.pnlColor);
        QCOMPARE(applies, 0); // AutoApply is off
        if (how == "ok")
            QTest::mouseClick(w.btnOk, Qt::LeftButton);
        else if (how == "enter")
            QTest::keyClick(&w, Qt::Key_Return);
        else if (how == "cancel")
            QTest::mouseClick(w.btnCancel, Qt::LeftButton);
        else if (how == "escape")
            QTest::keyClick(&w, Qt::Key_Escape);
        else
            w.close();
    });

    QCOMPARE(ok, result);
    QCOMPARE(closes, 1);
    QCOMPARE(applies, 1);
    QCOMPARE(colorAtApply, dialog.Color()); // final before OnApply
    if (result) {
        QCOMPARE(dialog.Color(), TColor(0x00ABCDEF));
        QCOMPARE(dialog.CollectionColors(3), TColor(0x00ABCDEF));
    } else {
        QCOMPARE(dialog.Color(), TColor(0x00336699));
        QCOMPARE(dialog.CollectionColors(3), TColor(0x00445566));
    }
    QCOMPARE(dialog.ReferenceColor(), TColor(0x00010203));
    QCOMPARE(dialog.ActivePage(), result ? pageInfo : pageVGA);
    QVERIFY(dialog.Window() == nullptr);
}

void TestColorDialog::systemColourComesBackPlain()
{
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(kInfoOnly);
    dialog.SetColor(TColor(0x8000000F));
    QVERIFY(!runDialog(dialog, [](TfrmHuemixDialog &w) { w.reject(); }));
    QCOMPARE(dialog.Color(), TColor(0x0000000F));
    QCOMPARE(dialog.WebColor(), QStringLiteral("#0F0000"));
}

void TestColorDialog::activePageAfterOk()
{
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(PageSet(pageRGB) | PageSet(pageCMY) | PageSet(pageInfo));
    dialog.SetActivePage(pageInfo);

    // Moving to another page and cancelling leaves ActivePage alone.
    QVERIFY(!runDialog(dialog, [](TfrmHuemixDialog &w) {
        QCOMPARE(w.ActivePageTag(), int(pageInfo));
        clickTab(w, w.tshCMY);
        QCOMPARE(w.ActivePageTag(), int(pageCMY));
        QTest::mouseClick(w.btnCancel, Qt::LeftButton);
    }));
    QCOMPARE(dialog.ActivePage(), pageInfo);

    QVERIFY(runDialog(dialog, [](TfrmHuemixDialog &w) {
        clickTab(w, w.tshRGB);
        QCOMPARE(w.ActivePageTag(), int(pageRGB));
        QTest::mouseClick(w.btnOk, Qt::LeftButton);
    }));
    QCOMPARE(dialog.ActivePage(), pageRGB);

    int opened = -1;
    runDialog(dialog, [&](TfrmHuemixDialog &w) { opened = w.ActivePageTag(); });
    QCOMPARE(opened, int(pageRGB));
}

void TestColorDialog::hiddenActivePage_data()
{
    QTest::addColumn<int>("visible");
    QTest::addColumn<int>("active");
    QTest::addColumn<int>("opensOn");
    QTest::newRow("only Internet, active VGA") << int(PageSet(pageInternet)) << int(pageVGA) << int(pageInternet);
    QTest::newRow("only Info, active CMYK") << int(kInfoOnly) << int(pageCMYK) << int(pageInfo);
    QTest::newRow("visible active page") << int(PageSet(pageGray) | kInfoOnly) << int(pageGray) << int(pageGray);
    QTest::newRow("no tab visible") << 0 << int(pageCMY) << -1;
}

void TestColorDialog::hiddenActivePage()
{
    QFETCH(int, visible);
    QFETCH(int, active);
    QFETCH(int, opensOn);
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(TDialogPages(visible));
    dialog.SetActivePage(TDialogPage(active));
    int opened = -1;
    int visibleTabs = 0;
    runDialog(dialog, [&](TfrmHuemixDialog &w) {
        opened = w.ActivePageTag();
        for (int i = 0; i < w.pgcSystems->count(); ++i)
            visibleTabs += w.pgcSystems->isTabVisible(i) ? 1 : 0;
        QTest::mouseClick(w.btnOk, Qt::LeftButton);
    });
    QCOMPARE(opened, opensOn);
    QCOMPARE(visibleTabs, qPopulationCount(quint32(visible)));
    // OK remembers the page shown; with no page shown the setting stays.
    QCOMPARE(int(dialog.ActivePage()), opensOn >= 0 ? opensOn : active);
}

void TestColorDialog::nestedExecuteRefused()
{
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(kInfoOnly);
    dialog.SetAutoApply(true);
    QStringList refusals;
    bool inside = false;
    dialog.OnApply = [&](QObject *) {
        if (!inside)
            return;
        try {
            dialog.Execute();
        } catch (const EHuemixDialogException &e) {
            refusals << QString::fromUtf8(e.what());
        }
    };
    runDialog(dialog, [&](TfrmHuemixDialog &w) {
        inside = true;
        slot(w, 4)->SetColor(0x00FF0000);
        QTest::mouseClick(slot(w, 4), Qt::LeftButton); // commits a new colour: OnApply
        inside = false;
        QVERIFY(dialog.Window() == &w); // the refusal changed nothing
        QTest::mouseClick(w.btnOk, Qt::LeftButton);
    });
    QCOMPARE(refusals, QStringList{QStringLiteral("THuemixDialog is already visible.")});
    QCOMPARE(dialog.Color(), TColor(0x00FF0000));
}

void TestColorDialog::autoApplyCaptionsFromOnShow_data()
{
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("off to on") << false << true << "O&K" << "&Cancel";
    QTest::newRow("on to off") << true << false << "&Apply" << "&Close";
    QTest::newRow("off stays off") << false << false << "OK" << "Cancel";
    QTest::newRow("on stays on") << true << true << "OK" << "Cancel";
}

void TestColorDialog::autoApplyCaptionsFromOnShow()
{
    QFETCH(bool, before);
    QFETCH(bool, after);
    QFETCH(QString, ok);
    QFETCH(QString, cancel);
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(kInfoOnly);
    dialog.SetAutoApply(before);
    dialog.OnShow = [&](QObject *) { dialog.SetAutoApply(after); };
    QString okText, cancelText;
    const bool result = runDialog(dialog, [&](TfrmHuemixDialog &w) {
        okText = w.btnOk->text();
        cancelText = w.btnCancel->text();
        QTest::mouseClick(w.btnOk, Qt::LeftButton); // modal results unchanged
    });
    QCOMPARE(okText, ok);
    QCOMPARE(cancelText, cancel);
    QVERIFY(result);
}

void TestColorDialog::windowDestroyedOnEveryWayOut()
{
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(kInfoOnly);
    QPointer<TfrmHuemixDialog> seen;
    runDialog(dialog, [&](TfrmHuemixDialog &w) { seen = &w; });
    QVERIFY(seen.isNull());
    QVERIFY(dialog.Window() == nullptr);

    dialog.OnShow = [&](QObject *) {
        seen = dialog.Window();
        throw std::runtime_error("handler failed");
    };
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, dialog.Execute());
    QVERIFY(seen.isNull());
    QVERIFY(dialog.Window() == nullptr);

    // And the component is usable again: no "already visible".
    dialog.OnShow = nullptr;
    dialog.OnClose = [](QObject *) { throw std::runtime_error("close handler failed"); };
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             runDialog(dialog, [&](TfrmHuemixDialog &w) { seen = &w; }));
    QVERIFY(seen.isNull());
    QVERIFY(dialog.Window() == nullptr);
}

void TestColorDialog::stayOnTopWhileShowing()
{
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(kInfoOnly);
    dialog.SetStayOnTop(true);
    bool flagAtOpen = false, stillOpen = false, flagCleared = false;
    const bool result = runDialog(dialog, [&](TfrmHuemixDialog &w) {
        flagAtOpen = w.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        dialog.SetStayOnTop(false); // must not end the modal loop
        QTest::qWait(10);
        stillOpen = w.isVisible();
        flagCleared = !w.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        QTest::mouseClick(w.btnOk, Qt::LeftButton);
    });
    QVERIFY(flagAtOpen);
    QVERIFY(stillOpen);
    QVERIFY(flagCleared);
    QVERIFY(result);
}

void TestColorDialog::collectionDropAndCancel_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("Cancel keeps the old collection") << false;
    QTest::newRow("OK takes the new collection") << true;
}

void TestColorDialog::collectionDropAndCancel()
{
    QFETCH(bool, confirm);
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(kInfoOnly);
    dialog.SetColor(0x00123456);
    dialog.SetAutoApply(true);
    int applies = 0;
    dialog.OnApply = [&](QObject *) { ++applies; };
    TColor duringDrop = 0;
    runDialog(dialog, [&](TfrmHuemixDialog &w) {
        w.pnlDragDrop(slot(w, 5), w.pnlColor);
        QCOMPARE(w.GetCollectionColor(5), TColor(0x00123456));
        duringDrop = dialog.CollectionColors(5);
        QCOMPARE(applies, 0); // nothing reached the component
        QTest::mouseClick(confirm ? w.btnOk : w.btnCancel, Qt::LeftButton);
    });
    QCOMPARE(duringDrop, TColor(0x00C0C0C0));
    QCOMPARE(dialog.CollectionColors(5), confirm ? TColor(0x00123456) : TColor(0x00C0C0C0));
    QCOMPARE(dialog.CollectionColors(6), TColor(0x00C0C0C0));
    QCOMPARE(applies, 1);
}

void TestColorDialog::referenceDropReachesComponent()
{
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(kInfoOnly);
    dialog.SetColor(0x00224466);
    dialog.SetAutoApply(true);
    int applies = 0;
    TColor referenceAtApply = 0;
    dialog.OnApply = [&](QObject *) {
        ++applies;
        referenceAtApply = dialog.ReferenceColor();
    };
    runDialog(dialog, [&](TfrmHuemixDialog &w) {
        QVERIFY(w.pnlDragOver(w.pnlReferenceColor, w.pnlColor));
        w.pnlDragDrop(w.pnlReferenceColor, w.pnlColor);
        QCOMPARE(w.GetReferenceColor(), TColor(0x00224466));
        QCOMPARE(dialog.ReferenceColor(), TColor(0x00224466));
        QCOMPARE(applies, 1);
        QCOMPARE(referenceAtApply, TColor(0x00224466));
        QTest::mouseClick(w.btnCancel, Qt::LeftButton);
    });
    // Cancel puts back the reference colour the window was loaded with.
    QCOMPARE(dialog.ReferenceColor(), TColor(0x00FFFFFF));
}

void TestColorDialog::onlyTheCurrentColourIsDragged()
{
    THuemixDialog dialog(nullptr);
    TfrmHuemixDialog w(&dialog);
    QVERIFY(w.pnlDragOver(slot(w, 1), w.pnlColor));
    QVERIFY(w.pnlDragOver(slot(w, 32), w.pnlColor));
    QVERIFY(!w.pnlDragOver(slot(w, 1), slot(w, 2)));
    QVERIFY(!w.pnlDragOver(slot(w, 1), w.pnlReferenceColor));
    QVERIFY(!w.pnlDragOver(w.pnlReferenceColor, w.btnOk));
    QVERIFY(!w.pnlDragOver(slot(w, 1), nullptr));
    QVERIFY(slot(w, 1)->acceptDrops() && w.pnlReferenceColor->acceptDrops());
    QVERIFY(!w.pnlColor->acceptDrops());
}

void TestColorDialog::collectionClickOnPageWithoutPick()
{
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(kInfoOnly);
    dialog.SetAutoApply(true);
    dialog.SetCollectionColors(12, 0x00336699);
    int applies = 0;
    dialog.OnApply = [&](QObject *) { ++applies; };
    runDialog(dialog, [&](TfrmHuemixDialog &w) {
        QTest::mouseClick(slot(w, 12), Qt::LeftButton);
        QCOMPARE(w.ColorPanelColor(), TColor(0x00336699));
        QVERIFY(SameRGB(w.FCurrentRGB, SplitColor(0x00336699)));
        QCOMPARE(dialog.Color(), TColor(0x00336699));
        QCOMPARE(applies, 1);
        QCOMPARE(w.tshInfo->lblRGBValue->text(), QStringLiteral("Red=153, Green=102, Blue=51"));

        // The reference swatch is picked the same way.
        QTest::mouseClick(w.pnlReferenceColor, Qt::LeftButton);
        QCOMPARE(w.ColorPanelColor(), TColor(0x00FFFFFF));
        QCOMPARE(dialog.Color(), TColor(0x00FFFFFF));
        QCOMPARE(applies, 2);
        QTest::mouseClick(w.btnOk, Qt::LeftButton);
    });
    QCOMPARE(dialog.Color(), TColor(0x00FFFFFF));
}

void TestColorDialog::helpContext_data()
{
    QTest::addColumn<bool>("autoContext");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("expected");
    QTest::newRow("auto, VGA") << true << int(pageVGA) << 101;
    QTest::newRow("auto, RGB") << true << int(pageRGB) << 104;
    QTest::newRow("auto, Info") << true << int(pageInfo) << 109;
    QTest::newRow("plain, RGB") << false << int(pageRGB) << 100;
    QTest::newRow("plain, Info") << false << int(pageInfo) << 100;
}

void TestColorDialog::helpContext()
{
    QFETCH(bool, autoContext);
    QFETCH(int, page);
    QFETCH(int, expected);
    std::vector<int> requests;
    huemix::platform().help = [&](int context) { requests.push_back(context); };

    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(kAllPages);
    dialog.SetActivePage(TDialogPage(page));
    dialog.SetHelpContext(100);
    dialog.SetAutoHelpContext(autoContext);
    dialog.SetHelpButton(true);
    bool shown = false;
    runDialog(dialog, [&](TfrmHuemixDialog &w) {
        shown = !w.btnHelp->isHidden();
        QTest::mouseClick(w.btnHelp, Qt::LeftButton);
        QVERIFY(w.isVisible()); // help does not close the dialog
        w.activateWindow(); // shortcuts need the active window
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F1); // the window's own topic
        QTest::mouseClick(w.btnCancel, Qt::LeftButton);
    });
    QVERIFY(shown);
    QCOMPARE(requests, (std::vector<int>{expected, 100}));

    // Without HelpButton the button is not there to press.
    dialog.SetHelpButton(false);
    runDialog(dialog, [&](TfrmHuemixDialog &w) { shown = !w.btnHelp->isHidden(); });
    QVERIFY(!shown);
}

void TestColorDialog::creationCommitKeepsComponentColor()
{
    THuemixDialog dialog(nullptr);
    dialog.SetColor(0x00336699);
    dialog.SetAutoApply(true);
    int applies = 0;
    dialog.OnApply = [&](QObject *) { ++applies; };
    TfrmHuemixDialog w(&dialog);
    QCOMPARE(dialog.Color(), TColor(0x00336699));
    QCOMPARE(applies, 0);
    QCOMPARE(w.ColorPanelColor(), TColor(0));
    QCOMPARE(w.ActivePageTag(), int(pageCMYK)); // as laid out
    QCOMPARE(w.windowTitle(), QStringLiteral("Color"));
    QCOMPARE(w.size(), QSize(341, 312));
    QVERIFY(w.tshInfo->chbNames->isChecked() && w.tshInfo->chbNames->isEnabled());
    // Once the window belongs to the component, a commit that changes the colour reports it.
    w.SetCurrentColor(0x000000FF);
    QCOMPARE(dialog.Color(), TColor(0x000000FF));
    QVERIFY(applies >= 1); // the page's controls may commit partial colours on the way
}

void TestColorDialog::systemColoursFromThePalette_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("role");
    QTest::newRow("5 window") << 5 << int(QPalette::Base);
    QTest::newRow("8 window text") << 8 << int(QPalette::Text);
    QTest::newRow("13 highlight") << 13 << int(QPalette::Highlight);
    QTest::newRow("14 highlighted text") << 14 << int(QPalette::HighlightedText);
    QTest::newRow("15 button face") << 15 << int(QPalette::Button);
    QTest::newRow("18 button text") << 18 << int(QPalette::ButtonText);
    QTest::newRow("23 tooltip text") << 23 << int(QPalette::ToolTipText);
    QTest::newRow("24 tooltip") << 24 << int(QPalette::ToolTipBase);
}

void TestColorDialog::systemColoursFromThePalette()
{
    QFETCH(int, index);
    QFETCH(int, role);
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    const QColor marked(0x12, 0x34, 0x56); // red 0x12 is the low byte
    palette.setColor(QPalette::All, QPalette::ColorRole(role), marked);
    QApplication::setPalette(palette);
    const TColor value = huemix::platform().sysColor(index);
    QApplication::setPalette(saved);
    QCOMPARE(value, TColor(0x00563412));
    for (int i = 0; i < 25; ++i)
        QVERIFY(huemix::PaletteSysColor(i) >= 0 && huemix::PaletteSysColor(i) <= 0x00FFFFFF);
}

void TestColorDialog::toolkitColours_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<QColor>("painted");
    QTest::newRow("red is the low byte") << TColor(0x00336699) << QColor(0x99, 0x66, 0x33);
    QTest::newRow("white") << TColor(0x00FFFFFF) << QColor(255, 255, 255);
    QTest::newRow("system colour 15 shows the desktop's value") << TColor(0x8000000F) << QColor(3, 2, 1);
}

void TestColorDialog::toolkitColours()
{
    QFETCH(TColor, color);
    QFETCH(QColor, painted);
    huemix::platform().sysColor = [](int index) { return index == 15 ? TColor(0x00010203) : TColor(0); };
    QCOMPARE(huemix::ToQColor(color), painted);
    if (color >= 0)
        QCOMPARE(huemix::ToTColor(painted), color);
}

void TestColorDialog::onlyTheUsersTabChangeShowsTheColour()
{
    THuemixDialog dialog(nullptr);
    TfrmHuemixDialog w(&dialog);
    w.SetTabVisibility(kAllPages);
    w.ActivatePage(pageRGB);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.FCurrentRGB = SplitColor(0x000000FF);
    // Activation by code is not the user's change: the Info page is not refreshed.
    w.ActivatePage(pageInfo);
    QCOMPARE(w.ActivePageTag(), int(pageInfo));
    QCOMPARE(w.tshInfo->lblRGBValue->text(), QStringLiteral("lblRGBValue"));
    // The user's change of tab shows the current colour on the new page and commits it.
    w.ActivatePage(pageVGA);
    clickTab(w, w.tshInfo);
    QCOMPARE(w.ActivePageTag(), int(pageInfo));
    QCOMPARE(w.ColorPanelColor(), TColor(0x000000FF));
    QCOMPARE(dialog.Color(), TColor(0x000000FF));
    QCOMPARE(w.tshInfo->lblRGBValue->text(), QStringLiteral("Red=255, Green=0, Blue=0"));
}

// ---------------------------------------------------------------------------------------
// Info page

namespace {

struct InfoWindow
{
    THuemixDialog dialog{nullptr};
    TfrmHuemixDialog window{&dialog};
    TInfoPage &info = *window.tshInfo;

    explicit InfoWindow(TColor color)
    {
        window.SetTabVisibility(kInfoOnly);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.SetCurrentColor(color);
    }

    // Sets the options by clicking the controls that differ.
    void setOptions(bool hex, bool space, bool comma, bool names)
    {
        if (info.rgrNumbersHexadecimal->isChecked() != hex)
            QTest::mouseClick(hex ? info.rgrNumbersHexadecimal : info.rgrNumbersDecimal, Qt::LeftButton);
        if (info.chbNames->isChecked() != names)
            QTest::mouseClick(info.chbNames, Qt::LeftButton);
        if (info.chbSpace->isChecked() != space)
            QTest::mouseClick(info.chbSpace, Qt::LeftButton);
        if (info.chbComma->isChecked() != comma)
            QTest::mouseClick(info.chbComma, Qt::LeftButton);
    }

    QLabel *label(const QString &row) const
    {
        return window.findChild<QLabel *>(QStringLiteral("lbl%1Value").arg(row));
    }
};

} // namespace

void TestColorDialog::infoLines_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<QString>("options"); // letters: h hexadecimal, s space, c comma, n names
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("expected");
    const QString all = QStringLiteral("scn");
    QTest::newRow("red HSB") << TColor(0xFF) << all << "HSB" << "Hue=0, Saturation=100, Brightness=100";
    QTest::newRow("red RGB") << TColor(0xFF) << all << "RGB" << "Red=255, Green=0, Blue=0";
    QTest::newRow("red CMY") << TColor(0xFF) << all << "CMY" << "Cyan=0, Magenta=255, Yellow=255";
    QTest::newRow("red CMYK") << TColor(0xFF) << all << "CMYK" << "Cyan=0, Magenta=100, Yellow=100, Black=0";
    QTest::newRow("gray HSB") << TColor(0x808080) << all << "HSB" << "Hue=0, Saturation=0, Brightness=50";
    QTest::newRow("gray CMYK 49.8 to 50") << TColor(0x808080) << all << "CMYK"
                                          << "Cyan=0, Magenta=0, Yellow=0, Black=50";
    QTest::newRow("gray level") << TColor(0x808080) << all << "Gray" << "Brightness=128";
    QTest::newRow("hex red RGB") << TColor(0xFF) << "hscn" << "RGB" << "Red=FF, Green=00, Blue=00";
    QTest::newRow("hex red HSB") << TColor(0xFF) << "hscn" << "HSB" << "Hue=00, Saturation=64, Brightness=64";
    QTest::newRow("hex hue 300 has three digits") << TColor(0xFF00FF) << "hsc" << "HSB" << "12C, 64, 64";
    QTest::newRow("comma only") << TColor(0xFF) << "c" << "RGB" << "255,0,0";
    QTest::newRow("space only") << TColor(0xFF) << "s" << "RGB" << "255 0 0";
    QTest::newRow("names, comma only") << TColor(0xFF) << "cn" << "RGB" << "Red=255,Green=0,Blue=0";
    QTest::newRow("no separators") << TColor(0xFF) << "" << "RGB" << "25500";
    QTest::newRow("no separators, hex") << TColor(0xFF) << "h" << "RGB" << "FF0000";
    QTest::newRow("saturation 12.5 to 12") << TColor(0xAFAFC8) << all << "HSB"
                                           << "Hue=0, Saturation=12, Brightness=78";
    QTest::newRow("saturation 17.5 to 18") << TColor(0xA5A5C8) << all << "HSB"
                                           << "Hue=0, Saturation=18, Brightness=78";
    QTest::newRow("white hex") << TColor(0xFFFFFF) << "hsn" << "Gray" << "Brightness=FF";
}

void TestColorDialog::infoLines()
{
    QFETCH(TColor, color);
    QFETCH(QString, options);
    QFETCH(QString, row);
    QFETCH(QString, expected);
    InfoWindow w(color);
    w.setOptions(options.contains('h'), options.contains('s'), options.contains('c'), options.contains('n'));
    QCOMPARE(w.label(row)->text(), expected);
    const bool gray = IsGray(SplitColor(color));
    QCOMPARE(!w.info.sbtGray->isHidden(), gray);
    QCOMPARE(!w.info.lblGrayTitle->isHidden(), gray);
    QCOMPARE(!w.info.lblGrayValue->isHidden(), gray);
}

void TestColorDialog::infoNamesNeedSeparators()
{
    InfoWindow w(0xFF);
    TInfoPage &info = w.info;
    QTest::mouseClick(info.chbSpace, Qt::LeftButton);
    QVERIFY(info.chbNames->isChecked() && info.chbNames->isEnabled());
    QTest::mouseClick(info.chbComma, Qt::LeftButton);
    QVERIFY(!info.chbNames->isChecked());
    QVERIFY(!info.chbNames->isEnabled());
    QCOMPARE(info.lblRGBValue->text(), QStringLiteral("25500"));
    QTest::mouseClick(info.chbSpace, Qt::LeftButton);
    QVERIFY(info.chbNames->isEnabled());
    QVERIFY(!info.chbNames->isChecked());
    QCOMPARE(info.lblRGBValue->text(), QStringLiteral("255 0 0"));
    // The gray row is written even while hidden: the current colour's red channel.
    QCOMPARE(info.lblGrayValue->text(), QStringLiteral("255"));
}

void TestColorDialog::infoCopyButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("copies");
    QTest::newRow("HSB") << "sbtHSB" << "HSB";
    QTest::newRow("RGB") << "sbtRGB" << "RGB";
    QTest::newRow("CMY") << "sbtCMY" << "CMY";
    QTest::newRow("CMYK copies the CMY line") << "sbtCMYK" << "CMY";
    QTest::newRow("Gray") << "sbtGray" << "Gray";
}

void TestColorDialog::infoCopyButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, copies);
    InfoWindow w(0x00C8C8C8);
    w.setOptions(true, false, true, true);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    auto *copy = w.window.findChild<QToolButton *>(button);
    QVERIFY(copy);
    QTest::mouseClick(copy, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), w.label(copies)->text());
    QVERIFY(w.label(copies)->text().contains(QLatin1Char('=')));
    QVERIFY(copy->toolTip().startsWith(QStringLiteral("Copy value")));
}

void TestColorDialog::infoCopyGlyph()
{
    const QImage glyph = TInfoPage::CopyGlyph().toImage();
    QCOMPARE(glyph.size(), QSize(8, 8));
    const char *rows[8] = {"#####...", "#...#...", "#.#####.", "#.#...#.",
                           "#.#...#.", "###...#.", "..#...#.", "..#####."};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const QRgb pixel = glyph.pixel(x, y);
            if (rows[y][x] == '#')
                QVERIFY(qAlpha(pixel) == 255 && qRed(pixel) == 0);
            else
                QCOMPARE(qAlpha(pixel), 0);
        }
}

void TestColorDialog::keysNeverReachAHiddenPage_data()
{
    QTest::addColumn<int>("visible");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("stays"); // the page shown after the key
    const int internet = PageSet(pageInternet);
    const int twoPages = PageSet(pageRGB) | PageSet(pageInfo);
    QTest::newRow("one page, Right") << internet << int(Qt::Key_Right) << 0 << int(pageInternet);
    QTest::newRow("one page, Left") << internet << int(Qt::Key_Left) << 0 << int(pageInternet);
    QTest::newRow("one page, Ctrl+Tab") << internet << int(Qt::Key_Tab) << int(Qt::ControlModifier) << int(pageInternet);
    QTest::newRow("one page, Ctrl+PgDown") << internet << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << int(pageInternet);
    QTest::newRow("two pages, Right skips the hidden") << twoPages << int(Qt::Key_Right) << 0 << int(pageInfo);
}

void TestColorDialog::keysNeverReachAHiddenPage()
{
    QFETCH(int, visible);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, stays);
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(TDialogPages(visible));
    dialog.SetActivePage(TDialogPage(qCountTrailingZeroBits(quint32(visible))));
    int shown = -1;
    runDialog(dialog, [&](TfrmHuemixDialog &w) {
        QTabBar *bar = w.pgcSystems->tabBar();
        bar->setFocus();
        QTest::keyClick(key == Qt::Key_Tab || key == Qt::Key_PageDown ? static_cast<QWidget *>(w.pgcSystems) : bar,
                        Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTest::keyClick(bar, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        shown = w.ActivePageTag();
        QCOMPARE(w.pgcSystems->currentWidget()->property("Tag").toInt(), shown);
        w.reject();
    });
    QCOMPARE(shown, stays);
}

void TestColorDialog::gridKeysPickAndAccept_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("picked"); // the colour after Right, Down, then the key
    // The web grid: from black one cell right (green 0x33) and one down (blue 0x33).
    QTest::newRow("web grid, Enter") << int(pageInternet) << int(Qt::Key_Return) << 0x00333300;
    QTest::newRow("web grid, Space") << int(pageInternet) << int(Qt::Key_Space) << 0x00333300;
    // The VGA swatches: from black right to maroon, down to red.
    QTest::newRow("VGA, keypad Enter") << int(pageVGA) << int(Qt::Key_Enter) << 0x000000FF;
}

void TestColorDialog::gridKeysPickAndAccept()
{
    QFETCH(int, page);
    QFETCH(int, key);
    QFETCH(int, picked);
    THuemixDialog dialog(nullptr);
    dialog.SetVisiblePages(PageSet(TDialogPage(page)));
    dialog.SetActivePage(TDialogPage(page));
    dialog.SetColor(0); // the keys start from the black cell
    const bool ok = runDialog(dialog, [&](TfrmHuemixDialog &w) {
        QWidget *grid = page == pageInternet ? w.findChild<QWidget *>(QStringLiteral("pntInternet"))
                                             : static_cast<QWidget *>(w.tshVGA->FSwatches[0]);
        grid->setFocus();
        QTest::keyClick(w.focusWidget(), Qt::Key_Right);
        QTest::keyClick(w.focusWidget(), Qt::Key_Down);
        QTest::keyClick(w.focusWidget(), Qt::Key(key));
    });
    QVERIFY(ok);
    QCOMPARE(dialog.Color(), TColor(picked));
}

// ---------------------------------------------------------------------------------------

void TestColorDialog::pictures()
{
    const QString folder = qEnvironmentVariable("LEXIFIND_PICTURES_DIR",
                                                QStringLiteral(LEXIFIND_PICTURES_DIR));
    QVERIFY(QDir().mkpath(folder));
    THuemixDialog dialog(nullptr);
    TfrmHuemixDialog w(&dialog);
    w.SetTabVisibility(kAllPages);
    w.btnHelp->setVisible(true);
    for (int n = 1; n <= 32; ++n)
        w.SetCollectionColor(n, n % 3 ? 0x00C0C0C0 : HueToColor(n * 11));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const char *names[9] = {"vga", "internet", "hsb", "rgb", "cmy", "cmyk", "gray", "windows", "info"};
    for (int tag = 0; tag < 9; ++tag) {
        w.ActivatePage(tag);
        w.SetCurrentColor(0x00336699);
        QCoreApplication::processEvents();
        const QString file = folder + QStringLiteral("/colordialog-%1.png").arg(QLatin1String(names[tag]));
        QVERIFY2(w.grab().save(file), qPrintable(file));
    }
    w.SetCtl3D(false);
    QVERIFY(w.grab().save(folder + QStringLiteral("/colordialog-flat.png")));
}

QTEST_MAIN(TestColorDialog)
#include "tst_colordialog.moc"
