// One family's exchange area as the item operations use it, in one object:
// the seam, the shared state, the push and pull of the four mirrors, raw
// access to any region the control can address, and the region of a burst.
#pragma once

#include <cstddef>
#include <cstdint>

#include "desktop/exchange_records.h"
#include "desktop/exchange_state.h"
#include "platform/win_api.h"

namespace icotrace {

struct ExchangeFamily {
  void (*push)(WinApi& api, ExchangeState& state);
  void (*pull)(WinApi& api, ExchangeState& state);
  bool (*write)(WinApi& api, const ExchangeState& state, RemoteAddress region, const Bytes& bytes);
  bool (*read)(WinApi& api, const ExchangeState& state, RemoteAddress region, Bytes& bytes);
  // Makes state.BurstRegion hold at least bytes; false when it cannot.
  bool (*openBurst)(WinApi& api, ExchangeState& state, std::size_t bytes);
};

// Whether the last call was refused by an elevated shell, which shuts out a
// program that is not: access denied while the list view still stands (a
// shell going away may leave that error too).
bool ShellIsElevated(WinApi& api, WindowHandle listView);

struct ShellExchange {
  WinApi& api;
  ExchangeState& state;
  const ExchangeFamily& family;

  void Push() const { family.push(api, state); }
  void Pull() const { family.pull(api, state); }
  // A message to the desktop list view; one that is not answered (the shell
  // hung or went away) ends the operation with the French error.
  std::int64_t Send(std::uint32_t msg, std::uint64_t wParam, std::int64_t lParam) const;
  // Queued behind what the list view's thread has queued already; a shell
  // gone or full ends the operation with the French error.
  void Post(std::uint32_t msg, std::uint64_t wParam, std::int64_t lParam) const;
};

}  // namespace icotrace
