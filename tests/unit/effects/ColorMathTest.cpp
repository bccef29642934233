// The colour formulas behind bevels, lines and glows, checked against worked values.
#include <gtest/gtest.h>

#include "graphics/PixelEffectsMath.h"

namespace {

uint32_t Grey(int v) { return uint32_t(v) * 0x010101u; }

TEST(LightenDarken, WorkedValues) {
    struct Case {
        const char* name;
        uint32_t result, expected;
    };
    const Case cases[] = {
        {"black half way to white", Lighten(0x000000, 50), 0x7F7F7F},
        {"0 per cent keeps the colour", Lighten(0x3C7A11, 0), 0x3C7A11},
        {"100 per cent is white", Lighten(0x3C7A11, 100), 0xFFFFFF},
        // Red 0x30, green 0x20, blue 0x10 each move by their own distance to 255.
        {"channels apart", Lighten(0x102030, 50), 0x878F97},
        {"lighten 80 floors", Lighten(Grey(100), 80), Grey(100 + 124)},
        {"darken keeps 100 per cent", Darken(0x3C7A11, 100), 0x3C7A11},
        {"darken 0 is black", Darken(0x3C7A11, 0), 0x000000},
        {"darken channels apart", Darken(0x102030, 50), 0x081018},
        {"darken 20 floors", Darken(Grey(99), 20), Grey(19)},
        // GetPixel's failure value and palette flags must not leak into a written colour.
        {"high byte ignored", Lighten(0x02FFFFFF, 0), 0xFFFFFF},
        {"invalid colour stays a colour", Darken(kInvalidColor, 50), Grey(127)},
        {"percent above 100 is 100", Lighten(Grey(10), 250), 0xFFFFFF},
        {"negative percent is 0", Darken(Grey(10), -5), 0x000000},
    };
    for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.name;
}

// Lines and bevels go through the tables: they must agree with the formulas everywhere.
TEST(LightenDarken, TablesGiveTheFormulasValueForEveryChannelAndPercent) {
    for (int p = -1; p <= 101; ++p) {
        const ChannelTable lighten = LightenTable(p), darken = DarkenTable(p);
        for (uint32_t v = 0; v < 256; ++v) {
            const uint32_t color = v | (255 - v) << 8 | (v * 7 & 0xFF) << 16;
            ASSERT_EQ(lighten.Apply(color), Lighten(color, p)) << p << " " << v;
            ASSERT_EQ(darken.Apply(color), Darken(color, p)) << p << " " << v;
        }
    }
    EXPECT_EQ(LightenTable(50).Apply(kInvalidColor), 0xFFFFFFu);
}

TEST(BlendColor, EveryWeightBetweenLineColourAndOldPixel) {
    for (int w = 0; w <= 15; ++w) {
        // From black towards white in steps of 17, and the reverse: both channels' signs.
        EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, w), Grey(17 * w)) << w;
        EXPECT_EQ(BlendColor(0x000000, 0xFFFFFF, w), Grey(255 - 17 * w)) << w;
    }
}

TEST(BlendColor, TruncatesTowardZeroAndClampsWeights) {
    // old 0, colour 16: 16 + (-16 * 1) / 15 is 15 with truncation, 14 with flooring.
    EXPECT_EQ(BlendColor(0x000000, Grey(16), 1), Grey(15));
    EXPECT_EQ(BlendColor(Grey(16), 0x000000, 1), Grey(1));
    EXPECT_EQ(BlendColor(0x123456, 0xABCDEF, -3), 0xABCDEFu);
    EXPECT_EQ(BlendColor(0x123456, 0x02ABCDEF, 0), 0xABCDEFu);
    EXPECT_EQ(BlendColor(0x123456, 0xABCDEF, 15), 0x123456u);
    EXPECT_EQ(BlendColor(0x123456, 0xABCDEF, 40), 0x123456u);
    // Channels are blended apart: red towards 0, blue towards 255.
    EXPECT_EQ(BlendColor(0xFF0000, 0x0000FF, 5), 0x5500AAu);
}

TEST(GlowColor, FadesFromColourAtCentreToOldAtReach) {
    EXPECT_NEAR(GlowReach(), 28.2843, 1e-4);
    EXPECT_EQ(GlowColor(0xFFFFFF, 0x000000, 0.0), 0x000000u);
    EXPECT_EQ(GlowColor(0xFFFFFF, 0x204060, 0.0), 0x204060u);
    EXPECT_EQ(GlowColor(0xFFFFFF, 0x000000, GlowReach() / 2), Grey(127));
    EXPECT_EQ(GlowColor(Grey(200), Grey(100), 10.0), Grey(100 + int(100 * 10.0 / GlowReach())));
    // Towards a darker old colour the value falls, still truncated toward zero.
    EXPECT_EQ(GlowColor(0x000000, Grey(255), 10.0), Grey(int(255 - 255 * 10.0 / GlowReach())));
    uint32_t previous = 0;
    for (int d = 1; d <= 28; ++d) {
        const uint32_t now = GlowColor(0xFFFFFF, 0x000000, d) & 0xFF;
        EXPECT_GT(now, previous) << d;
        previous = now;
    }
}

}  // namespace
