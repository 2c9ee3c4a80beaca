// Contrast by relative luminance: L = 0.2126 R + 0.7152 G + 0.0722 B of the linear components
// (c / 12.92 up to 0.04045, else ((c + 0.055) / 1.055)^2.4), ratio (L1 + 0.05) / (L2 + 0.05).
// The expected ratios below were worked out from that formula for each pair.
#include "platform/controls/Contrast.h"

#include <gtest/gtest.h>

#include <string>

using namespace tessaro;

namespace {

std::string named(const QColor& colour) { return colour.name().toStdString(); }

} // namespace

TEST(Contrast, StandingOutStartsAtARatioOfThree)
{
    const QColor black(Qt::black), white(Qt::white);
    const struct { QColor ink, ground; double ratio; } cases[] = {
        {black, white, 21.0},                       // 1.05 / 0.05
        {white, black, 21.0},                       // in either order
        {QColor(0x80, 0x40, 0x20), QColor(0x80, 0x40, 0x20), 1.0},
        {QColor(0x76, 0x76, 0x76), white, 4.5422},  // L = 0.18116: the lightest grey above 4.5
        {QColor(0x77, 0x77, 0x77), white, 4.4781},  // one step lighter falls below it
        {QColor(0x94, 0x94, 0x94), white, 3.0335},  // just stands out
        {QColor(0x95, 0x95, 0x95), white, 2.9953},  // just does not
        {QColor(0xFF, 0x00, 0x00), white, 3.9985},  // each primary by its own weight
        {QColor(0x00, 0xFF, 0x00), white, 1.3722},
        {QColor(0x00, 0x00, 0xFF), white, 8.5925},
        {QColor(0x0A, 0x0A, 0x0A), black, 1.0607},  // below 0.04045 the linear part applies
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(contrastRatio(c.ink, c.ground), c.ratio, 0.001) << named(c.ink) << " on " << named(c.ground);
        EXPECT_EQ(standsOut(c.ink, c.ground), c.ratio >= 3.0) << named(c.ink) << " on " << named(c.ground);
    }
}

TEST(Contrast, ReadableInkKeepsThePreferredColourOrTakesBlackOrWhiteWhicheverStandsOutMore)
{
    const QColor black(Qt::black), white(Qt::white), blue(Qt::blue);
    const struct { QColor ground, preferred, expected; } cases[] = {
        {QColor(0x20, 0x20, 0x20), black, white},        // dark ground: 16.3 against 1.29
        {QColor(0xF0, 0xF0, 0xF0), white, black},        // light ground: 18.4 against 1.14
        {white, blue, blue},                             // 8.59: the preferred colour stays
        {blue, black, white},                            // 2.44 is too little; white gives 8.59
        {QColor(0xFF, 0x00, 0x00), QColor(0xFF, 0x20, 0x20), black}, // on red black wins, 5.25 to 4.00
        {QColor(0x76, 0x76, 0x76), QColor(0x77, 0x77, 0x77), black}, // mid grey: 4.62 to 4.54
    };
    for (const auto& c : cases)
        EXPECT_EQ(readableOn(c.ground, c.preferred), c.expected) << named(c.preferred) << " on " << named(c.ground);
}
