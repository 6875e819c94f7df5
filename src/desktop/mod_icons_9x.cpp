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

namespace {

void ReleaseBurstMapping(WinApi& api, ExchangeState& state) {
  // A burst the shell has not worked through yet keeps its mapping: the
  // shell may still read the queued moves' places there.
  if (!state.BurstAbandoned) {
    if (state.BurstRegion != 0) api.UnmapViewOfFile(state.BurstRegion);
    if (state.hBurstMapping != 0) api.CloseHandle(state.hBurstMapping);
  }
  state.BurstRegion = 0;
  state.hBurstMapping = 0;
  state.BurstBytes = 0;
  state.BurstAbandoned = false;
}

bool WriteRegion9x(WinApi& api, const ExchangeState&, RemoteAddress region, const Bytes& bytes) {
  api.MoveMemoryToView(region, bytes.data(), bytes.size());
  return true;
}

bool ReadRegion9x(WinApi& api, const ExchangeState&, RemoteAddress region, Bytes& bytes) {
  api.MoveMemoryFromView(bytes.data(), region, bytes.size());
  return true;
}

bool OpenBurstRegion9x(WinApi& api, ExchangeState& state, std::size_t bytes) {
  if (state.BurstRegion != 0 && state.BurstBytes >= bytes) return true;
  ReleaseBurstMapping(api, state);
  state.hBurstMapping =
      api.CreateFileMappingA(win::kPageReadWrite, 0, static_cast<std::uint32_t>(bytes));
  if (state.hBurstMapping == 0) return false;
  state.BurstRegion = api.MapViewOfFile(state.hBurstMapping, win::kFileMapAllAccess);
  state.BurstBytes = state.BurstRegion != 0 ? bytes : 0;
  return state.BurstRegion != 0;
}

}  // namespace

void CloseExchangeArea9x(WinApi& api, ExchangeState& state) {
  ReleaseBurstMapping(api, state);
  if (state.ExchangeView != 0) api.UnmapViewOfFile(state.ExchangeView);
  if (state.hExchangeMapping != 0) api.CloseHandle(state.hExchangeMapping);
  state.ExchangeView = 0;
  state.hExchangeMapping = 0;
  state.TextRegion = state.PointRegion = state.ItemRegion = state.FindRegion = 0;
}

void PushExchangeArea9x(WinApi& api, ExchangeState& state) {
  PushMirrors(state, [&](RemoteAddress region, const Bytes& bytes) {
    return WriteRegion9x(api, state, region, bytes);
  });
}

void PullExchangeArea9x(WinApi& api, ExchangeState& state) {
  PullMirrors(state, [&](RemoteAddress region, Bytes& bytes) {
    return ReadRegion9x(api, state, region, bytes);
  });
}

const ExchangeFamily& Family9x() {
  static constexpr ExchangeFamily kFamily{PushExchangeArea9x, PullExchangeArea9x, WriteRegion9x,
                                          ReadRegion9x, OpenBurstRegion9x};
  return kFamily;
}

std::optional<DesktopIcon> ReadDesktopIcon9x(WinApi& api, ExchangeState& state,
                                             std::int32_t index) {
  return ReadIconThrough({api, state, Family9x()}, index);
}

std::int32_t MoveDesktopIcon9x(WinApi& api, ExchangeState& state, std::u16string_view name,
                               PointRecord position, std::int32_t startAfter) {
  return MoveIconThrough({api, state, Family9x()}, name, position, startAfter);
}

}  // namespace icotrace::modIcons9x
