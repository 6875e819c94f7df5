#include "desktop/mod_icons_nt.h"

#include "core/command_error.h"
#include "desktop/desktop_messages.h"
#include "desktop/exchange_copy.h"
#include "desktop/item_operations.h"
#include "desktop/list_view_protocol.h"

namespace icotrace::modIconsNT {
namespace {

// How the shell reads pointers. A 64-bit program on a 32-bit (WOW64) shell
// writes 32-bit records; a 32-bit program under WOW64 cannot reach a 64-bit
// shell's memory safely and refuses before writing anything.
PointerWidth ShellPointerWidth(WinApi& api, KernelHandle shell) {
  const bool shellWow64 = api.IsWow64Process(shell);
  if (api.ProgramPointerBits() == 64) {
    return shellWow64 ? PointerWidth::Bits32 : PointerWidth::Bits64;
  }
  if (api.IsWow64Process(api.GetCurrentProcess()) && !shellWow64) {
    throw CommandError(messages::kRunThe64BitProgram);
  }
  return PointerWidth::Bits32;
}

}  // namespace

void OpenExchangeAreaNT(WinApi& api, ExchangeState& state) {
  std::uint32_t processId = 0;
  api.GetWindowThreadProcessId(state.hDesktopListView, &processId);
  state.hShellProcess = api.OpenProcess(
      win::kProcessVmAccess | win::kProcessQueryLimitedInformation, false, processId);
  if (state.hShellProcess == 0) return;
  state.ShellWidth = ShellPointerWidth(api, state.hShellProcess);
  const auto allocate = [&](std::size_t size) {
    return api.VirtualAllocEx(state.hShellProcess, size, win::kMemCommitReserve,
                              win::kPageReadWrite);
  };
  state.TextRegion = allocate(kTextRegionBytes);
  state.PointRegion = allocate(kPointSize);
  state.ItemRegion = allocate(LvItemSize(state.ShellWidth));
  state.FindRegion = allocate(LvFindInfoSize(state.ShellWidth));
}

void CloseExchangeAreaNT(WinApi& api, ExchangeState& state) {
  // A burst the shell has not worked through yet keeps its region: freeing it
  // under the queued moves would crash the shell.
  if (state.BurstAbandoned) state.BurstRegion = 0;
  for (RemoteAddress* region : {&state.TextRegion, &state.PointRegion, &state.ItemRegion,
                                &state.FindRegion, &state.BurstRegion}) {
    if (*region != 0) api.VirtualFreeEx(state.hShellProcess, *region, 0, win::kMemRelease);
    *region = 0;
  }
  state.BurstBytes = 0;
  state.BurstAbandoned = false;
  if (state.hShellProcess != 0) api.CloseHandle(state.hShellProcess);
  state.hShellProcess = 0;
}

namespace {

bool WriteRegionNT(WinApi& api, const ExchangeState& state, RemoteAddress region,
                   const Bytes& bytes) {
  return api.WriteProcessMemory(state.hShellProcess, region, bytes.data(), bytes.size());
}

bool ReadRegionNT(WinApi& api, const ExchangeState& state, RemoteAddress region, Bytes& bytes) {
  return api.ReadProcessMemory(state.hShellProcess, region, bytes.data(), bytes.size());
}

bool OpenBurstRegionNT(WinApi& api, ExchangeState& state, std::size_t bytes) {
  if (state.BurstRegion != 0 && state.BurstBytes >= bytes) return true;
  if (state.BurstRegion != 0 && !state.BurstAbandoned) {
    api.VirtualFreeEx(state.hShellProcess, state.BurstRegion, 0, win::kMemRelease);
  }
  state.BurstAbandoned = false;
  state.BurstRegion =
      api.VirtualAllocEx(state.hShellProcess, bytes, win::kMemCommitReserve, win::kPageReadWrite);
  state.BurstBytes = state.BurstRegion != 0 ? bytes : 0;
  return state.BurstRegion != 0;
}

}  // namespace

void PushExchangeAreaNT(WinApi& api, ExchangeState& state) {
  PushMirrors(state, [&](RemoteAddress region, const Bytes& bytes) {
    return WriteRegionNT(api, state, region, bytes);
  });
}

void PullExchangeAreaNT(WinApi& api, ExchangeState& state) {
  PullMirrors(state, [&](RemoteAddress region, Bytes& bytes) {
    return ReadRegionNT(api, state, region, bytes);
  });
}

const ExchangeFamily& FamilyNT() {
  static constexpr ExchangeFamily kFamily{PushExchangeAreaNT, PullExchangeAreaNT, WriteRegionNT,
                                          ReadRegionNT, OpenBurstRegionNT};
  return kFamily;
}

std::optional<DesktopIcon> ReadDesktopIconNT(WinApi& api, ExchangeState& state,
                                             std::int32_t index) {
  return ReadIconThrough({api, state, FamilyNT()}, index);
}

std::int32_t MoveDesktopIconNT(WinApi& api, ExchangeState& state, std::u16string_view name,
                               PointRecord position, std::int32_t startAfter) {
  return MoveIconThrough({api, state, FamilyNT()}, name, position, startAfter);
}

}  // namespace icotrace::modIconsNT
