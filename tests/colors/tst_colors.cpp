// The colour conversions: listed values, halves and ties, range errors, and sweeps over
// the colour cube.
#include "colordialog/Colors.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

Q_DECLARE_METATYPE(TRGBColor)
Q_DECLARE_METATYPE(THSBColor)
Q_DECLARE_METATYPE(TCMYKColor)

namespace {

bool near(double a, double b, double tolerance = 1e-9) { return std::fabs(a - b) <= tolerance; }

QString show(const TRGBColor &c)
{
    return QStringLiteral("(%1, %2, %3)").arg(c.Red, 0, 'g', 17).arg(c.Green, 0, 'g', 17).arg(c.Blue, 0, 'g', 17);
}

} // namespace

class TestColors : public QObject
{
    Q_OBJECT
private slots:
    void roundHalfEven_data();
    void roundHalfEven();
    void hueTable_data();
    void hueTable();
    void rgbToHsb_data();
    void rgbToHsb();
    void nearestHueTies_data();
    void nearestHueTies();
    void hsbToRgb_data();
    void hsbToRgb();
    void hsbToColorRoundsHalfToEven();
    void makeHsb_data();
    void makeHsb();
    void hueToRgb_data();
    void hueToRgb();
    void cmyk_data();
    void cmyk();
    void cmykToRgbClampsBelowZero();
    void cmyIsTheComplement();
    void colorToWeb_data();
    void colorToWeb();
    void systemColourReadAsLowBytes();
    void rangeErrors_data();
    void rangeErrors();
    void roundCmykRangeError();
    void sweepHsbRoundTrip();
    void sweepCmykRoundTrip();
    void sweepIsGray();
};

void TestColors::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("0.5 to 0") << 0.5 << 0.0;
    QTest::newRow("1.5 to 2") << 1.5 << 2.0;
    QTest::newRow("2.5 to 2") << 2.5 << 2.0;
    QTest::newRow("127.5 to 128") << 127.5 << 128.0;
    QTest::newRow("254.5 to 254") << 254.5 << 254.0;
    QTest::newRow("0.49999 to 0") << 0.49999 << 0.0;
    QTest::newRow("2.50001 to 3") << 2.50001 << 3.0;
    QTest::newRow("-1.5 to -2") << -1.5 << -2.0;
}

void TestColors::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(RoundHalfEven(value), expected);
}

void TestColors::hueTable_data()
{
    QTest::addColumn<int>("degree");
    QTest::addColumn<TRGBColor>("expected");
    QTest::newRow("0 red") << 0 << TRGBColor{255, 0, 0};
    QTest::newRow("1") << 1 << TRGBColor{255, 4.25, 0};
    QTest::newRow("59") << 59 << TRGBColor{255, 250.75, 0};
    QTest::newRow("60 yellow") << 60 << TRGBColor{255, 255, 0};
    QTest::newRow("61") << 61 << TRGBColor{250.75, 255, 0};
    QTest::newRow("120 green") << 120 << TRGBColor{0, 255, 0};
    QTest::newRow("180 cyan") << 180 << TRGBColor{0, 255, 255};
    QTest::newRow("210") << 210 << TRGBColor{0, 127.5, 255};
    QTest::newRow("240 blue") << 240 << TRGBColor{0, 0, 255};
    QTest::newRow("300 magenta") << 300 << TRGBColor{255, 0, 255};
    QTest::newRow("359") << 359 << TRGBColor{255, 0, 4.25};
}

void TestColors::hueTable()
{
    QFETCH(int, degree);
    QFETCH(TRGBColor, expected);
    QVERIFY2(SameRGB(HueTable[degree], expected), qPrintable(show(HueTable[degree])));
}

void TestColors::rgbToHsb_data()
{
    QTest::addColumn<TRGBColor>("rgb");
    QTest::addColumn<THSBColor>("expected");
    QTest::newRow("white") << TRGBColor{255, 255, 255} << THSBColor{0, 0, 100};
    QTest::newRow("black") << TRGBColor{0, 0, 0} << THSBColor{0, 0, 0};
    QTest::newRow("gray 128") << TRGBColor{128, 128, 128} << THSBColor{0, 0, 100.0 * 128 / 255};
    QTest::newRow("red") << TRGBColor{255, 0, 0} << THSBColor{0, 100, 100};
    QTest::newRow("yellow") << TRGBColor{255, 255, 0} << THSBColor{60, 100, 100};
    QTest::newRow("0,128,255") << TRGBColor{0, 128, 255} << THSBColor{210, 100, 100};
    QTest::newRow("200,100,50") << TRGBColor{200, 100, 50} << THSBColor{20, 75, 100.0 * 200 / 255};
    QTest::newRow("255,2,0 stays on 0") << TRGBColor{255, 2, 0} << THSBColor{0, 100, 100};
    QTest::newRow("255,3,0 goes to 1") << TRGBColor{255, 3, 0} << THSBColor{1, 100, 100};
    QTest::newRow("dark blue 0,0,51") << TRGBColor{0, 0, 51} << THSBColor{240, 100, 20};
}

