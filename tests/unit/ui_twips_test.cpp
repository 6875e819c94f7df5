#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "ui/twips.h"

namespace icotrace::testing {
namespace {

struct Rounding {
  std::int32_t twips;
  std::uint32_t dpi;
  std::int32_t pixels;
};

class TwipsRounding : public ::testing::TestWithParam<Rounding> {};

TEST_P(TwipsRounding, RoundsToTheNearestPixelHalvesAwayFromZero) {
  EXPECT_EQ(TwipsToPixels(GetParam().twips, GetParam().dpi), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Dpis, TwipsRounding,
    ::testing::Values(
        // 96 dpi: 15 twips to the pixel, never a half.
        Rounding{0, 96, 0}, Rounding{7, 96, 0}, Rounding{8, 96, 1}, Rounding{15, 96, 1},
        Rounding{8430, 96, 562}, Rounding{6390, 96, 426}, Rounding{50, 96, 3},
        // 120 dpi: 12 twips to the pixel; 6 and 18 are halves.
        Rounding{5, 120, 0}, Rounding{6, 120, 1}, Rounding{18, 120, 2}, Rounding{1335, 120, 111},
        // 144 dpi: 10 twips to the pixel; 5, 15 and 8175 end in halves.
        Rounding{4, 144, 0}, Rounding{5, 144, 1}, Rounding{15, 144, 2}, Rounding{8175, 144, 818},
        // Negative lengths mirror the positive ones.
        Rounding{-5, 144, -1}, Rounding{-4, 144, 0}, Rounding{-15, 96, -1}, Rounding{-8, 96, -1},
        // No overflow where twips * dpi leaves 32 bits.
        Rounding{std::numeric_limits<std::int32_t>::max(), 480, 715827882},
        Rounding{std::numeric_limits<std::int32_t>::min(), 480, -715827883}));

TEST(TwipsRects, ConvertEdgesSoThatNeighboursStayInTouch) {
  // Two designs that overlap by 15 twips: the second starts where the first
  // ends less one pixel at 96 dpi, and still overlaps at 144.
  const TwipsRect first{120, 0, 8175, 4575};
  const TwipsRect second{120, 4560, 8175, 1695};
  EXPECT_EQ(ToPixels(first, 96), (PixelRect{8, 0, 545, 305}));
  EXPECT_EQ(ToPixels(second, 96), (PixelRect{8, 304, 545, 113}));
  EXPECT_EQ(ToPixels(first, 144), (PixelRect{12, 0, 818, 458}));
  EXPECT_EQ(ToPixels(second, 144), (PixelRect{12, 456, 818, 170}));
  EXPECT_GT(ToPixels(first, 144).Bottom(), ToPixels(second, 144).Top);
}

TEST(TwipsRects, SizesScaleHalfAgainAt144Dpi) {
  EXPECT_EQ(ToPixels(TwipsSize{8430, 6390}, 144), (PixelSize{843, 639}));
  EXPECT_EQ(ToPixels(TwipsSize{6765, 6150}, 144), (PixelSize{677, 615}));
}

}  // namespace
}  // namespace icotrace::testing
