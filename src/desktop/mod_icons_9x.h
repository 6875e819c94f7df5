// The 9x family's exchange area: four slices of one anonymous shared
// mapping that every process addresses alike, filled and read with plain copies.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/desktop_icon.h"
#include "desktop/exchange_state.h"
#include "desktop/shell_exchange.h"
#include "platform/win_api.h"

namespace icotrace::modIcons9x {

void OpenExchangeArea9x(WinApi& api, ExchangeState& state);
void CloseExchangeArea9x(WinApi& api, ExchangeState& state);
void PushExchangeArea9x(WinApi& api, ExchangeState& state);
void PullExchangeArea9x(WinApi& api, ExchangeState& state);

std::optional<DesktopIcon> ReadDesktopIcon9x(WinApi& api, ExchangeState& state, std::int32_t index);
std::int32_t MoveDesktopIcon9x(WinApi& api, ExchangeState& state, std::u16string_view name,
                               PointRecord position, std::int32_t startAfter);

// The 9x family's push, pull, region access and burst region together.
const ExchangeFamily& Family9x();

}  // namespace icotrace::modIcons9x
