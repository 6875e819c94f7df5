#include <gtest/gtest.h>

#include <vector>

#include "imagelist/icon_exchange.h"

namespace icotrace::icon_exchange {
namespace {

TEST(IconExchangeBlock, CarriesTheLargestImageAndNothingMore) {
  EXPECT_EQ(kMaskOffset - kColourOffset, 256u * 256u * 4u);
  EXPECT_EQ(kBlockBytes - kMaskOffset, 256u * 256u);
  EXPECT_TRUE(SizeFits(256, 256));
  EXPECT_TRUE(SizeFits(16, 16));
  EXPECT_FALSE(SizeFits(257, 16));
  EXPECT_FALSE(SizeFits(16, 0));
  EXPECT_FALSE(SizeFits(-16, 16));
}

TEST(IconExchangeBlock, RequestAndReplyKeepEveryBitOfTheirFields) {
  std::vector<std::uint8_t> block(kHeaderBytes, 0xCC);
  // A 64-bit image list handle must reach a 64-bit shell whole.
  WriteRequest(block.data(), {0xFFFF'8001'2345'6789ull, -1, 77, 0x8000'0000'0001'0466ull});
  const Request request = ReadRequest(block.data());
  EXPECT_EQ(request.imageList, 0xFFFF'8001'2345'6789ull);
  EXPECT_EQ(request.index, -1);
  EXPECT_EQ(request.serial, 77u);
  EXPECT_EQ(request.listView, 0x8000'0000'0001'0466ull);
  EXPECT_EQ(ReadReply(block.data()).status, Status::Pending) << "a request clears the old reply";
  WriteReply(block.data(), {Status::Done, 16, 24, 77});
  const Reply reply = ReadReply(block.data());
  EXPECT_EQ(reply.width, 16);
  EXPECT_EQ(reply.height, 24);
  EXPECT_TRUE(ReplyUsable(reply, 77));
}

TEST(IconExchangeBlock, OnlyAFinishedFittingReplyToThisRequestIsUsed) {
  EXPECT_FALSE(ReplyUsable({Status::Done, 16, 16, 76}, 77)) << "an answer to an older request";
  EXPECT_FALSE(ReplyUsable({Status::Refused, 16, 16, 77}, 77));
  EXPECT_FALSE(ReplyUsable({Status::Pending, 16, 16, 77}, 77)) << "the hook never ran";
  EXPECT_FALSE(ReplyUsable({Status::Done, 4096, 16, 77}, 77));
  EXPECT_FALSE(ReplyUsable({static_cast<Status>(9), 16, 16, 77}, 77));
}

TEST(IconExchangeBlock, NameIsPerRequesterInTheSessionNamespace) {
  EXPECT_EQ(BlockName(4242), u"Local\\IcotraceIconExchange-4242");
  EXPECT_NE(BlockName(1), BlockName(11));
}

TEST(IconMask, RowsArePackedHighBitFirstAndPaddedToSixteenBits) {
  // 17 pixels wide: three bytes of bits, padded to four.
  const int width = 17, height = 2;
  std::vector<std::uint8_t> mask(width * height, 0);
  mask[0] = 1;          // first pixel of row 0
  mask[16] = 1;         // last pixel of row 0
  mask[width + 8] = 1;  // ninth pixel of row 1
  const std::vector<std::uint8_t> rows = PackMask(mask.data(), width, height);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[0], 0x80);
  EXPECT_EQ(rows[2], 0x80);
  EXPECT_EQ(rows[3], 0x00) << "padding stays clear";
  EXPECT_EQ(rows[4 + 1], 0x80);
}

TEST(IconAlpha, AMaskOnlyImageGetsItsAlphaFromTheMask) {
  std::vector<std::uint8_t> colour = {10, 20, 30, 0, 40, 50, 60, 0};
  const std::vector<std::uint8_t> mask = {0, 1};
  ASSERT_TRUE(AlphaIsEmpty(colour.data(), 2, 1));
  AlphaFromMask(colour.data(), mask.data(), 2, 1);
  EXPECT_EQ(colour, (std::vector<std::uint8_t>{10, 20, 30, 255, 0, 0, 0, 0}));
  EXPECT_FALSE(AlphaIsEmpty(colour.data(), 2, 1));
}

}  // namespace
}  // namespace icotrace::icon_exchange