void TestColors::rgbToHsb()
{
    QFETCH(TRGBColor, rgb);
    QFETCH(THSBColor, expected);
    const THSBColor hsb = RGBToHSB(rgb);
    QCOMPARE(hsb.Hue, expected.Hue);
    QVERIFY2(near(hsb.Saturation, expected.Saturation), qPrintable(QString::number(hsb.Saturation, 'g', 17)));
    QVERIFY2(near(hsb.Brightness, expected.Brightness), qPrintable(QString::number(hsb.Brightness, 'g', 17)));
}

void TestColors::nearestHueTies_data()
{
    QTest::addColumn<TRGBColor>("rgb");
    QTest::addColumn<double>("expected");
    // Exactly halfway between two table entries: the lower degree wins.
    QTest::newRow("tie 0 and 1") << TRGBColor{255, 2.125, 0} << 0.0;
    QTest::newRow("tie 1 and 2") << TRGBColor{255, 6.375, 0} << 1.0;
    QTest::newRow("tie 119 and 120 is 119") << TRGBColor{2.125, 255, 0} << 119.0;
    QTest::newRow("nothing nearer than 765 gives 0") << TRGBColor{-1000, -1000, -1000} << 0.0;
}

void TestColors::nearestHueTies()
{
    QFETCH(TRGBColor, rgb);
    QFETCH(double, expected);
    QCOMPARE(NearestHue(rgb), expected);
}

void TestColors::hsbToRgb_data()
{
    QTest::addColumn<THSBColor>("hsb");
    QTest::addColumn<TRGBColor>("expected");
    QTest::newRow("0,50,100") << THSBColor{0, 50, 100} << TRGBColor{255, 127.5, 127.5};
    QTest::newRow("120,100,50") << THSBColor{120, 100, 50} << TRGBColor{0, 127.5, 0};
    QTest::newRow("359,100,100") << THSBColor{359, 100, 100} << TRGBColor{255, 0, 4.25};
    QTest::newRow("any hue, s 0, b 100 is white") << THSBColor{77, 0, 100} << TRGBColor{255, 255, 255};
    QTest::newRow("b 0 is black") << THSBColor{200, 60, 0} << TRGBColor{0, 0, 0};
}

void TestColors::hsbToRgb()
{
    QFETCH(THSBColor, hsb);
    QFETCH(TRGBColor, expected);
    const TRGBColor rgb = HSBToRGB(hsb);
    QVERIFY2(SameRGB(rgb, expected), qPrintable(show(rgb)));
}

void TestColors::hsbToColorRoundsHalfToEven()
{
    // 127.5 goes to 128 (even), and red is the low byte.
    QCOMPARE(HSBToColor({0, 50, 100}), TColor(0x008080FF));
    QCOMPARE(HSBToColor({120, 100, 50}), TColor(0x00008000));
    QCOMPARE(GrayToColor(0.5), TColor(0));
    QCOMPARE(GrayToColor(2.5), TColor(0x00020202));
}

void TestColors::makeHsb_data()
{
    QTest::addColumn<double>("hue");
    QTest::addColumn<double>("expected");
    QTest::newRow("-30") << -30.0 << 330.0;
    QTest::newRow("725") << 725.0 << 5.0;
    QTest::newRow("360") << 360.0 << 0.0;
    QTest::newRow("-360") << -360.0 << 0.0;
    QTest::newRow("-725") << -725.0 << 355.0;
    QTest::newRow("359.5") << 359.5 << 359.5;
}

void TestColors::makeHsb()
{
    QFETCH(double, hue);
    QFETCH(double, expected);
    const THSBColor hsb = MakeHSB(hue, 40, 60);
    QCOMPARE(hsb.Hue, expected);
    QCOMPARE(hsb.Saturation, 40.0);
    QCOMPARE(hsb.Brightness, 60.0);
}

