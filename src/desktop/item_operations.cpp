#include "desktop/item_operations.h"

#include <algorithm>

#include "core/command_error.h"
#include "desktop/desktop_messages.h"
#include "desktop/list_view_protocol.h"

namespace icotrace {
namespace {

// A shell that runs elevated refuses our messages at once, which is no hang:
// the user can cure that one.
[[noreturn]] void ThrowUnanswered(WinApi& api, WindowHandle listView) {
  throw CommandError(ShellIsElevated(api, listView) ? messages::kShellElevated
                                                    : messages::kDesktopNotResponding);
}

}  // namespace

bool ShellIsElevated(WinApi& api, WindowHandle listView) {
  return api.GetLastError() == win::kErrorAccessDenied && !api.GetClassNameA(listView).empty();
}

std::int64_t ShellExchange::Send(std::uint32_t msg, std::uint64_t wParam,
                                 std::int64_t lParam) const {
  const std::optional<std::int64_t> result =
      api.SendMessageTimeoutW(state.hDesktopListView, msg, wParam, lParam);
  if (!result) ThrowUnanswered(api, state.hDesktopListView);
  return *result;
}

void ShellExchange::Post(std::uint32_t msg, std::uint64_t wParam, std::int64_t lParam) const {
  if (!api.PostMessageW(state.hDesktopListView, msg, wParam, lParam))
    ThrowUnanswered(api, state.hDesktopListView);
}

std::optional<DesktopIcon> ReadIconThrough(const ShellExchange& exchange, std::int32_t index) {
  ExchangeState& state = exchange.state;
  LvItem& item = state.ExchangeItem;
  item.mask = lv::kIfText | lv::kIfImage | lv::kIfParam;
  item.iItem = index;
  item.iSubItem = 0;
  item.state = 0;
  item.stateMask = 0;
  item.pszText = state.TextRegion;
  item.cchTextMax = static_cast<std::int32_t>(kTextChars);
  item.iImage = 0;
  exchange.Push();
  const std::int64_t found =
      exchange.Send(lv::kGetItemW, 0, static_cast<std::int64_t>(state.ItemRegion));
  exchange.Send(lv::kGetItemPosition, static_cast<std::uint64_t>(index),
                static_cast<std::int64_t>(state.PointRegion));
  exchange.Pull();
  // An item removed since the count was taken: the control filled nothing,
  // and the mirrors would only repeat the item before it.
  if (found == 0) return std::nullopt;
  return DesktopIcon{state.ExchangeText, state.ExchangePoint.x, state.ExchangePoint.y,
                     static_cast<std::int32_t>(state.ExchangeItem.lParam),
                     state.ExchangeItem.iImage};
}

std::int32_t MoveIconThrough(const ShellExchange& exchange, std::u16string_view name,
                             PointRecord position, std::int32_t startAfter) {
  if (name.size() > kLongestName) return -1;
  ExchangeState& state = exchange.state;
  state.ExchangePoint = position;
  state.ExchangeFind.flags = lv::kFindString;
  state.ExchangeFind.psz = state.TextRegion;
  state.ExchangeText.assign(name);
  state.ExchangeText.push_back(u'\0');
  exchange.Push();
  const std::int64_t found =
      exchange.Send(lv::kFindItemW, static_cast<std::uint64_t>(std::int64_t{startAfter}),
                    static_cast<std::int64_t>(state.FindRegion));
  // A control that wraps round to the start has found no further item.
  if (found < 0 || found <= startAfter) return -1;
  exchange.Send(lv::kSetItemPosition32, static_cast<std::uint64_t>(found),
                static_cast<std::int64_t>(state.PointRegion));
  return static_cast<std::int32_t>(found);
}

Bytes TextRegionBytes(const std::u16string& text) {
  const std::size_t chars = std::min(text.size(), kTextChars);
  Bytes bytes(chars * 2);
  for (std::size_t i = 0; i < chars; ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(text[i] >> 8);
  }
  return bytes;
}

std::u16string TextFromRegionBytes(const Bytes& bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return text;
}

}  // namespace icotrace
