// One item read or moved through the exchange area. The NT and 9x forms set
// the same mirror fields and send the same messages; they differ only in the
// push and pull they hand in here.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "desktop/desktop_icon.h"
#include "desktop/exchange_state.h"
#include "platform/win_api.h"

namespace icotrace {

using ExchangeCopy = void (*)(WinApi& api, ExchangeState& state);

// A message to the desktop list view; one that is not answered (the shell
// hung or went away) ends the operation with the French error.
std::int64_t SendToListView(WinApi& api, const ExchangeState& state, std::uint32_t msg,
                            std::uint64_t wParam, std::int64_t lParam);

// The item at index, with the whole text buffer as its Name; nothing when the
// control no longer holds that index.
std::optional<DesktopIcon> ReadIconThrough(WinApi& api, ExchangeState& state, std::int32_t index,
                                           ExchangeCopy push, ExchangeCopy pull);

// Finds the first item after startAfter (-1: from the first) whose caption is
// name and moves it to position. Returns the index moved, or -1 when none
// was (no such item, or a name too long to send whole).
std::int32_t MoveIconThrough(WinApi& api, ExchangeState& state, std::u16string_view name,
                             PointRecord position, std::int32_t startAfter, ExchangeCopy push);

// As MoveIconThrough, for an item that something else was asked to place:
// reads where the item found stands and moves it only when it is elsewhere.
std::int32_t KeepOrMoveIconThrough(WinApi& api, ExchangeState& state, std::u16string_view name,
                                   PointRecord position, std::int32_t startAfter, ExchangeCopy push,
                                   ExchangeCopy pull);

// The text region's bytes as the push writes them: the text's own characters,
// never more than the region holds.
Bytes TextRegionBytes(const std::u16string& text);

// A pulled text region back as characters.
std::u16string TextFromRegionBytes(const Bytes& bytes);

}  // namespace icotrace
