#include "PageFixture.h"

#include "colordialog/HuemixPalettePages.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

Q_DECLARE_METATYPE(TColor)

using huemix::ToQColor;

class TestPalettePages : public QObject
{
    Q_OBJECT
    PageFixture f;

    QString MarkedSwatches() const
    {
        QStringList names;
        for (TVGASwatch *swatch : f.window->tshVGA->FSwatches)
            if (swatch->Marked())
                names << swatch->objectName();
        return names.join(QLatin1Char(','));
    }

private slots:
    void init() { f.Open(); }
    void cleanup() { f.Close(); }

    void vgaShowSnapsWithinOne_data()
    {
        QTest::addColumn<TColor>("shown");
        QTest::addColumn<QString>("marked");
        QTest::addColumn<TColor>("current");
        QTest::newRow("red 1 marks black") << Rgb(1, 0, 0) << "pnlVGABlack" << Rgb(0, 0, 0);
        QTest::newRow("near gray snaps to gray") << Rgb(129, 128, 128) << "pnlVGAGray" << TColor(0x00808080);
        QTest::newRow("near white, both ways") << Rgb(254, 255, 254) << "pnlVGAWhite" << TColor(0x00FFFFFF);
        QTest::newRow("red 2 marks nothing") << Rgb(2, 0, 0) << "" << Rgb(2, 0, 0);
        QTest::newRow("between maroon and red") << Rgb(200, 0, 0) << "" << Rgb(200, 0, 0);
    }
    void vgaShowSnapsWithinOne()
    {
        QFETCH(TColor, shown);
        QFETCH(QString, marked);
        QFETCH(TColor, current);
        f.ShowOn(f.window->tshVGA, shown);
        QCOMPARE(MarkedSwatches(), marked);
        QCOMPARE(f.window->GetCurrentColor(), current);
        QCOMPARE(f.window->ColorPanelColor(), current);
        QCOMPARE(f.dialog->Color(), current);
    }

    void vgaClickMovesTheMarkAndCommits()
    {
        f.ShowOn(f.window->tshVGA, Rgb(1, 0, 0));
        TVGASwatch *red = f.window->tshVGA->Swatch(QStringLiteral("pnlVGARed"));
        const int before = f.applies;
        QTest::mouseClick(red, Qt::LeftButton);
        QCOMPARE(MarkedSwatches(), QStringLiteral("pnlVGARed"));
        QCOMPARE(f.dialog->Color(), TColor(0x000000FF));
        QCOMPARE(f.applies, before + 1);
        // The mark on red follows the desktop's window text colour.
        QCOMPARE(red->MarkColor(), ToQColor(f.DefaultSysColor(8)));
    }

