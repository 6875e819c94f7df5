// The block through which the shell side hands an icon's pixels to
// Icotrace: a request (which image of which image list) and a reply (the
// image's size, 32-bit colour pixels and its mask). It lives in a named
// shared mapping, so both sides read it as bytes at fixed offsets, whatever
// their pointer width.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace icotrace::icon_exchange {

// Nothing larger than this is ever read or written: a shell that reports a
// bigger image is refused.
inline constexpr std::int32_t kLargestSide = 256;
inline constexpr std::size_t kHeaderBytes = 40;
inline constexpr std::size_t kColourOffset = kHeaderBytes;
inline constexpr std::size_t kMaskOffset =
    kColourOffset + std::size_t{kLargestSide} * kLargestSide * 4;
inline constexpr std::size_t kBlockBytes = kMaskOffset + std::size_t{kLargestSide} * kLargestSide;

// The reply's status, written last by the shell side.
enum class Status : std::uint32_t {
  Pending = 0,
  Done = 1,
  Refused = 2,  // unknown image list, index out of range, size out of bounds
  Failed = 3,   // the image could not be drawn
};

struct Request {
  std::uint64_t imageList = 0;  // the handle as the list view gave it
  std::int32_t index = 0;
  std::uint32_t serial = 0;  // ties a reply to its request
  // The list view the hook was set for: the shell side serves a request
  // through that window only, on its own thread.
  std::uint64_t listView = 0;
};

struct Reply {
  Status status = Status::Pending;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint32_t serial = 0;
};

// Header layout: imageList u64 @0, index i32 @8, serial u32 @12,
// status u32 @16, width i32 @20, height i32 @24, reply serial u32 @28,
// listView u64 @32.
void WriteRequest(std::uint8_t* block, const Request& request);
Request ReadRequest(const std::uint8_t* block);
void WriteReply(std::uint8_t* block, const Reply& reply);
Reply ReadReply(const std::uint8_t* block);

// True for an image size the block can carry.
bool SizeFits(std::int32_t width, std::int32_t height);

// A reply Icotrace may build an icon from: done, for this request, with a
// size that fits.
bool ReplyUsable(const Reply& reply, std::uint32_t serial);

// The mapping's name for the requesting process, in the session's namespace.
std::u16string BlockName(std::uint32_t requesterProcessId);

// Rows of a monochrome bitmap (1 = transparent) from one byte per pixel
// (non-zero = transparent), each row padded to 16 bits as CreateBitmap wants.
std::vector<std::uint8_t> PackMask(const std::uint8_t* mask, std::int32_t width,
                                   std::int32_t height);

// True when the colour pixels (BGRA) carry no alpha at all, so the mask
// alone says what is transparent.
bool AlphaIsEmpty(const std::uint8_t* colour, std::int32_t width, std::int32_t height);

// Gives alpha 255 to every opaque pixel and 0 (with black colour) to the
// others, for images whose alpha is empty.
void AlphaFromMask(std::uint8_t* colour, const std::uint8_t* mask, std::int32_t width,
                   std::int32_t height);

}  // namespace icotrace::icon_exchange