void TestColors::hueToRgb_data()
{
    QTest::addColumn<double>("hue");
    QTest::addColumn<int>("entry");
    QTest::newRow("0.5 takes 0") << 0.5 << 0;
    QTest::newRow("1.5 takes 2") << 1.5 << 2;
    QTest::newRow("359.4 takes 359") << 359.4 << 359;
    QTest::newRow("-1 takes 359") << -1.0 << 359;
    QTest::newRow("420 takes 60") << 420.0 << 60;
    // No entry for 360: a hue just below a whole turn is red.
    QTest::newRow("359.7 wraps to 0") << 359.7 << 0;
    QTest::newRow("-0.3 wraps to 0") << -0.3 << 0;
}

void TestColors::hueToRgb()
{
    QFETCH(double, hue);
    QFETCH(int, entry);
    QVERIFY(SameRGB(HueToRGB(hue), HueTable[entry]));
    QCOMPARE(HueToColor(hue), RGBToColor(HueTable[entry]));
}

void TestColors::cmyk_data()
{
    QTest::addColumn<TRGBColor>("rgb");
    QTest::addColumn<TCMYKColor>("expected");
    QTest::newRow("white") << TRGBColor{255, 255, 255} << TCMYKColor{0, 0, 0, 0};
    QTest::newRow("black") << TRGBColor{0, 0, 0} << TCMYKColor{0, 0, 0, 100};
    QTest::newRow("red") << TRGBColor{255, 0, 0} << TCMYKColor{0, 100, 100, 0};
    QTest::newRow("gray 128") << TRGBColor{128, 128, 128} << TCMYKColor{0, 0, 0, 100.0 * 127 / 255};
    QTest::newRow("200,100,50") << TRGBColor{200, 100, 50}
                                << TCMYKColor{0, 100.0 * 100 / 255, 100.0 * 150 / 255, 100.0 * 55 / 255};
}

void TestColors::cmyk()
{
    QFETCH(TRGBColor, rgb);
    QFETCH(TCMYKColor, expected);
    const TCMYKColor k = RGBToCMYK(rgb);
    QVERIFY(near(k.Cyan, expected.Cyan));
    QVERIFY(near(k.Magenta, expected.Magenta));
    QVERIFY(near(k.Yellow, expected.Yellow));
    QVERIFY(near(k.Black, expected.Black));
    const TCMYKPercents p = RoundCMYK(k);
    QCOMPARE(p.Black, std::int32_t(RoundHalfEven(expected.Black)));
}

void TestColors::cmykToRgbClampsBelowZero()
{
    const TRGBColor rgb = CMYKToRGB({100, 0, 0, 50});
    QVERIFY2(SameRGB(rgb, {0, 127.5, 127.5}), qPrintable(show(rgb)));
    // There is no upper clamp.
    QCOMPARE(CMYKToRGB({-10, 0, 0, 0}).Red, 280.5);
}

void TestColors::cmyIsTheComplement()
{
    const TCMYColor cmy = ColorToCMY(0x00326496); // red 150, green 100, blue 50
    QCOMPARE(cmy.Cyan, 105.0);
    QCOMPARE(cmy.Magenta, 155.0);
    QCOMPARE(cmy.Yellow, 205.0);
    QVERIFY(SameRGB(CMYToRGB(cmy), {150, 100, 50}));
}

void TestColors::colorToWeb_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pure red") << TColor(0x000000FF) << "#FF0000";
    QTest::newRow("0,128,255") << TColor(0x00FF8000) << "#0080FF";
    QTest::newRow("silver") << TColor(0x00C0C0C0) << "#C0C0C0";
    QTest::newRow("system colour") << TColor(0x8000000F) << "#0F0000";
    QTest::newRow("letters upper case") << TColor(0x00ABCDEF) << "#EFCDAB";
    QTest::newRow("black") << TColor(0) << "#000000";
}

void TestColors::colorToWeb()
{
    QFETCH(TColor, color);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(ColorToWeb(color)), expected);
}

void TestColors::systemColourReadAsLowBytes()
{
    const TRGBColor rgb = SplitColor(TColor(0x8000000F));
    QVERIFY(SameRGB(rgb, {15, 0, 0}));
    QVERIFY(!IsGray(rgb));
    QCOMPARE(RGBToColor(rgb), TColor(15));
}

void TestColors::rangeErrors_data()
{
    QTest::addColumn<TRGBColor>("rgb");
    QTest::addColumn<bool>("fails");
    QTest::newRow("255.49 fits") << TRGBColor{255.49, 0, 0} << false;
    QTest::newRow("255.5 rounds to 256") << TRGBColor{255.5, 0, 0} << true;
    QTest::newRow("-0.5 rounds to 0") << TRGBColor{0, -0.5, 0} << false;
    QTest::newRow("-0.51 rounds to -1") << TRGBColor{0, -0.51, 0} << true;
    QTest::newRow("blue 300") << TRGBColor{0, 0, 300} << true;
    QTest::newRow("no wrap at 512") << TRGBColor{512, 0, 0} << true;
    QTest::newRow("not a number") << TRGBColor{0, std::nan(""), 0} << true;
}

