#include <gtest/gtest.h>

#include "desktop/exchange_records.h"

namespace icotrace {
namespace {

std::uint32_t At32(const Bytes& bytes, std::size_t offset) {
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

LvItem SampleItem() {
  LvItem item;
  item.mask = 7;
  item.iItem = 11;
  item.iSubItem = 0;
  item.state = 0x21;
  item.stateMask = 0x43;
  item.pszText = 0x7FF6'1234'0000ull;
  item.cchTextMax = 260;
  item.iImage = -5;
  item.lParam = static_cast<std::int64_t>(0x1234'5678'9ABC'DEF0ull);
  item.iIndent = 3;
  return item;
}

TEST(ItemRecord, ThirtyTwoBitFormIsFortyBytesWithFieldsInPlace) {
  const Bytes bytes = EncodeLvItem(SampleItem(), PointerWidth::Bits32);
  ASSERT_EQ(bytes.size(), 40u);
  EXPECT_EQ(At32(bytes, 0), 7u);
  EXPECT_EQ(At32(bytes, 4), 11u);
  EXPECT_EQ(At32(bytes, 12), 0x21u);
  EXPECT_EQ(At32(bytes, 16), 0x43u);
  EXPECT_EQ(At32(bytes, 20), 0x12340000u);  // pointer cut to 32 bits
  EXPECT_EQ(At32(bytes, 24), 260u);
  EXPECT_EQ(At32(bytes, 28), static_cast<std::uint32_t>(-5));
  EXPECT_EQ(At32(bytes, 32), 0x9ABCDEF0u);
  EXPECT_EQ(At32(bytes, 36), 3u);
}

TEST(ItemRecord, SixtyFourBitFormIsFiftySixBytesWithNativeAlignment) {
  const Bytes bytes = EncodeLvItem(SampleItem(), PointerWidth::Bits64);
  ASSERT_EQ(bytes.size(), 56u);
  EXPECT_EQ(At32(bytes, 20), 0u);  // padding before the pointer
  EXPECT_EQ(At32(bytes, 24), 0x12340000u);
  EXPECT_EQ(At32(bytes, 28), 0x7FF6u);
  EXPECT_EQ(At32(bytes, 32), 260u);
  EXPECT_EQ(At32(bytes, 36), static_cast<std::uint32_t>(-5));
  EXPECT_EQ(At32(bytes, 40), 0x9ABCDEF0u);
  EXPECT_EQ(At32(bytes, 44), 0x12345678u);
  EXPECT_EQ(At32(bytes, 48), 3u);
}

TEST(ItemRecord, DecodesWhatItEncodesInBothWidths) {
  const LvItem item = SampleItem();
  const LvItem back64 =
      DecodeLvItem(EncodeLvItem(item, PointerWidth::Bits64), PointerWidth::Bits64);
  EXPECT_EQ(back64.pszText, item.pszText);
  EXPECT_EQ(back64.lParam, item.lParam);
  EXPECT_EQ(back64.iImage, -5);
  const LvItem back32 =
      DecodeLvItem(EncodeLvItem(item, PointerWidth::Bits32), PointerWidth::Bits32);
  // A 32-bit lParam comes back sign-extended from its low half.
  EXPECT_EQ(back32.lParam, static_cast<std::int32_t>(0x9ABCDEF0u));
  EXPECT_EQ(back32.iIndent, 3);
}

TEST(FindRecord, BothFormsPlaceTheirFields) {
  LvFindInfo find;
  find.flags = 2;
  find.psz = 0x7FF6'0000'1000ull;
  find.pt = {-7, 9};
  find.vkDirection = 0x28;
  const Bytes small = EncodeLvFindInfo(find, PointerWidth::Bits32);
  ASSERT_EQ(small.size(), 24u);
  EXPECT_EQ(At32(small, 0), 2u);
  EXPECT_EQ(At32(small, 4), 0x1000u);
  EXPECT_EQ(At32(small, 12), static_cast<std::uint32_t>(-7));
  EXPECT_EQ(At32(small, 20), 0x28u);
  const Bytes wide = EncodeLvFindInfo(find, PointerWidth::Bits64);
  ASSERT_EQ(wide.size(), 40u);
  EXPECT_EQ(At32(wide, 8), 0x1000u);
  EXPECT_EQ(At32(wide, 12), 0x7FF6u);
  EXPECT_EQ(At32(wide, 24), static_cast<std::uint32_t>(-7));
  EXPECT_EQ(At32(wide, 28), 9u);
  EXPECT_EQ(At32(wide, 32), 0x28u);
  const LvFindInfo back = DecodeLvFindInfo(wide, PointerWidth::Bits64);
  EXPECT_EQ(back.psz, find.psz);
  EXPECT_EQ(back.pt.y, 9);
}

TEST(PointRecordBytes, SignedCoordinatesSurvive) {
  const PointRecord back = DecodePoint(EncodePoint({-32000, 2147483647}));
  EXPECT_EQ(back.x, -32000);
  EXPECT_EQ(back.y, 2147483647);
}

}  // namespace
}  // namespace icotrace
