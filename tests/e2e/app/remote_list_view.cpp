#include "remote_list_view.h"

#include <commctrl.h>

#include "remote_memory.h"

namespace icotrace::e2e {
namespace {

constexpr DWORD kAnswerMs = 10000;
constexpr int kTextCapacity = 1024;
// ImageList1 holds the desktop's small icons: 16 pixels at 96 dpi.
constexpr int kSmallIconPixels = 16;

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs, &answer))
    return std::nullopt;
  return static_cast<LRESULT>(answer);
}

// The record and its text buffer side by side in the lent block.
std::optional<std::wstring> ItemText(const RemoteMemory& process, BYTE* block, HWND listView,
                                     int row, int subItem) {
  auto* remoteText = reinterpret_cast<wchar_t*>(block + sizeof(LVITEMW));
  LVITEMW item{};
  item.iSubItem = subItem;
  item.pszText = remoteText;
  item.cchTextMax = kTextCapacity;
  std::wstring text(kTextCapacity, L'\0');
  if (!process.Write(block, &item, sizeof item) ||
      !Ask(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block)) ||
      !process.Read(remoteText, text.data(), text.size() * sizeof(wchar_t)))
    return std::nullopt;
  text.resize(text.find(L'\0') == std::wstring::npos ? 0 : text.find(L'\0'));
  return text;
}

std::optional<int> ItemImage(const RemoteMemory& process, BYTE* block, HWND listView, int row) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  if (!process.Write(block, &item, sizeof item) ||
      !Ask(listView, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(block)).value_or(0) ||
      !process.Read(block, &item, sizeof item))
    return std::nullopt;
  return item.iImage;
}

}  // namespace

std::vector<SeenRow> ReadRows(HWND listView) {
  std::vector<SeenRow> rows;
  const int count = static_cast<int>(Ask(listView, LVM_GETITEMCOUNT, 0, 0).value_or(0));
  if (count <= 0) return rows;
  RemoteMemory process(listView);
  BYTE* block = process.Lend(sizeof(LVITEMW) + kTextCapacity * sizeof(wchar_t));
  if (block == nullptr) return rows;
  for (int row = 0; row < count; ++row) {
    SeenRow seen;
    std::wstring* texts[] = {&seen.Caption, &seen.X, &seen.Y, &seen.LParam};
    for (int subItem = 0; subItem < 4; ++subItem) {
      const std::optional<std::wstring> text = ItemText(process, block, listView, row, subItem);
      if (!text) return rows;
      *texts[subItem] = *text;
    }
    const std::optional<int> image = ItemImage(process, block, listView, row);
    if (!image) return rows;
    seen.Image = *image;
    rows.push_back(std::move(seen));
  }
  return rows;
}

std::optional<int> SmallImageCount(HWND listView) {
  const auto imageList = Ask(listView, LVM_GETIMAGELIST, LVSIL_SMALL, 0).value_or(0);
  if (imageList == 0) return std::nullopt;
  struct Head {
    void* interfacePointer;
    INT current, capacity, grow, cx, cy;
  } head{};
  const RemoteMemory process(listView);
  if (!process.Read(reinterpret_cast<const void*>(imageList), &head, sizeof head))
    return std::nullopt;
  const bool plausible = head.cx == kSmallIconPixels && head.cy == kSmallIconPixels &&
                         head.current >= 0 && head.current <= head.capacity;
  if (!plausible) return std::nullopt;
  return head.current;
}

}  // namespace icotrace::e2e
