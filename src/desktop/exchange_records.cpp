#include "desktop/exchange_records.h"

namespace icotrace {
namespace {

// Little-endian field access at a byte offset; both Windows targets are.
void Put32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void Put64(Bytes& bytes, std::size_t offset, std::uint64_t value) {
  for (std::size_t i = 0; i < 8; ++i)
    bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Get32(const Bytes& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{bytes[offset + i]} << (8 * i);
  return value;
}

std::uint64_t Get64(const Bytes& bytes, std::size_t offset) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < 8; ++i) value |= std::uint64_t{bytes[offset + i]} << (8 * i);
  return value;
}

std::int32_t GetInt(const Bytes& bytes, std::size_t offset) {
  return static_cast<std::int32_t>(Get32(bytes, offset));
}

// A pointer-sized field: 4 bytes in a 32-bit record, 8 in a 64-bit one.
void PutPointer(Bytes& bytes, std::size_t offset, std::uint64_t value, PointerWidth width) {
  if (width == PointerWidth::Bits64) {
    Put64(bytes, offset, value);
  } else {
    Put32(bytes, offset, static_cast<std::uint32_t>(value));
  }
}

std::uint64_t GetPointer(const Bytes& bytes, std::size_t offset, PointerWidth width) {
  return width == PointerWidth::Bits64 ? Get64(bytes, offset) : Get32(bytes, offset);
}

// A pointer-sized signed value: sign-extended from a 32-bit record.
std::int64_t GetSignedPointer(const Bytes& bytes, std::size_t offset, PointerWidth width) {
  return width == PointerWidth::Bits64 ? static_cast<std::int64_t>(Get64(bytes, offset))
                                       : std::int64_t{GetInt(bytes, offset)};
}

// Field offsets of the two layouts.
struct LvItemLayout {
  std::size_t pszText, cchTextMax, iImage, lParam, iIndent, size;
};
constexpr LvItemLayout kLvItem32{20, 24, 28, 32, 36, 40};
constexpr LvItemLayout kLvItem64{24, 32, 36, 40, 48, 56};

struct LvFindLayout {
  std::size_t psz, lParam, pt, vkDirection, size;
};
constexpr LvFindLayout kLvFind32{4, 8, 12, 20, 24};
constexpr LvFindLayout kLvFind64{8, 16, 24, 32, 40};

const LvItemLayout& ItemLayout(PointerWidth width) {
  return width == PointerWidth::Bits64 ? kLvItem64 : kLvItem32;
}

const LvFindLayout& FindLayout(PointerWidth width) {
  return width == PointerWidth::Bits64 ? kLvFind64 : kLvFind32;
}

}  // namespace

std::size_t LvItemSize(PointerWidth width) {
  return ItemLayout(width).size;
}

std::size_t LvFindInfoSize(PointerWidth width) {
  return FindLayout(width).size;
}

Bytes EncodeLvItem(const LvItem& item, PointerWidth width) {
  const LvItemLayout& at = ItemLayout(width);
  Bytes bytes(at.size, 0);
  Put32(bytes, 0, item.mask);
  Put32(bytes, 4, static_cast<std::uint32_t>(item.iItem));
  Put32(bytes, 8, static_cast<std::uint32_t>(item.iSubItem));
  Put32(bytes, 12, item.state);
  Put32(bytes, 16, item.stateMask);
  PutPointer(bytes, at.pszText, item.pszText, width);
  Put32(bytes, at.cchTextMax, static_cast<std::uint32_t>(item.cchTextMax));
  Put32(bytes, at.iImage, static_cast<std::uint32_t>(item.iImage));
  PutPointer(bytes, at.lParam, static_cast<std::uint64_t>(item.lParam), width);
  Put32(bytes, at.iIndent, static_cast<std::uint32_t>(item.iIndent));
  return bytes;
}

LvItem DecodeLvItem(const Bytes& bytes, PointerWidth width) {
  const LvItemLayout& at = ItemLayout(width);
  LvItem item;
  if (bytes.size() < at.size) return item;
  item.mask = Get32(bytes, 0);
  item.iItem = GetInt(bytes, 4);
  item.iSubItem = GetInt(bytes, 8);
  item.state = Get32(bytes, 12);
  item.stateMask = Get32(bytes, 16);
  item.pszText = GetPointer(bytes, at.pszText, width);
  item.cchTextMax = GetInt(bytes, at.cchTextMax);
  item.iImage = GetInt(bytes, at.iImage);
  item.lParam = GetSignedPointer(bytes, at.lParam, width);
  item.iIndent = GetInt(bytes, at.iIndent);
  return item;
}

Bytes EncodeLvFindInfo(const LvFindInfo& find, PointerWidth width) {
  const LvFindLayout& at = FindLayout(width);
  Bytes bytes(at.size, 0);
  Put32(bytes, 0, find.flags);
  PutPointer(bytes, at.psz, find.psz, width);
  PutPointer(bytes, at.lParam, static_cast<std::uint64_t>(find.lParam), width);
  Put32(bytes, at.pt, static_cast<std::uint32_t>(find.pt.x));
  Put32(bytes, at.pt + 4, static_cast<std::uint32_t>(find.pt.y));
  Put32(bytes, at.vkDirection, find.vkDirection);
  return bytes;
}

LvFindInfo DecodeLvFindInfo(const Bytes& bytes, PointerWidth width) {
  const LvFindLayout& at = FindLayout(width);
  LvFindInfo find;
  if (bytes.size() < at.size) return find;
  find.flags = Get32(bytes, 0);
  find.psz = GetPointer(bytes, at.psz, width);
  find.lParam = GetSignedPointer(bytes, at.lParam, width);
  find.pt = {GetInt(bytes, at.pt), GetInt(bytes, at.pt + 4)};
  find.vkDirection = Get32(bytes, at.vkDirection);
  return find;
}

Bytes EncodePoint(const PointRecord& point) {
  Bytes bytes(kPointSize, 0);
  Put32(bytes, 0, static_cast<std::uint32_t>(point.x));
  Put32(bytes, 4, static_cast<std::uint32_t>(point.y));
  return bytes;
}

PointRecord DecodePoint(const Bytes& bytes) {
  if (bytes.size() < kPointSize) return {};
  return {GetInt(bytes, 0), GetInt(bytes, 4)};
}

}  // namespace icotrace
