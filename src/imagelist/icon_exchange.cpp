#include "imagelist/icon_exchange.h"

#include <cstring>

#include "core/decimal_text.h"
namespace icotrace::icon_exchange {
namespace {

template <typename T>
void Put(std::uint8_t* block, std::size_t offset, T value) {
  std::memcpy(block + offset, &value, sizeof value);
}

template <typename T>
T Get(const std::uint8_t* block, std::size_t offset) {
  T value{};
  std::memcpy(&value, block + offset, sizeof value);
  return value;
}

}  // namespace

void WriteRequest(std::uint8_t* block, const Request& request) {
  Put(block, 0, request.imageList);
  Put(block, 8, request.index);
  Put(block, 12, request.serial);
  Put(block, 32, request.listView);
  WriteReply(block, Reply{});
}

Request ReadRequest(const std::uint8_t* block) {
  return {Get<std::uint64_t>(block, 0), Get<std::int32_t>(block, 8), Get<std::uint32_t>(block, 12),
          Get<std::uint64_t>(block, 32)};
}

void WriteReply(std::uint8_t* block, const Reply& reply) {
  Put(block, 20, reply.width);
  Put(block, 24, reply.height);
  Put(block, 28, reply.serial);
  Put(block, 16, static_cast<std::uint32_t>(reply.status));
}

Reply ReadReply(const std::uint8_t* block) {
  return {static_cast<Status>(Get<std::uint32_t>(block, 16)), Get<std::int32_t>(block, 20),
          Get<std::int32_t>(block, 24), Get<std::uint32_t>(block, 28)};
}

bool SizeFits(std::int32_t width, std::int32_t height) {
  return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide;
}

bool ReplyUsable(const Reply& reply, std::uint32_t serial) {
  return reply.status == Status::Done && reply.serial == serial &&
         SizeFits(reply.width, reply.height);
}

std::u16string BlockName(std::uint32_t requesterProcessId) {
  return u"Local\\IcotraceIconExchange-" + DecimalText(requesterProcessId);
}

std::vector<std::uint8_t> PackMask(const std::uint8_t* mask, std::int32_t width,
                                   std::int32_t height) {
  const auto stride = static_cast<std::size_t>((width + 15) / 16 * 2);
  std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(height), 0);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      if (mask[static_cast<std::size_t>(y) * width + x] != 0) {
        rows[static_cast<std::size_t>(y) * stride + x / 8] |=
            static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  return rows;
}

bool AlphaIsEmpty(const std::uint8_t* colour, std::int32_t width, std::int32_t height) {
  const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  for (std::size_t i = 0; i < pixels; ++i) {
    if (colour[i * 4 + 3] != 0) return false;
  }
  return true;
}

void AlphaFromMask(std::uint8_t* colour, const std::uint8_t* mask, std::int32_t width,
                   std::int32_t height) {
  const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  for (std::size_t i = 0; i < pixels; ++i) {
    if (mask[i] != 0) {
      std::memset(colour + i * 4, 0, 4);
    } else {
      colour[i * 4 + 3] = 0xFF;
    }
  }
}

}  // namespace icotrace::icon_exchange
