// Window designs are measured in twips (1440 to the inch); the windows are
// built in pixels at their own DPI. Every conversion goes through
// TwipsToPixels so that all controls round alike.
#pragma once

#include <cstdint>

namespace icotrace {

inline constexpr std::int32_t kTwipsPerInch = 1440;
inline constexpr std::uint32_t kDefaultDpi = 96;

// round(twips * dpi / 1440), halves away from zero, in 64-bit arithmetic so
// that no design length overflows at any DPI.
constexpr std::int32_t TwipsToPixels(std::int32_t twips, std::uint32_t dpi) {
  const std::int64_t scaled = static_cast<std::int64_t>(twips) * static_cast<std::int64_t>(dpi);
  const std::int64_t whole = scaled / kTwipsPerInch;
  const std::int64_t rest = scaled % kTwipsPerInch;
  if (2 * rest >= kTwipsPerInch) return static_cast<std::int32_t>(whole + 1);
  if (2 * rest <= -kTwipsPerInch) return static_cast<std::int32_t>(whole - 1);
  return static_cast<std::int32_t>(whole);
}

struct TwipsSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

struct TwipsRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

struct PixelSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct PixelRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t Right() const { return Left + Width; }
  std::int32_t Bottom() const { return Top + Height; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

constexpr PixelSize ToPixels(const TwipsSize& size, std::uint32_t dpi) {
  return {TwipsToPixels(size.Width, dpi), TwipsToPixels(size.Height, dpi)};
}

// The edges are converted, not the sizes: controls that touch or overlap by a
// twip in the design keep touching or overlapping at every DPI.
constexpr PixelRect ToPixels(const TwipsRect& rect, std::uint32_t dpi) {
  const std::int32_t left = TwipsToPixels(rect.Left, dpi);
  const std::int32_t top = TwipsToPixels(rect.Top, dpi);
  return {left, top, TwipsToPixels(rect.Left + rect.Width, dpi) - left,
          TwipsToPixels(rect.Top + rect.Height, dpi) - top};
}

}  // namespace icotrace
