#include "remote_header.h"

#include <commctrl.h>

#include "remote_memory.h"

namespace icotrace::e2e {
namespace {

constexpr int kTextCapacity = 260;

}  // namespace

std::vector<HeaderColumn> ReadHeaderColumns(HWND listView) {
  std::vector<HeaderColumn> columns;
  const auto header = reinterpret_cast<HWND>(::SendMessageW(listView, LVM_GETHEADER, 0, 0));
  if (header == nullptr) return columns;
  // The record and its text buffer side by side.
  RemoteMemory memory(listView);
  BYTE* block = memory.Lend(sizeof(HDITEMW) + kTextCapacity * sizeof(wchar_t));
  const int count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; block != nullptr && i < count; ++i) {
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.pszText = reinterpret_cast<wchar_t*>(block + sizeof(HDITEMW));
    item.cchTextMax = kTextCapacity;
    wchar_t text[kTextCapacity] = {};
    const bool asked = memory.Write(block, &item, sizeof item) &&
                       ::SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(block)) &&
                       memory.Read(block, &item, sizeof item) &&
                       memory.Read(block + sizeof(HDITEMW), text, sizeof text);
    if (!asked) break;
    text[kTextCapacity - 1] = L'\0';
    columns.push_back({text, item.cxy});
  }
  return columns;
}

}  // namespace icotrace::e2e
