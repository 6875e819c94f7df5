// The NT family's exchange area: four regions allocated inside the shell's
// process, filled and read with the cross-process memory calls.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/desktop_icon.h"
#include "desktop/exchange_state.h"
#include "desktop/shell_exchange.h"
#include "platform/win_api.h"

namespace icotrace::modIconsNT {

// Throws CommandError when a 32-bit program faces a 64-bit shell; the caller
// closes whatever was opened.
void OpenExchangeAreaNT(WinApi& api, ExchangeState& state);
void CloseExchangeAreaNT(WinApi& api, ExchangeState& state);
void PushExchangeAreaNT(WinApi& api, ExchangeState& state);
void PullExchangeAreaNT(WinApi& api, ExchangeState& state);

std::optional<DesktopIcon> ReadDesktopIconNT(WinApi& api, ExchangeState& state, std::int32_t index);
std::int32_t MoveDesktopIconNT(WinApi& api, ExchangeState& state, std::u16string_view name,
                               PointRecord position, std::int32_t startAfter);

// The NT family's push, pull, region access and burst region together.
const ExchangeFamily& FamilyNT();

}  // namespace icotrace::modIconsNT