    // Every swatch of the window, VGA or frame, picks on a left press and release over it.
    void swatchClicks_data()
    {
        QTest::addColumn<QString>("swatch");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("releasedOver");
        QTest::addColumn<TColor>("current");
        QTest::newRow("VGA, left click") << "pnlVGAYellow" << int(Qt::LeftButton) << true << TColor(0x0000FFFF);
        QTest::newRow("VGA, released outside") << "pnlVGAYellow" << int(Qt::LeftButton) << false << Rgb(1, 2, 3);
        QTest::newRow("VGA, right button") << "pnlVGAYellow" << int(Qt::RightButton) << true << Rgb(1, 2, 3);
        QTest::newRow("slot, left click") << "pnl7" << int(Qt::LeftButton) << true << TColor(0x00808080);
        QTest::newRow("slot, released outside") << "pnl7" << int(Qt::LeftButton) << false << Rgb(1, 2, 3);
        QTest::newRow("slot, right button") << "pnl7" << int(Qt::RightButton) << true << Rgb(1, 2, 3);
    }
    void swatchClicks()
    {
        QFETCH(QString, swatch);
        QFETCH(int, button);
        QFETCH(bool, releasedOver);
        QFETCH(TColor, current);
        f.window->SetCollectionColor(7, 0x00808080); // snaps to the VGA gray
        f.ShowOn(f.window->tshVGA, Rgb(1, 2, 3)); // no swatch within 1 of it: kept exactly
        auto *target = f.window->findChild<THuemixSwatch *>(swatch);
        QVERIFY(target);
        const auto b = Qt::MouseButton(button);
        const QPoint at(8, 8);
        const QPoint release = releasedOver ? at : QPoint(-5, 8);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), target->mapToGlobal(QPointF(at)), b, b,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(release), target->mapToGlobal(QPointF(release)), b,
                       Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &up);
        QCOMPARE(f.window->ColorPanelColor(), current);
        QCOMPARE(f.dialog->Color(), current);
    }

    void webCellColor_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<TColor>("color");
        QTest::newRow("top left black") << 0 << 0 << TColor(0x00000000);
        QTest::newRow("bottom right white") << 17 << 11 << TColor(0x00FFFFFF);
        QTest::newRow("green rises rightwards") << 5 << 0 << TColor(0x0000FF00);
        QTest::newRow("blue rises downwards") << 0 << 5 << TColor(0x00FF0000);
        QTest::newRow("second block down") << 0 << 6 << TColor(0x00000033);
        QTest::newRow("second block across") << 6 << 0 << TColor(0x00000066);
        QTest::newRow("153 102 51") << 8 << 7 << TColor(0x00336699);
    }
    void webCellColor()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(TColor, color);
        QCOMPARE(WebCellColor(column, row), color);
    }

    void webGridMouseLandsOnTheCellPainted_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("cell");
        QTest::newRow("origin") << QPoint(0, 0) << QPoint(0, 0);
        QTest::newRow("last pixel of the first cell") << QPoint(14, 12) << QPoint(0, 0);
        QTest::newRow("first pixel of the second cell") << QPoint(15, 13) << QPoint(1, 1);
        QTest::newRow("uneven row edge 27") << QPoint(100, 27) << QPoint(6, 2);
        QTest::newRow("right-most pixel column") << QPoint(270, 80) << QPoint(17, 5);
        QTest::newRow("bottom right corner") << QPoint(270, 164) << QPoint(17, 11);
    }
    void webGridMouseLandsOnTheCellPainted()
    {
        QFETCH(QPoint, at);
        QFETCH(QPoint, cell);
        TInternetPage *page = f.window->tshInternet;
        f.SwitchTo(page);
        PressAt(page->pntInternet, at);
        QCOMPARE(f.window->FWebCell, cell);
        QCOMPARE(f.window->GetCurrentColor(), WebCellColor(cell.x(), cell.y()));
        QCOMPARE(f.dialog->Color(), WebCellColor(cell.x(), cell.y()));
        // The cell picked is the cell painted there (the last column and row reach the frame).
        const QImage shot = page->pntInternet->grab().toImage();
        const QRect r = WebCellRect(cell.x(), cell.y(), 271, 165);
        QVERIFY(r.adjusted(0, 0, cell.x() == 17, cell.y() == 11).contains(at));
        QCOMPARE(QColor(shot.pixel(r.left() + 2, r.top() + 2)), ToQColor(WebCellColor(cell.x(), cell.y())));
    }

    void webGridPaintsFrameAndMarker_data()
    {
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<QColor>("marker");
        QTest::newRow("black cell, white marker") << QPoint(0, 0) << QColor(Qt::white);
        QTest::newRow("white cell, black marker") << QPoint(17, 11) << QColor(Qt::black);
        QTest::newRow("yellow cell, black marker") << QPoint(17, 6) << QColor(Qt::black);
        QTest::newRow("blue cell, white marker") << QPoint(0, 5) << QColor(Qt::white);
        QTest::newRow("red cell, black marker") << QPoint(12, 6) << QColor(Qt::black);
    }
    void webGridPaintsFrameAndMarker()
    {
        QFETCH(QPoint, cell);
        QFETCH(QColor, marker);
        TInternetPage *page = f.window->tshInternet;
        f.ShowOn(page, WebCellColor(cell.x(), cell.y()));
        QCOMPARE(f.window->FWebCell, cell);
        const QImage shot = page->pntInternet->grab().toImage();
        const QRect r = WebCellRect(cell.x(), cell.y(), 271, 165);
        QCOMPARE(QColor(shot.pixel(r.center())), marker);
        // The outer frame shows on the right and bottom edges only.
        QCOMPARE(QColor(shot.pixel(270, 100)), QColor(Qt::black));
        QCOMPARE(QColor(shot.pixel(100, 164)), QColor(Qt::black));
    }

    void internetShowCases()
    {
        TInternetPage *page = f.window->tshInternet;
        f.ShowOn(page, Rgb(153, 102, 51));
        QCOMPARE(f.window->FWebCell, QPoint(8, 7));
        QCOMPARE(f.dialog->Color(), TColor(0x00336699));

        // Already selected: no change and no commit (the current colour is not re-read).
        const int applies = f.applies;
        f.window->FCurrentRGB = MakeRGB(1, 2, 3);
        f.window->ShowColorOnPage(SplitColor(0x00336699));
        QCOMPARE(f.window->FWebCell, QPoint(8, 7));
        QCOMPARE(f.window->FCurrentRGB.Red, 1.0);
        QCOMPARE(f.applies, applies);

        // Not web-safe: no cell, and the colour is kept exactly.
        f.window->SetCurrentColor(Rgb(152, 102, 51));
        QCOMPARE(f.window->FWebCell, QPoint(-1, -1));
        QVERIFY(SameRGB(f.window->FCurrentRGB, MakeRGB(152, 102, 51)));
        QCOMPARE(f.window->GetCurrentColor(), Rgb(152, 102, 51));
        QCOMPARE(f.dialog->Color(), Rgb(152, 102, 51));
    }

    void roundingButtons_data()
    {
        QTest::addColumn<TColor>("from");
        QTest::addColumn<bool>("gray");
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<TColor>("result");
        QTest::newRow("reddish to red") << Rgb(250, 10, 10) << false << QPoint(12, 6) << Rgb(255, 0, 0);
        QTest::newRow("black to the first cell") << Rgb(0, 0, 0) << false << QPoint(0, 0) << Rgb(0, 0, 0);
        QTest::newRow("near web colour") << Rgb(150, 100, 60) << false << QPoint(8, 7) << Rgb(153, 102, 51);
        QTest::newRow("gray of brightness, level 204") << Rgb(200, 40, 40) << true << QPoint(16, 4) << Rgb(204, 204, 204);
        QTest::newRow("gray from black") << Rgb(0, 0, 0) << true << QPoint(0, 0) << Rgb(0, 0, 0);
        QTest::newRow("gray from bright blue") << Rgb(10, 20, 250) << true << QPoint(17, 11) << Rgb(255, 255, 255);
    }
    void roundingButtons()
    {
        QFETCH(TColor, from);
        QFETCH(bool, gray);
        QFETCH(QPoint, cell);
        QFETCH(TColor, result);
        TInternetPage *page = f.window->tshInternet;
        f.SwitchTo(page);
        f.window->SetCurrentColor(from);
        QTest::mouseClick(gray ? page->sbtRoundGray : page->sbtRound, Qt::LeftButton);
        QCOMPARE(f.window->FWebCell, cell);
        QCOMPARE(f.window->GetCurrentColor(), result);
        QCOMPARE(f.dialog->Color(), result);
    }

    void windowsPagePicksTheSystemColour_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("desktop") << "Desktop" << 1;
        QTest::newRow("first row") << "Dark shadow for 3D display elements" << 21;
        QTest::newRow("last row") << "Text in windows" << 8;
        QTest::newRow("tooltip background") << "Background color for tooltip controls" << 24;
    }
    void windowsPagePicksTheSystemColour()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        TWindowsPage *page = f.window->tshWindows;
        f.SwitchTo(page);
        const QList<QListWidgetItem *> found = page->lsbWindows->findItems(text, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        page->lsbWindows->scrollToItem(found.first());
        QTest::mouseClick(page->lsbWindows->viewport(), Qt::LeftButton, {},
                          page->lsbWindows->visualItemRect(found.first()).center());
        QCOMPARE(f.window->GetCurrentColor(), f.DefaultSysColor(index));
        QCOMPARE(f.dialog->Color(), f.DefaultSysColor(index));
    }

    void windowsPageFollowsSystemColourChange()
    {
        TWindowsPage *page = f.window->tshWindows;
        f.SwitchTo(page);
        QListWidgetItem *desktop = page->lsbWindows->findItems(QStringLiteral("Desktop"), Qt::MatchExactly).first();
        QTest::mouseClick(page->lsbWindows->viewport(), Qt::LeftButton, {},
                          page->lsbWindows->visualItemRect(desktop).center());
        QCOMPARE(f.dialog->Color(), f.DefaultSysColor(1));

        f.sysColors[1] = Rgb(1, 2, 3);
        QEvent change(QEvent::ApplicationPaletteChange);
        QApplication::sendEvent(f.window.get(), &change);
        QVERIFY(desktop->isSelected());
        QCOMPARE(f.window->GetCurrentColor(), Rgb(1, 2, 3));
        QCOMPARE(f.window->ColorPanelColor(), Rgb(1, 2, 3));
        QCOMPARE(f.dialog->Color(), Rgb(1, 2, 3));
    }

    void switchingToWindowsPageClearsSelectionAndKeepsColour()
    {
        TWindowsPage *page = f.window->tshWindows;
        f.SwitchTo(page);
        QListWidgetItem *last = page->lsbWindows->item(24);
        page->lsbWindows->scrollToItem(last);
        QTest::mouseClick(page->lsbWindows->viewport(), Qt::LeftButton, {},
                          page->lsbWindows->visualItemRect(last).center());
        QVERIFY(last->isSelected());

        f.ShowOn(page, Rgb(10, 20, 30));
        QVERIFY(page->lsbWindows->selectedItems().isEmpty());
        QCOMPARE(page->lsbWindows->indexAt(QPoint(5, 5)).row(), 0); // scrolled to the top
        QCOMPARE(f.window->GetCurrentColor(), Rgb(10, 20, 30));
        QCOMPARE(f.dialog->Color(), Rgb(10, 20, 30));
    }

    void windowsRowShowsItsSwatch()
    {
        TWindowsPage *page = f.window->tshWindows;
        f.sysColors[21] = Rgb(250, 0, 0);
        f.SwitchTo(page);
        const QImage shot = page->lsbWindows->viewport()->grab().toImage();
        const QRect row = page->lsbWindows->visualItemRect(page->lsbWindows->item(0));
        // Inside the 13 x 9 swatch, past its outline.
        QCOMPARE(QColor(shot.pixel(row.left() + 5, row.top() + 6)), QColor(250, 0, 0));
        QCOMPARE(TWindowsPage::SystemColorIndexOf(25), 0);
        QCOMPARE(TWindowsPage::SystemColorIndexOf(-1), 0);
    }

    // The way this program uses the dialog: the Internet page alone, picked with the mouse.
    void executeWithTheInternetPageAlone_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("webColor");
        QTest::newRow("OK takes the picked cell") << true << "#FFFF00";
        QTest::newRow("Cancel keeps the colour") << false << "#996633";
    }
    void executeWithTheInternetPageAlone()
    {
        QFETCH(bool, ok);
        QFETCH(QString, webColor);
        f.Close();
        THuemixDialog dialog(nullptr);
        dialog.SetVisiblePages(PageSet(pageInternet));
        dialog.SetActivePage(pageInternet);
        dialog.SetColor(0x00336699);
        QPoint selectedAtStart;
        QTimer::singleShot(0, &dialog, [&] {
            TfrmHuemixDialog *window = dialog.Window();
            selectedAtStart = window->FWebCell;
            const QRect yellow = WebCellRect(17, 6, 271, 165);
            QTest::mouseClick(window->tshInternet->pntInternet, Qt::LeftButton, {}, yellow.center());
            QTest::mouseClick(ok ? window->btnOk : window->btnCancel, Qt::LeftButton);
        });
        QCOMPARE(dialog.Execute(), ok);
        QCOMPARE(selectedAtStart, QPoint(8, 7));
        QCOMPARE(dialog.WebColor(), webColor);
        QVERIFY(!dialog.Window());
    }

    // Without a mouse: Tab reaches the grid, the rounding buttons, the collection and
    // the buttons; the arrows move in the grid and Enter picks, then OK closes.
    void internetPageFromTheKeyboard()
    {
        f.Close();
        THuemixDialog dialog(nullptr);
        dialog.SetVisiblePages(PageSet(pageInternet));
        dialog.SetActivePage(pageInternet);
        dialog.SetColor(0x00000000);
        QStringList reached;
        QTimer::singleShot(0, &dialog, [&] {
            TfrmHuemixDialog *window = dialog.Window();
            QVERIFY(QTest::qWaitForWindowActive(window));
            for (int i = 0; i < 12; ++i) {
                if (QWidget *focus = QApplication::focusWidget())
                    reached << focus->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            QWidget *grid = window->tshInternet->pntInternet;
            grid->setFocus(Qt::TabFocusReason);
            for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down})
                QTest::keyClick(grid, key);
            QTest::keyClick(grid, Qt::Key_Return); // picks the cell and closes with OK
        });
        QVERIFY(dialog.Execute());
        for (const char *name : {"pntInternet", "sbtRound", "sbtRoundGray", "pnl1", "btnOk", "btnCancel"})
            QVERIFY2(reached.contains(QLatin1String(name)), qPrintable(reached.join(u' ')));
        QCOMPARE(dialog.WebColor(), QStringLiteral("#009966")); // green 153, blue 102
    }

    void vgaSwatchesFromTheKeyboard()
    {
        TVGASwatch *black = f.window->tshVGA->Swatch(QStringLiteral("pnlVGABlack"));
        f.SwitchTo(f.window->tshVGA);
        black->setFocus(Qt::TabFocusReason);
        QTest::keyClick(black, Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("pnlVGARed"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(MarkedSwatches(), QStringLiteral("pnlVGARed"));
        QCOMPARE(f.dialog->Color(), TColor(0x000000FF));
        // One stop of the Tab order: the swatch last reached.
        int stops = 0;
        for (TVGASwatch *swatch : f.window->tshVGA->FSwatches)
            stops += (swatch->focusPolicy() & Qt::TabFocus) ? 1 : 0;
        QCOMPARE(stops, 1);
    }

    // Pictures of the pages, written beside the test, to look at the layout.
    void pagePictures()
    {
        f.ShowOn(f.window->tshVGA, Rgb(128, 0, 0));
        for (int tag : {0, 1, 2, 3, 4, 5, 6, 7}) {
            QWidget *page = f.window->Page(tag);
            f.SwitchTo(page);
            const QImage shot = f.window->grab().toImage();
            QVERIFY(!shot.isNull());
            QVERIFY(shot.save(QStringLiteral("colorpage-%1.png").arg(page->objectName())));
        }
    }
};

QTEST_MAIN(TestPalettePages)
#include "tst_palettepages.moc"
