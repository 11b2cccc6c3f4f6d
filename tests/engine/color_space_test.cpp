// SPDX-License-Identifier: MIT
// OKLab and OKLCH against published reference values, interpolation along stops, and the
// WCAG 2 contrast ratio.
#include "kelvara/engine/color_space.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "kelvara/engine/output_format.h"

namespace kelvara::engine {
namespace {

struct Reference {
    Rgb rgb;
    OkLab lab;
};

// Published OKLab values (Björn Ottosson's reference implementation, as quoted by CSS Color 4).
const std::vector<Reference> kReferences = {
    {Rgb{255, 255, 255}, OkLab{1.0, 0.0, 0.0}},
    {Rgb{255, 0, 0}, OkLab{0.627955, 0.224863, 0.125846}},
    {Rgb{0, 0, 255}, OkLab{0.452014, -0.032457, -0.311528}},
    {Rgb{128, 128, 128}, OkLab{0.599871, 0.0, 0.0}},
};

TEST(OkLab, ReferenceColoursConvertBothWays)
{
    for (const Reference& r : kReferences) {
        const OkLab lab = ToOkLab(r.rgb);
        EXPECT_NEAR(lab.L, r.lab.L, 1e-4);
        EXPECT_NEAR(lab.a, r.lab.a, 1e-4);
        EXPECT_NEAR(lab.b, r.lab.b, 1e-4);
        const Rgb back = FromOkLab(r.lab);
        EXPECT_NEAR(back.red, r.rgb.red, 1);
        EXPECT_NEAR(back.green, r.rgb.green, 1);
        EXPECT_NEAR(back.blue, r.rgb.blue, 1);
    }
}

TEST(OkLab, EveryColourOfAGridSurvivesTheRoundTrip)
{
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                EXPECT_EQ(FromOkLab(ToOkLab(Rgb{r, g, b})), (Rgb{r, g, b}));
            }
        }
    }
}

TEST(OkLab, OutOfGamutValuesAreClipped)
{
    EXPECT_EQ(FromOkLab(OkLab{1.2, 0, 0}), (Rgb{255, 255, 255}));
    EXPECT_EQ(FromOkLab(OkLab{-0.1, 0, 0}), (Rgb{0, 0, 0}));
    const Rgb vivid = FromOkLab(OkLab{0.7, 0.4, 0.0});
    EXPECT_EQ(vivid.red, 255);
}

TEST(OkLch, RedHasItsPublishedChromaAndHue)
{
    const OkLch lch = ToOkLch(ToOkLab(Rgb{255, 0, 0}));
    EXPECT_NEAR(lch.L, 0.627955, 1e-4);
    EXPECT_NEAR(lch.C, 0.257683, 1e-4);
    EXPECT_NEAR(lch.h, 29.2339, 1e-2);
    const Rgb back = FromOkLab(FromOkLch(lch));
    EXPECT_EQ(back, (Rgb{255, 0, 0}));
}

const std::vector<Rgb> kRedBlue = {Rgb{255, 0, 0}, Rgb{0, 0, 255}};

TEST(Gradient, TheEndsAreTheStopsExactly)
{
    for (const ColorSpace space : {ColorSpace::Rgb, ColorSpace::OkLab, ColorSpace::OkLch}) {
        const Gradient gradient(kRedBlue, space);
        EXPECT_EQ(gradient.At(0), kRedBlue[0]);
        EXPECT_EQ(gradient.At(1), kRedBlue[1]);
        EXPECT_EQ(gradient.At(-3), kRedBlue[0]);
        EXPECT_EQ(gradient.At(7), kRedBlue[1]);
    }
}

TEST(Gradient, OkLabMiddleOfRedToBlueKeepsItsLightnessBetweenTheEnds)
{
    const double red = ToOkLab(kRedBlue[0]).L;
    const double blue = ToOkLab(kRedBlue[1]).L;
    const double middle = ToOkLab(Gradient(kRedBlue, ColorSpace::OkLab).At(0.5)).L;
    EXPECT_GT(middle, blue);
    EXPECT_LT(middle, red);
    // The RGB middle is the muddy one: darker than both ends.
    const double rgbMiddle = ToOkLab(Gradient(kRedBlue, ColorSpace::Rgb).At(0.5)).L;
    EXPECT_LT(rgbMiddle, blue);
}

TEST(Gradient, OkLchTakesTheShorterWayRoundTheHue)
{
    // Red (29°) to blue (264°): the short way runs down through magenta, not through green.
    const OkLch middle = ToOkLch(ToOkLab(Gradient(kRedBlue, ColorSpace::OkLch).At(0.5)));
    EXPECT_GT(middle.h, 300);
    EXPECT_LT(middle.h, 350);
}

TEST(Gradient, OkLchKeepsTheHueOfTheColouredEndAgainstGrey)
{
    const std::vector<Rgb> whiteRed = {Rgb{255, 255, 255}, Rgb{255, 0, 0}};
    const OkLch middle = ToOkLch(ToOkLab(Gradient(whiteRed, ColorSpace::OkLch).At(0.5)));
    EXPECT_NEAR(middle.h, 29.2, 3.0);
    const std::vector<Rgb> greyBlue = {Rgb{128, 128, 128}, Rgb{0, 0, 255}};
    const OkLch quarter = ToOkLch(ToOkLab(Gradient(greyBlue, ColorSpace::OkLch).At(0.25)));
    EXPECT_NEAR(quarter.h, ToOkLch(ToOkLab(Rgb{0, 0, 255})).h, 3.0);
}

TEST(Contrast, WcagReferenceRatios)
{
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb{0, 0, 0}, Rgb{255, 255, 255}), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb{255, 255, 255}, Rgb{0, 0, 0}), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb{12, 34, 56}, Rgb{12, 34, 56}), 1.0);
    // #767676 is the lightest grey that passes on white, #777777 just fails.
    EXPECT_GE(ContrastRatio(Rgb{0x76, 0x76, 0x76}, Rgb{255, 255, 255}), 4.5);
    EXPECT_LT(ContrastRatio(Rgb{0x77, 0x77, 0x77}, Rgb{255, 255, 255}), 4.5);
    EXPECT_NEAR(RelativeLuminance(Rgb{255, 0, 0}), 0.2126, 1e-9);
}

TEST(Contrast, RatioTextIsTruncatedSoAFailNeverReadsFourPointFive)
{
    EXPECT_EQ(FormatRatio(4.4999), "4.49");
    EXPECT_EQ(FormatRatio(21.0), "21.00");
    EXPECT_EQ(FormatRatio(1.0), "1.00");
    EXPECT_EQ(FormatRatio(ContrastRatio(Rgb{0x77, 0x77, 0x77}, Rgb{255, 255, 255})), "4.47");
}

}  // namespace
}  // namespace kelvara::engine
