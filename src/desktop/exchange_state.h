// The state that every desktop operation shares: the list view it addresses,
// the four local mirrors of the exchange area and the area itself. One
// instance lives as long as the program; the mirrors keep their contents from
// one operation to the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "desktop/exchange_records.h"
#include "platform/win_types.h"

namespace icotrace {

// The text region holds a whole caption of up to 259 characters and its NUL,
// and the control is told exactly that capacity, so it never writes past it.
inline constexpr std::size_t kTextChars = 260;
inline constexpr std::size_t kTextRegionBytes = kTextChars * 2;
// A name longer than this cannot be sent whole with its NUL.
inline constexpr std::size_t kLongestName = kTextChars - 1;

// The 9x mapping: the four regions back to back, always in 32-bit form.
inline constexpr std::size_t kMappingTextOffset = 0;
inline constexpr std::size_t kMappingPointOffset = kTextRegionBytes;                 // 520
inline constexpr std::size_t kMappingItemOffset = kMappingPointOffset + kPointSize;  // 528
inline constexpr std::size_t kMappingFindOffset = kMappingItemOffset + 40;           // 568
inline constexpr std::size_t kMappingBytes = kMappingFindOffset + 24;                // 592

struct ExchangeState {
  WindowHandle hDesktopListView = 0;

  LvItem ExchangeItem;
  PointRecord ExchangePoint;
  LvFindInfo ExchangeFind;
  std::u16string ExchangeText;

  RemoteAddress TextRegion = 0;
  RemoteAddress PointRegion = 0;
  RemoteAddress ItemRegion = 0;
  RemoteAddress FindRegion = 0;

  KernelHandle hShellProcess = 0;                  // NT family
  KernelHandle hExchangeMapping = 0;               // 9x family
  RemoteAddress ExchangeView = 0;                  // 9x family
  PointerWidth ShellWidth = PointerWidth::Bits32;  // how the records are written

  // The places of a burst of posted moves, opened by the apply when it has
  // something to move and released with the area. A burst the shell has not
  // worked through in time keeps its region: the shell may still read it.
  RemoteAddress BurstRegion = 0;
  std::size_t BurstBytes = 0;
  KernelHandle hBurstMapping = 0;  // 9x family
  bool BurstAbandoned = false;

  // True when every region of the open area can be addressed: no item
  // message is ever sent through a null region.
  bool RegionsReady() const {
    return TextRegion != 0 && PointRegion != 0 && ItemRegion != 0 && FindRegion != 0;
  }
};

}  // namespace icotrace
