#include "colordialog/Colors.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr double kStep = 4.25; // 255 / 60: exact in binary, so every table value is exact

struct HueTableData
{
    TRGBColor entries[360];
    constexpr HueTableData() : entries{}
    {
        for (int h = 0; h < 360; ++h) {
            const double t = kStep * (h % 60);
            TRGBColor &e = entries[h];
            switch (h / 60) {
            case 0: e = {255, t, 0}; break;
            case 1: e = {255 - t, 255, 0}; break;
            case 2: e = {0, 255, t}; break;
            case 3: e = {0, 255 - t, 255}; break;
            case 4: e = {t, 0, 255}; break;
            default: e = {255, 0, 255 - t}; break;
            }
        }
    }
};

constexpr HueTableData kHueTable{};

// One channel rounded and checked; never clamped or wrapped.
int RoundChannel(double value)
{
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= 0.0 && rounded <= 255.0))
        throw ERangeError();
    return static_cast<int>(rounded);
}

std::int32_t RoundInt32(double value)
{
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::min())
          && rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::max())))
        throw ERangeError();
    return static_cast<std::int32_t>(rounded);
}

double ReduceDegrees(double hue)
{
    double h = hue - std::trunc(hue / 360.0) * 360.0;
    if (h < 0)
        h += 360.0;
    return h;
}

} // namespace

// Filled at compile time from the rule above, so the values are exact and constant.
const TRGBColor HueTable[360] = {
#define HUE_ROW(i) kHueTable.entries[i]
#define HUE_10(i) HUE_ROW(i), HUE_ROW(i + 1), HUE_ROW(i + 2), HUE_ROW(i + 3), HUE_ROW(i + 4), \
                  HUE_ROW(i + 5), HUE_ROW(i + 6), HUE_ROW(i + 7), HUE_ROW(i + 8), HUE_ROW(i + 9)
#define HUE_60(i) HUE_10(i), HUE_10(i + 10), HUE_10(i + 20), HUE_10(i + 30), HUE_10(i + 40), HUE_10(i + 50)
    HUE_60(0), HUE_60(60), HUE_60(120), HUE_60(180), HUE_60(240), HUE_60(300)
#undef HUE_60
#undef HUE_10
#undef HUE_ROW
};

double RoundHalfEven(double value)
{
    // nearbyint follows the current rounding mode; the dialog always wants ties to even,
    // whatever mode some other code may have left behind.
    const int saved = std::fegetround();
    if (saved == FE_TONEAREST)
        return std::nearbyint(value);
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(saved);
    return r;
}

TRGBColor SplitColor(TColor color)
{
    const auto v = static_cast<std::uint32_t>(color);
    return {double(v & 0xFF), double((v >> 8) & 0xFF), double((v >> 16) & 0xFF)};
}

TColor RGBToColor(const TRGBColor &rgb)
{
    const int b = RoundChannel(rgb.Blue);
    const int g = RoundChannel(rgb.Green);
    const int r = RoundChannel(rgb.Red);
    return r + g * 256 + b * 65536;
}

TRGBColor MakeRGB(double red, double green, double blue) { return {red, green, blue}; }
TCMYColor MakeCMY(double cyan, double magenta, double yellow) { return {cyan, magenta, yellow}; }

TCMYKColor MakeCMYK(double cyan, double magenta, double yellow, double black)
{
    return {cyan, magenta, yellow, black};
}

THSBColor MakeHSB(double hue, double saturation, double brightness)
{
    return {ReduceDegrees(hue), saturation, brightness};
}

TRGBColor GrayToRGB(double gray) { return {gray, gray, gray}; }

TColor GrayToColor(double gray) { return RGBToColor(GrayToRGB(gray)); }

TRGBColor HueToRGB(double hue)
{
    double h = ReduceDegrees(hue);
    if (h >= 360.0)
        h -= 360.0;
    int index = static_cast<int>(RoundHalfEven(h));
    // Within half a degree below 360 the hue rounds to 360, which has no entry: it is red.
    if (index >= 360)
        index = 0;
    return HueTable[index];
}

TColor HueToColor(double hue) { return RGBToColor(HueToRGB(hue)); }

