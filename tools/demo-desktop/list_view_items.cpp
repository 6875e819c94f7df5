#include "list_view_items.h"

#include <commctrl.h>

#include <algorithm>

namespace icotrace::demo {
namespace {

void SetPosition(HWND list, int index, std::int32_t x, std::int32_t y) {
  POINT point{x, y};
  SendMessageW(list, LVM_SETITEMPOSITION32, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&point));
}

}  // namespace

void PaintOnce(HWND list) {
  HDC screen = GetDC(list);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(list, screen);
  SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  DeleteDC(memory);
}

void FillListView(HWND list, const std::vector<DemoItem>& items, bool callbackText) {
  SendMessageW(list, LVM_SETITEMCOUNT, items.size(), 0);
  for (std::size_t i = 0; i < items.size(); ++i) {
    std::wstring caption = items[i].Caption;
    LVITEMW record{};
    record.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    record.iItem = static_cast<int>(i);
    record.pszText = callbackText ? LPSTR_TEXTCALLBACKW : caption.data();
    record.iImage = items[i].Image;
    record.lParam = static_cast<LPARAM>(items[i].LParam);  // a 32-bit desktop keeps the low half
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&record));
  }
  PaintOnce(list);
  PlaceItems(list, items);
}

void CopyCaptionOnRequest(NMLVDISPINFOW& request, const std::vector<DemoItem>& items) {
  LVITEMW& item = request.item;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0 ||
      item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= items.size()) {
    return;
  }
  lstrcpynW(item.pszText, items[static_cast<std::size_t>(item.iItem)].Caption.c_str(),
            item.cchTextMax);
}

std::vector<DemoItem> ReadListView(HWND list) {
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  std::vector<DemoItem> items;
  std::wstring text(32768, L'\0');  // more than any caption of ours
  for (int i = 0; i < count; ++i) {
    LVITEMW record{};
    record.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    record.iItem = i;
    record.pszText = text.data();
    record.cchTextMax = static_cast<int>(text.size());
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&record));
    POINT position{};
    SendMessageW(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&position));
    items.push_back({record.pszText, position.x, position.y, record.iImage,
                     static_cast<std::int64_t>(record.lParam)});
  }
  return items;
}

bool ReplaceWholeFile(const std::wstring& path, const std::string& bytes) {
  // Written aside and then renamed, so a reader never sees half a file.
  const std::wstring partial = path + L".partial";
  HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
      written == bytes.size() && FlushFileBuffers(file) != FALSE;
  CloseHandle(file);
  if (ok && MoveFileExW(partial.c_str(), path.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE) {
    return true;
  }
  DeleteFileW(partial.c_str());
  return false;
}

bool WriteDump(HWND list, const std::wstring& path) {
  return ReplaceWholeFile(path, FormatItemFile(ReadListView(list)));
}

std::int32_t ScrambleListView(HWND list, std::uint32_t seed) {
  RECT client{};
  GetClientRect(list, &client);
  const std::uint32_t width = static_cast<std::uint32_t>(std::max<LONG>(client.right - 96, 1));
  const std::uint32_t height = static_cast<std::uint32_t>(std::max<LONG>(client.bottom - 96, 1));
  std::uint32_t state = seed * 2654435761u + 1;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  std::int32_t moved = 0;
  for (int i = 0; i < count; ++i) {
    POINT old{};
    SendMessageW(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&old));
    auto x = static_cast<std::int32_t>(next() % width);
    const auto y = static_cast<std::int32_t>(next() % height);
    if (x == old.x && y == old.y) x = (x + 37) % static_cast<std::int32_t>(width);
    SetPosition(list, i, x, y);
    ++moved;
  }
  InvalidateRect(list, nullptr, TRUE);
  return moved;
}

void PlaceItems(HWND list, const std::vector<DemoItem>& items) {
  const auto count = static_cast<std::size_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (std::size_t i = 0; i < count && i < items.size(); ++i) {
    SetPosition(list, static_cast<int>(i), items[i].X, items[i].Y);
  }
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace icotrace::demo
