// The push and the pull, whatever the family: the four mirrors written into
// the four regions and read back, each record in the shell's pointer width.
// The families hand in their own copy of one region.
#pragma once

#include "desktop/exchange_records.h"
#include "desktop/exchange_state.h"
#include "desktop/item_operations.h"

namespace icotrace {

// write: bool(RemoteAddress region, const Bytes& bytes)
template <typename WriteRegion>
void PushMirrors(const ExchangeState& state, WriteRegion write) {
  const Bytes text = TextRegionBytes(state.ExchangeText);
  if (!text.empty()) write(state.TextRegion, text);
  write(state.PointRegion, EncodePoint(state.ExchangePoint));
  write(state.ItemRegion, EncodeLvItem(state.ExchangeItem, state.ShellWidth));
  write(state.FindRegion, EncodeLvFindInfo(state.ExchangeFind, state.ShellWidth));
}

// read: bool(RemoteAddress region, Bytes& bytes). A region that cannot be
// read leaves its mirror as it was (the text mirror reset, as designed).
template <typename ReadRegion>
void PullMirrors(ExchangeState& state, ReadRegion read) {
  state.ExchangeText.assign(kTextChars, u'\0');
  Bytes text(kTextRegionBytes);
  if (read(state.TextRegion, text)) state.ExchangeText = TextFromRegionBytes(text);
  Bytes point(kPointSize);
  if (read(state.PointRegion, point)) state.ExchangePoint = DecodePoint(point);
  Bytes item(LvItemSize(state.ShellWidth));
  if (read(state.ItemRegion, item)) state.ExchangeItem = DecodeLvItem(item, state.ShellWidth);
  Bytes find(LvFindInfoSize(state.ShellWidth));
  if (read(state.FindRegion, find)) state.ExchangeFind = DecodeLvFindInfo(find, state.ShellWidth);
}

}  // namespace icotrace
