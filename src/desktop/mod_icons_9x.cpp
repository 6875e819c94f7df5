#include "desktop/mod_icons_9x.h"

#include "desktop/exchange_copy.h"
#include "desktop/item_operations.h"
#include "desktop/list_view_protocol.h"

namespace icotrace::modIcons9x {

void OpenExchangeArea9x(WinApi& api, ExchangeState& state) {
  // The 9x shell is always 32-bit.
  state.ShellWidth = PointerWidth::Bits32;
  state.hExchangeMapping =
      api.CreateFileMappingA(win::kPageReadWrite, 0, static_cast<std::uint32_t>(kMappingBytes));
  if (state.hExchangeMapping == 0) return;
  state.ExchangeView = api.MapViewOfFile(state.hExchangeMapping, win::kFileMapAllAccess);
  if (state.ExchangeView == 0) return;
  state.TextRegion = state.ExchangeView + kMappingTextOffset;
  state.PointRegion = state.ExchangeView + kMappingPointOffset;
  state.ItemRegion = state.ExchangeView + kMappingItemOffset;
  state.FindRegion = state.ExchangeView + kMappingFindOffset;
}

void CloseExchangeArea9x(WinApi& api, ExchangeState& state) {
  if (state.ExchangeView != 0) api.UnmapViewOfFile(state.ExchangeView);
  if (state.hExchangeMapping != 0) api.CloseHandle(state.hExchangeMapping);
  state.ExchangeView = 0;
  state.hExchangeMapping = 0;
  state.TextRegion = state.PointRegion = state.ItemRegion = state.FindRegion = 0;
}

void PushExchangeArea9x(WinApi& api, ExchangeState& state) {
  PushMirrors(state, [&](RemoteAddress region, const Bytes& bytes) {
    api.MoveMemoryToView(region, bytes.data(), bytes.size());
    return true;
  });
}

void PullExchangeArea9x(WinApi& api, ExchangeState& state) {
  PullMirrors(state, [&](RemoteAddress region, Bytes& bytes) {
    api.MoveMemoryFromView(bytes.data(), region, bytes.size());
    return true;
  });
}

std::optional<DesktopIcon> ReadDesktopIcon9x(WinApi& api, ExchangeState& state,
                                             std::int32_t index) {
  return ReadIconThrough(api, state, index, PushExchangeArea9x, PullExchangeArea9x);
}

std::int32_t MoveDesktopIcon9x(WinApi& api, ExchangeState& state, std::u16string_view name,
                               PointRecord position, std::int32_t startAfter) {
  return MoveIconThrough(api, state, name, position, startAfter, PushExchangeArea9x);
}

}  // namespace icotrace::modIcons9x
