// One item read or moved through the exchange area. The NT and 9x forms set
// the same mirror fields and send the same messages; they differ only in the
// family they hand in here.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/desktop_icon.h"
#include "desktop/shell_exchange.h"

namespace icotrace {

// The item at index, with the whole text buffer as its Name; nothing when the
// control no longer holds that index.
std::optional<DesktopIcon> ReadIconThrough(const ShellExchange& exchange, std::int32_t index);

// Finds the first item after startAfter (-1: from the first) whose caption is
// name and moves it to position. Returns the index moved, or -1 when none
// was (no such item, or a name too long to send whole).
std::int32_t MoveIconThrough(const ShellExchange& exchange, std::u16string_view name,
                             PointRecord position, std::int32_t startAfter);

// The text region's bytes as the push writes them: the text's own characters,
// never more than the region holds.
Bytes TextRegionBytes(const std::u16string& text);

// A pulled text region back as characters.
std::u16string TextFromRegionBytes(const Bytes& bytes);

}  // namespace icotrace
