#include "PageFixture.h"

#include "colordialog/HuemixSliderPages.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

Q_DECLARE_METATYPE(TColor)

class TestSliderPages : public QObject
{
    Q_OBJECT
    PageFixture f;

    THuemixSliderPage *SliderPage(const QString &name) const
    {
        return f.window->findChild<THuemixSliderPage *>(name);
    }

    QList<TSliderRow> Rows(THuemixSliderPage *page) const
    {
        if (auto *p = qobject_cast<THSBPage *>(page)) return {p->Hue, p->Saturation, p->Brightness};
        if (auto *p = qobject_cast<TRGBPage *>(page)) return {p->Red, p->Green, p->Blue};
        if (auto *p = qobject_cast<TCMYPage *>(page)) return {p->Cyan, p->Magenta, p->Yellow};
        if (auto *p = qobject_cast<TCMYKPage *>(page)) return {p->KCyan, p->KMagenta, p->KYellow, p->KBlack};
        if (auto *p = qobject_cast<TGrayPage *>(page)) return {p->Gray};
        return {};
    }

    TSliderRow Row(const QString &channel, THuemixSliderPage **pageOut = nullptr) const
    {
        for (const char *name : {"tshHSB", "tshRGB", "tshCMY", "tshCMYK", "tshGray"}) {
            THuemixSliderPage *page = SliderPage(QLatin1String(name));
            for (const TSliderRow &row : Rows(page))
                if (row.trb->objectName() == QStringLiteral("trb") + channel) {
                    if (pageOut)
                        *pageOut = page;
                    return row;
                }
        }
        return {};
    }

    // Every row of the page agrees, and the committed colour is what its positions give.
    void VerifyAgreement(THuemixSliderPage *page)
    {
        for (const TSliderRow &row : Rows(page)) {
            QCOMPARE(row.udn->Position(), row.trb->value());
            QCOMPARE(row.edt->text(), QString::number(row.trb->value()));
        }
        TRGBColor read;
        QVERIFY(page->ReadColor(read));
        QVERIFY(SameRGB(f.window->FCurrentRGB, read));
        QCOMPARE(f.dialog->Color(), RGBToColor(read));
    }

private slots:
    void init() { f.Open(); }
    void cleanup() { f.Close(); }

