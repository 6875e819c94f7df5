// The records that travel to the desktop control (LVITEM, POINT,
// LVFINDINFO), held as plain fields and written as bytes for the pointer
// width of the shell that reads them. Never a host struct copied as is: the
// shell may be 32 or 64-bit whatever this program is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win_types.h"

namespace icotrace {

enum class PointerWidth { Bits32, Bits64 };

using Bytes = std::vector<std::uint8_t>;

struct LvItem {
  std::uint32_t mask = 0;
  std::int32_t iItem = 0;
  std::int32_t iSubItem = 0;
  std::uint32_t state = 0;
  std::uint32_t stateMask = 0;
  RemoteAddress pszText = 0;
  std::int32_t cchTextMax = 0;
  std::int32_t iImage = 0;
  std::int64_t lParam = 0;  // pointer-sized in the control
  std::int32_t iIndent = 0;
};

struct PointRecord {
  std::int32_t x = 0;
  std::int32_t y = 0;

  friend bool operator==(const PointRecord&, const PointRecord&) = default;
};

struct LvFindInfo {
  std::uint32_t flags = 0;
  RemoteAddress psz = 0;
  std::int64_t lParam = 0;
  PointRecord pt;
  std::uint32_t vkDirection = 0;
};

std::size_t LvItemSize(PointerWidth width);
std::size_t LvFindInfoSize(PointerWidth width);
inline constexpr std::size_t kPointSize = 8;

Bytes EncodeLvItem(const LvItem& item, PointerWidth width);
LvItem DecodeLvItem(const Bytes& bytes, PointerWidth width);
Bytes EncodeLvFindInfo(const LvFindInfo& find, PointerWidth width);
LvFindInfo DecodeLvFindInfo(const Bytes& bytes, PointerWidth width);
Bytes EncodePoint(const PointRecord& point);
PointRecord DecodePoint(const Bytes& bytes);

}  // namespace icotrace
