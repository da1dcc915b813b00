#pragma once

// Colour models and conversions of the colour dialog: free functions on plain records,
// standard library only. Ranges: RGB and CMY channels 0..255, hue 0..<360 degrees,
// saturation, brightness and CMYK components 0..100 percent, gray levels 0..255.
// Rounding is to the nearest integer, an exact half to the even neighbour.

#include <cstdint>
#include <stdexcept>
#include <string>

using TColor = std::int32_t; // 0x00BBGGRR; negative values name system colours

struct TRGBColor { double Red = 0, Green = 0, Blue = 0; };
struct THSBColor { double Hue = 0, Saturation = 0, Brightness = 0; };
struct TCMYColor { double Cyan = 0, Magenta = 0, Yellow = 0; };
struct TCMYKColor { double Cyan = 0, Magenta = 0, Yellow = 0, Black = 0; };
struct TCMYKPercents { std::int32_t Cyan = 0, Magenta = 0, Yellow = 0, Black = 0; };

// A channel or component that rounds outside its range. The message is the one the
// application's error box shows.
class ERangeError : public std::range_error
{
public:
    ERangeError() : std::range_error("Erreur de vérification d'étendue") {}
    using std::range_error::range_error;
};

extern const TRGBColor HueTable[360];

double RoundHalfEven(double value); // the rounding of the whole dialog

TRGBColor SplitColor(TColor color);
TColor RGBToColor(const TRGBColor &rgb);             // ERangeError outside 0..255
TRGBColor MakeRGB(double red, double green, double blue);
TCMYColor MakeCMY(double cyan, double magenta, double yellow);
TCMYKColor MakeCMYK(double cyan, double magenta, double yellow, double black);
THSBColor MakeHSB(double hue, double saturation, double brightness);
TRGBColor GrayToRGB(double gray);
TColor GrayToColor(double gray);                     // ERangeError outside 0..255
TRGBColor HueToRGB(double hue);
TColor HueToColor(double hue);
double RGBDistance(const TRGBColor &a, const TRGBColor &b);
double NearestHue(const TRGBColor &rgb);
THSBColor RGBToHSB(const TRGBColor &rgb);
TRGBColor HSBToRGB(const THSBColor &hsb);
THSBColor ColorToHSB(TColor color);
TColor HSBToColor(const THSBColor &hsb);
TCMYColor RGBToCMY(const TRGBColor &rgb);
TRGBColor CMYToRGB(const TCMYColor &cmy);
TCMYColor ColorToCMY(TColor color);
TCMYKColor RGBToCMYK(const TRGBColor &rgb);
TRGBColor CMYKToRGB(const TCMYKColor &cmyk);
TCMYKColor ColorToCMYK(TColor color);
TCMYKPercents RoundCMYK(const TCMYKColor &cmyk);   // ERangeError beyond 32 bits
bool SameRGB(const TRGBColor &a, const TRGBColor &b);
bool IsGray(const TRGBColor &rgb);
std::string ColorToWeb(TColor color);                // "#RRGGBB", upper-case digits