double RGBDistance(const TRGBColor &a, const TRGBColor &b)
{
    return std::fabs(a.Red - b.Red) + std::fabs(a.Green - b.Green) + std::fabs(a.Blue - b.Blue);
}

double NearestHue(const TRGBColor &rgb)
{
    double best = 765;
    int result = 0;
    for (int i = 0; i < 360; ++i) {
        const double d = RGBDistance(HueTable[i], rgb);
        if (d < best) {
            result = i;
            best = d;
        }
    }
    return result;
}

THSBColor RGBToHSB(const TRGBColor &rgb)
{
    double r = rgb.Red, g = rgb.Green, b = rgb.Blue;
    if (r == 255 && g == 255 && b == 255)
        return {0, 0, 100};

    THSBColor hsb;
    double max = r;
    if (max < b) max = b;
    if (max < g) max = g;
    if (max > 0) {
        r = 255 * r / max;
        g = 255 * g / max;
        b = 255 * b / max;
        hsb.Brightness = 100 * max / 255;
    } else {
        hsb.Brightness = 0;
    }

    max = r;
    if (max < b) max = b;
    if (max < g) max = g;
    double min = r;
    if (min > b) min = b;
    if (min > g) min = g;
    hsb.Saturation = (max - min) * 100 / 255;

    auto pure = [max, min](double c) {
        if (c == min)
            return 0.0;
        if (c == max)
            return 255.0;
        return 255 / ((255 - c) / (c - min) + 1);
    };
    r = pure(r);
    g = pure(g);
    b = pure(b);

    hsb.Hue = NearestHue({r, g, b});
    return hsb;
}

TRGBColor HSBToRGB(const THSBColor &hsb)
{
    if (hsb.Saturation == 0 && hsb.Brightness == 100)
        return {255, 255, 255};
    const TRGBColor p = HueToRGB(hsb.Hue);
    auto channel = [&hsb](double c) {
        return (c + (100 - hsb.Saturation) * (255 - c) / 100) * hsb.Brightness / 100;
    };
    return {channel(p.Red), channel(p.Green), channel(p.Blue)};
}

THSBColor ColorToHSB(TColor color) { return RGBToHSB(SplitColor(color)); }
TColor HSBToColor(const THSBColor &hsb) { return RGBToColor(HSBToRGB(hsb)); }

TCMYColor RGBToCMY(const TRGBColor &rgb) { return {255 - rgb.Red, 255 - rgb.Green, 255 - rgb.Blue}; }
TRGBColor CMYToRGB(const TCMYColor &cmy) { return {255 - cmy.Cyan, 255 - cmy.Magenta, 255 - cmy.Yellow}; }
TCMYColor ColorToCMY(TColor color) { return RGBToCMY(SplitColor(color)); }

TCMYKColor RGBToCMYK(const TRGBColor &rgb)
{
    const double c = 255 - rgb.Red, m = 255 - rgb.Green, y = 255 - rgb.Blue;
    double k = m;
    if (c < k) k = c;
    if (y < k) k = y;
    return {(c - k) * 100 / 255, (m - k) * 100 / 255, (y - k) * 100 / 255, k * 100 / 255};
}

TRGBColor CMYKToRGB(const TCMYKColor &cmyk)
{
    auto channel = [&cmyk](double component) {
        const double v = 255 - (component + cmyk.Black) * 255 / 100;
        return v < 0 ? 0.0 : v;
    };
    return {channel(cmyk.Cyan), channel(cmyk.Magenta), channel(cmyk.Yellow)};
}

TCMYKColor ColorToCMYK(TColor color) { return RGBToCMYK(SplitColor(color)); }

TCMYKPercents RoundCMYK(const TCMYKColor &cmyk)
{
    return {RoundInt32(cmyk.Cyan), RoundInt32(cmyk.Magenta), RoundInt32(cmyk.Yellow),
            RoundInt32(cmyk.Black)};
}

bool SameRGB(const TRGBColor &a, const TRGBColor &b)
{
    return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
}

bool IsGray(const TRGBColor &rgb) { return rgb.Red == rgb.Green && rgb.Red == rgb.Blue; }

std::string ColorToWeb(TColor color)
{
    const auto v = static_cast<std::uint32_t>(color);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    return buffer;
}
