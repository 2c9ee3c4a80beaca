#include "platform/controls/Contrast.h"

#include <algorithm>
#include <cmath>

namespace tessaro {
namespace {

// sRGB components to linear light, and the luminance weights of the three primaries.
constexpr double kLinearThreshold = 0.04045;
constexpr double kLinearSlope = 12.92;
constexpr double kGammaOffset = 0.055;
constexpr double kGammaScale = 1.055;
constexpr double kGamma = 2.4;
constexpr double kRedWeight = 0.2126;
constexpr double kGreenWeight = 0.7152;
constexpr double kBlueWeight = 0.0722;
// Keeps the ratio finite for black: the flare of a real screen.
constexpr double kFlare = 0.05;
constexpr double kLeastReadableRatio = 3.0;

double linear(double component)
{
    return component <= kLinearThreshold ? component / kLinearSlope
                                         : std::pow((component + kGammaOffset) / kGammaScale, kGamma);
}

double luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return kRedWeight * linear(rgb.redF()) + kGreenWeight * linear(rgb.greenF()) + kBlueWeight * linear(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor& first, const QColor& second)
{
    const double a = luminance(first) + kFlare;
    const double b = luminance(second) + kFlare;
    return std::max(a, b) / std::min(a, b);
}

bool standsOut(const QColor& ink, const QColor& ground)
{
    return contrastRatio(ink, ground) >= kLeastReadableRatio;
}

QColor readableOn(const QColor& ground, const QColor& preferred)
{
    if (standsOut(preferred, ground))
        return preferred;
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(black, ground) >= contrastRatio(white, ground) ? black : white;
}

} // namespace tessaro