    void showRoundsOntoTheTrackBars_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<TColor>("shown");
        QTest::addColumn<QList<int>>("positions");
        QTest::addColumn<TColor>("current");
        QTest::newRow("HSB rounds 200,100,50") << "tshHSB" << Rgb(200, 100, 50) << QList<int>{20, 75, 78} << Rgb(199, 99, 50);
        QTest::newRow("HSB white") << "tshHSB" << Rgb(255, 255, 255) << QList<int>{0, 0, 100} << Rgb(255, 255, 255);
        QTest::newRow("HSB black") << "tshHSB" << Rgb(0, 0, 0) << QList<int>{0, 0, 0} << Rgb(0, 0, 0);
        QTest::newRow("Gray takes the largest channel") << "tshGray" << Rgb(200, 100, 50) << QList<int>{200} << Rgb(200, 200, 200);
        QTest::newRow("CMYK of red") << "tshCMYK" << Rgb(255, 0, 0) << QList<int>{0, 100, 100, 0} << Rgb(255, 0, 0);
        QTest::newRow("CMYK rounds the percentages") << "tshCMYK" << Rgb(128, 128, 128) << QList<int>{0, 0, 0, 50} << Rgb(128, 128, 128);
        QTest::newRow("CMY complements") << "tshCMY" << Rgb(10, 20, 30) << QList<int>{245, 235, 225} << Rgb(10, 20, 30);
        QTest::newRow("RGB as it stands") << "tshRGB" << Rgb(10, 20, 30) << QList<int>{10, 20, 30} << Rgb(10, 20, 30);
    }
    void showRoundsOntoTheTrackBars()
    {
        QFETCH(QString, page);
        QFETCH(TColor, shown);
        QFETCH(QList<int>, positions);
        QFETCH(TColor, current);
        THuemixSliderPage *p = SliderPage(page);
        f.ShowOn(p, shown);
        QCOMPARE(f.window->ActivePageTag(), p->Tag());
        QList<int> actual;
        for (const TSliderRow &row : Rows(p))
            actual << row.trb->value();
        QCOMPARE(actual, positions);
        QCOMPARE(f.window->GetCurrentColor(), current);
        VerifyAgreement(p);
    }

    void hsbShowKeepsTheFractionsOfItsReading()
    {
        f.ShowOn(f.window->tshHSB, Rgb(200, 100, 50));
        QCOMPARE(f.window->FCurrentRGB.Red, 198.9);
        QCOMPARE(f.window->FCurrentRGB.Green, 99.45);
        QCOMPARE(f.window->FCurrentRGB.Blue, 49.725);
    }

    void keyFilter_data()
    {
        QTest::addColumn<QString>("channel");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::newRow("letter refused") << "Red" << int(Qt::Key_A) << "12" << 1;
        QTest::newRow("minus refused") << "Hue" << int(Qt::Key_Minus) << "12" << 1;
        QTest::newRow("space refused") << "KBlack" << int(Qt::Key_Space) << "12" << 1;
        QTest::newRow("digit typed") << "Gray" << int(Qt::Key_5) << "125" << 0;
        QTest::newRow("backspace works") << "Cyan" << int(Qt::Key_Backspace) << "1" << 0;
    }
    void keyFilter()
    {
        QFETCH(QString, channel);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, beeps);
        THuemixSliderPage *page = nullptr;
        const TSliderRow row = Row(channel, &page);
        f.SwitchTo(page);
        row.edt->setFocus();
        row.edt->selectAll();
        QTest::keyClicks(row.edt, QStringLiteral("12"));
        QCOMPARE(f.beeps, 0);
        QTest::keyClick(row.edt, Qt::Key(key));
        QCOMPARE(row.edt->text(), text);
        QCOMPARE(f.beeps, beeps);
        QCOMPARE(row.trb->value(), text.toInt());
    }

    void typingBeyondTheRangeClamps()
    {
        THSBPage *page = f.window->tshHSB;
        f.ShowOn(page, Rgb(255, 0, 0));
        page->Hue.edt->setFocus();
        page->Hue.edt->selectAll();
        QTest::keyClicks(page->Hue.edt, QStringLiteral("999"));
        QCOMPARE(page->Hue.trb->value(), 359);
        QCOMPARE(f.window->GetCurrentColor(), HSBToColor(MakeHSB(359, 100, 100)));
        page->Hue.trb->setFocus(); // leaving the edit corrects its text at the latest
        QCOMPARE(page->Hue.edt->text(), QStringLiteral("359"));
        VerifyAgreement(page);
    }

    void closingWithTheFocusInAnEditIsSafe_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("closed with OK") << true;
        QTest::newRow("destroyed while shown") << false;
    }
    void closingWithTheFocusInAnEditIsSafe()
    {
        QFETCH(bool, accepted);
        THSBPage *page = f.window->tshHSB;
        f.ShowOn(page, Rgb(255, 0, 0));
        page->Hue.edt->setFocus();
        page->Hue.edt->selectAll();
        QTest::keyClicks(page->Hue.edt, QStringLiteral("999"));
        if (accepted)
            QTest::mouseClick(f.window->btnOk, Qt::LeftButton);
        f.window.reset();
        QCOMPARE(f.dialog->Color(), HSBToColor(MakeHSB(359, 100, 100)));
    }

    void emptyingAnEditCountsAsZero()
    {
        TRGBPage *page = f.window->tshRGB;
        f.ShowOn(page, Rgb(200, 10, 20));
        page->Red.edt->setFocus();
        page->Red.edt->selectAll();
        QTest::keyClick(page->Red.edt, Qt::Key_Backspace);
        QCOMPARE(page->Red.trb->value(), 0);
        QCOMPARE(f.dialog->Color(), Rgb(0, 10, 20));
        page->Red.trb->setFocus();
        QCOMPARE(page->Red.edt->text(), QStringLiteral("0"));
        VerifyAgreement(page);
    }

    void stripPicks_data()
    {
        QTest::addColumn<QString>("channel");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("value");
        QTest::newRow("hue right end") << "Hue" << 236 << 357;
        QTest::newRow("saturation right end") << "Saturation" << 236 << 100;
        QTest::newRow("brightness right end") << "Brightness" << 236 << 100;
        QTest::newRow("red right end") << "Red" << 236 << 253;
        QTest::newRow("blue right end") << "Blue" << 236 << 253;
        QTest::newRow("magenta right end") << "Magenta" << 236 << 253;
        QTest::newRow("CMYK yellow right end") << "KYellow" << 236 << 99;
        QTest::newRow("black right end") << "KBlack" << 236 << 99;
        QTest::newRow("gray right end") << "Gray" << 236 << 253;
        QTest::newRow("hue left end") << "Hue" << 0 << 0;
        QTest::newRow("green left end") << "Green" << 0 << 0;
        QTest::newRow("CMYK cyan left end") << "KCyan" << 0 << 0;
        QTest::newRow("gray middle") << "Gray" << 118 << 126;
    }
    void stripPicks()
    {
        QFETCH(QString, channel);
        QFETCH(int, x);
        QFETCH(int, value);
        THuemixSliderPage *page = nullptr;
        const TSliderRow row = Row(channel, &page);
        f.ShowOn(page, Rgb(90, 60, 30));
        QCOMPARE(row.pnt->width(), 237);
        PressAt(row.pnt, QPoint(x, 6));
        QCOMPARE(row.trb->value(), value);
        QVERIFY(row.trb->hasFocus());
        VerifyAgreement(page);
    }

    void upDownSteps_data()
    {
        QTest::addColumn<QString>("channel");
        QTest::addColumn<TColor>("shown");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("value");
        QTest::newRow("red up") << "Red" << Rgb(10, 0, 0) << true << 11;
        QTest::newRow("red down") << "Red" << Rgb(10, 0, 0) << false << 9;
        QTest::newRow("gray down at zero stays") << "Gray" << Rgb(0, 0, 0) << false << 0;
        QTest::newRow("brightness up at 100 stays") << "Brightness" << Rgb(255, 0, 0) << true << 100;
        QTest::newRow("hue up") << "Hue" << Rgb(255, 0, 0) << true << 1;
        QTest::newRow("CMYK black down from 100") << "KBlack" << Rgb(0, 0, 0) << false << 99;
    }
    void upDownSteps()
    {
        QFETCH(QString, channel);
        QFETCH(TColor, shown);
        QFETCH(bool, up);
        QFETCH(int, value);
        THuemixSliderPage *page = nullptr;
        const TSliderRow row = Row(channel, &page);
        f.ShowOn(page, shown);
        QTest::mouseClick(row.udn, Qt::LeftButton, {}, QPoint(7, up ? 4 : 17));
        QCOMPARE(row.trb->value(), value);
        QVERIFY(row.edt->hasFocus());
        QCOMPARE(row.edt->selectedText(), QString::number(value));
        VerifyAgreement(page);
    }

    void arrowKeysInTheEditStep()
    {
        TRGBPage *page = f.window->tshRGB;
        f.ShowOn(page, Rgb(10, 20, 30));
        page->Green.edt->setFocus();
        QTest::keyClick(page->Green.edt, Qt::Key_Up);
        QTest::keyClick(page->Green.edt, Qt::Key_Up);
        QTest::keyClick(page->Green.edt, Qt::Key_Down);
        QCOMPARE(page->Green.trb->value(), 21);
        QCOMPARE(f.dialog->Color(), Rgb(10, 21, 30));
        VerifyAgreement(page);
    }

    void trackBarKeysCommit_data()
    {
        QTest::addColumn<QString>("channel");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("value");
        QTest::newRow("RGB arrow") << "Blue" << int(Qt::Key_Right) << 31;
        QTest::newRow("CMY page step") << "Yellow" << int(Qt::Key_PageUp) << 235;
        QTest::newRow("hue page step") << "Hue" << int(Qt::Key_PageUp) << 270;
        QTest::newRow("gray to the end") << "Gray" << int(Qt::Key_End) << 255;
    }
    void trackBarKeysCommit()
    {
        QFETCH(QString, channel);
        QFETCH(int, key);
        QFETCH(int, value);
        THuemixSliderPage *page = nullptr;
        const TSliderRow row = Row(channel, &page);
        f.ShowOn(page, Rgb(10, 20, 30)); // hue 210, CMY yellow 225, gray 30
        row.trb->setFocus();
        QTest::keyClick(row.trb, Qt::Key(key));
        QCOMPARE(row.trb->value(), value);
        VerifyAgreement(page);
    }

    void hsbStripRepaintRule_data()
    {
        QTest::addColumn<QString>("channel");
        QTest::addColumn<bool>("saturationRepainted");
        QTest::addColumn<bool>("brightnessRepainted");
        QTest::newRow("brightness repaints neither") << "Brightness" << false << false;
        QTest::newRow("saturation repaints brightness") << "Saturation" << false << true;
        QTest::newRow("hue repaints both") << "Hue" << true << true;
    }
    void hsbStripRepaintRule()
    {
        QFETCH(QString, channel);
        QFETCH(bool, saturationRepainted);
        QFETCH(bool, brightnessRepainted);
        THSBPage *page = f.window->tshHSB;
        f.ShowOn(page, Rgb(200, 100, 50));
        const QImage saturation = page->Saturation.pnt->Image();
        const QImage brightness = page->Brightness.pnt->Image();
        QVERIFY(!saturation.isNull() && !brightness.isNull());
        const TSliderRow row = Row(channel);
        row.trb->setFocus();
        QTest::keyClick(row.trb, Qt::Key_PageUp);
        QCOMPARE(page->Saturation.pnt->Image() != saturation, saturationRepainted);
        QCOMPARE(page->Brightness.pnt->Image() != brightness, brightnessRepainted);
        VerifyAgreement(page);
    }

    void stripPictures_data()
    {
        QTest::addColumn<QString>("channel");
        QTest::addColumn<TColor>("shown");
        QTest::addColumn<TColor>("left");
        QTest::addColumn<TColor>("right");
        // 359 steps over 237 pixels: band 0 is empty, x = 0 shows hue 1, band 359 lies past the end.
        QTest::newRow("hue, band 1 to band 358") << "Hue" << Rgb(0, 0, 0) << HueToColor(1) << HueToColor(358);
        QTest::newRow("saturation of white, white to red") << "Saturation" << Rgb(255, 255, 255) << Rgb(255, 255, 255) << HSBToColor(MakeHSB(0, 99, 100));
        QTest::newRow("brightness of gray, black to white") << "Brightness" << Rgb(128, 128, 128) << Rgb(0, 0, 0) << HSBToColor(MakeHSB(0, 0, 99));
        QTest::newRow("brightness of green") << "Brightness" << Rgb(0, 255, 0) << Rgb(0, 0, 0) << HSBToColor(MakeHSB(120, 100, 99));
        QTest::newRow("red, black to red") << "Red" << Rgb(9, 9, 9) << Rgb(0, 0, 0) << Rgb(253, 0, 0);
        QTest::newRow("green ignores the other channels") << "Green" << Rgb(200, 9, 9) << Rgb(0, 0, 0) << Rgb(0, 253, 0);
        QTest::newRow("cyan, white to cyan") << "Cyan" << Rgb(9, 9, 9) << Rgb(255, 255, 255) << Rgb(2, 255, 255);
        QTest::newRow("CMYK yellow") << "KYellow" << Rgb(9, 9, 9) << Rgb(255, 255, 255) << Rgb(255, 255, 2);
        QTest::newRow("black, white to black") << "KBlack" << Rgb(9, 9, 9) << Rgb(255, 255, 255) << Rgb(1, 1, 1);
        QTest::newRow("gray, black to white") << "Gray" << Rgb(9, 9, 9) << Rgb(0, 0, 0) << Rgb(253, 253, 253);
    }
    void stripPictures()
    {
        QFETCH(QString, channel);
        QFETCH(TColor, shown);
        QFETCH(TColor, left);
        QFETCH(TColor, right);
        THuemixSliderPage *page = nullptr;
        const TSliderRow row = Row(channel, &page);
        f.ShowOn(page, shown);
        const QImage shot = row.pnt->grab().toImage();
        QCOMPARE(shot.width(), 237);
        const auto at = [&shot](int x) { const QColor c = shot.pixelColor(x, 6); return Rgb(c.red(), c.green(), c.blue()); };
        QCOMPARE(at(0), left);
        QCOMPARE(at(236), right);
    }

    void scaleColor_data()
    {
        QTest::addColumn<TColor>("color");
        QTest::addColumn<int>("level");
        QTest::addColumn<TColor>("scaled");
        QTest::newRow("full level keeps") << Rgb(10, 20, 30) << 255 << Rgb(10, 20, 30);
        QTest::newRow("zero level is black") << Rgb(10, 20, 30) << 0 << Rgb(0, 0, 0);
        QTest::newRow("thirds round to the nearest") << Rgb(255, 1, 3) << 85 << Rgb(85, 0, 1);
        QTest::newRow("fifths round to the nearest") << Rgb(3, 5, 1) << 51 << Rgb(1, 1, 0);
    }
    void scaleColor()
    {
        QFETCH(TColor, color);
        QFETCH(int, level);
        QFETCH(TColor, scaled);
        QCOMPARE(ScaleColor(color, level), scaled);
    }

    void keyboardOrder_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("HSB row by row") << "tshHSB"
            << QStringList{"edtHue", "trbHue", "edtSaturation", "trbSaturation", "edtBrightness", "trbBrightness"};
        QTest::newRow("RGB row by row") << "tshRGB"
            << QStringList{"edtRed", "trbRed", "edtGreen", "trbGreen", "edtBlue", "trbBlue"};
        QTest::newRow("CMY row by row") << "tshCMY"
            << QStringList{"edtCyan", "trbCyan", "edtMagenta", "trbMagenta", "edtYellow", "trbYellow"};
        QTest::newRow("CMYK track bars, edits, then black") << "tshCMYK"
            << QStringList{"trbKCyan", "trbKMagenta", "trbKYellow", "edtKCyan", "edtKMagenta", "edtKYellow",
                           "trbKBlack", "edtKBlack"};
        QTest::newRow("Gray") << "tshGray" << QStringList{"edtGray", "trbGray"};
    }
    void keyboardOrder()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, order);
        THuemixSliderPage *p = SliderPage(page);
        f.SwitchTo(p);
        p->findChild<QWidget *>(order.first())->setFocus();
        QStringList seen{QApplication::focusWidget()->objectName()};
        while (seen.size() < order.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, order);
    }

    void labelsCarryAccessKeys()
    {
        TGrayPage *gray = f.window->tshGray;
        QCOMPARE(gray->Gray.lbl->text(), QStringLiteral("&Brigtness"));
        QCOMPARE(gray->Gray.lbl->buddy(), gray->Gray.edt);
        QCOMPARE(f.window->tshCMYK->KBlack.lbl->text(), QStringLiteral("Blac&k"));
        QCOMPARE(f.window->tshCMYK->KBlack.trb->geometry(), QRect(72, 172, 257, 21));
        QCOMPARE(f.window->tshHSB->Hue.udn->geometry(), QRect(48, 40, 15, 21));
        QCOMPARE(f.window->tshCMY->Cyan.udn->geometry(), QRect(49, 40, 15, 21));
    }
};

QTEST_MAIN(TestSliderPages)
#include "tst_sliderpages.moc"