void TestColors::rangeErrors()
{
    QFETCH(TRGBColor, rgb);
    QFETCH(bool, fails);
    bool threw = false;
    try {
        RGBToColor(rgb);
    } catch (const ERangeError &) {
        threw = true;
    }
    QCOMPARE(threw, fails);
    threw = false;
    try {
        GrayToColor(rgb.Red + rgb.Green + rgb.Blue);
    } catch (const ERangeError &) {
        threw = true;
    }
    QCOMPARE(threw, fails);
}

void TestColors::roundCmykRangeError()
{
    QVERIFY_THROWS_EXCEPTION(ERangeError, RoundCMYK({0, 0, 3e9, 0}));
    const TCMYKPercents p = RoundCMYK({12.5, 13.5, 99.5, 0.5});
    QCOMPARE(p.Cyan, 12);
    QCOMPARE(p.Magenta, 14);
    QCOMPARE(p.Yellow, 100);
    QCOMPARE(p.Black, 0);
}

void TestColors::sweepHsbRoundTrip()
{
    // A whole-degree hue lies within half a table step (2.125) of the true pure colour;
    // scaled by saturation and brightness, no channel moves further than that.
    double worst = 0;
    for (int r = 0; r <= 255; r += 5)
        for (int g = 0; g <= 255; g += 5)
            for (int b = 0; b <= 255; b += 5) {
                const TRGBColor rgb{double(r), double(g), double(b)};
                const THSBColor hsb = RGBToHSB(rgb);
                const double max = std::max({r, g, b}), min = std::min({r, g, b});
                QVERIFY(hsb.Hue >= 0 && hsb.Hue < 360 && hsb.Hue == std::floor(hsb.Hue));
                QVERIFY(near(hsb.Brightness, 100 * max / 255));
                QVERIFY(near(hsb.Saturation, max == 0 ? 0 : 100 * (max - min) / max));
                const TRGBColor back = HSBToRGB(hsb);
                worst = std::max({worst, std::fabs(back.Red - r), std::fabs(back.Green - g),
                                  std::fabs(back.Blue - b)});
                QVERIFY2(worst <= 2.125 + 1e-9, qPrintable(show(rgb) + " -> " + show(back)));
                HSBToColor(hsb); // always within range
            }
}

void TestColors::sweepCmykRoundTrip()
{
    for (int r = 0; r <= 255; r += 5)
        for (int g = 0; g <= 255; g += 5)
            for (int b = 0; b <= 255; b += 5) {
                const TRGBColor rgb{double(r), double(g), double(b)};
                const TCMYKColor k = RGBToCMYK(rgb);
                QVERIFY(k.Cyan + k.Black <= 100 + 1e-9 && k.Magenta + k.Black <= 100 + 1e-9
                        && k.Yellow + k.Black <= 100 + 1e-9);
                QVERIFY(std::min({k.Cyan, k.Magenta, k.Yellow}) == 0);
                const TRGBColor back = CMYKToRGB(k);
                QVERIFY2(near(back.Red, r, 1e-9) && near(back.Green, g, 1e-9) && near(back.Blue, b, 1e-9),
                         qPrintable(show(rgb) + " -> " + show(back)));
                QCOMPARE(RGBToColor(back), RGBToColor(rgb));
            }
}

void TestColors::sweepIsGray()
{
    for (int r = 0; r <= 255; r += 5)
        for (int g = 0; g <= 255; g += 5)
            for (int b = 0; b <= 255; b += 5) {
                const TRGBColor rgb{double(r), double(g), double(b)};
                const bool gray = r == g && g == b;
                QCOMPARE(IsGray(rgb), gray);
                if (gray) {
                    const THSBColor hsb = RGBToHSB(rgb);
                    QCOMPARE(hsb.Hue, 0.0);
                    QCOMPARE(hsb.Saturation, 0.0);
                    QVERIFY(SameRGB(HSBToRGB(hsb), rgb) || near(HSBToRGB(hsb).Red, r));
                }
            }
    QVERIFY(!IsGray({128, 128, 128.5}));
}

QTEST_APPLESS_MAIN(TestColors)
#include "tst_colors.moc"
