#include "message_box.h"

#include "live_windows.h"
#include "person_input.h"

namespace icotrace::e2e {
namespace {

struct Search {
  HWND owner;
  HWND found;
};

// The text is the static control that holds words (the other one holds the
// icon).
BOOL CALLBACK TakeWords(HWND child, LPARAM data) {
  auto* text = reinterpret_cast<std::wstring*>(data);
  if (ClassOf(child) != L"Static") return TRUE;
  const std::wstring words = SystemTextOf(child);
  if (!words.empty()) *text += text->empty() ? words : L"\n" + words;
  return TRUE;
}

BOOL CALLBACK TakeOwnedDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == search->owner &&
      ClassOf(window) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

ShownMessage FindMessageBox(HWND owner, DWORD timeoutMs) {
  Search search{owner, nullptr};
  WaitUntil(
      [&] {
        ::EnumWindows(&TakeOwnedDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  ShownMessage message;
  if (search.found == nullptr) return message;
  message.Box = search.found;
  message.Caption = SystemTextOf(search.found);
  ::EnumChildWindows(search.found, &TakeWords, reinterpret_cast<LPARAM>(&message.Text));
  return message;
}

bool CloseWithOk(const ShownMessage& message) {
  if (message.Box == nullptr) return true;
  const HWND ok = ::GetDlgItem(message.Box, IDOK);
  if (ok == nullptr) return false;
  ClickAt(ClientCentreOf(ok));
  return WaitUntil([&] { return !::IsWindow(message.Box); }, 10000);
}

}  // namespace icotrace::e2e
