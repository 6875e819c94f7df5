// The desktop operations whatever the family: the lookup of the desktop list
// view, the family test, the dispatch to the NT or 9x forms, and the
// whole-desktop read and apply.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/desktop_icon.h"
#include "desktop/apply_report.h"
#include "desktop/exchange_state.h"
#include "desktop/shell_exchange.h"
#include "platform/desktop_folder_view.h"
#include "platform/win_api.h"

namespace icotrace {

class modCommon {
 public:
  // folderView, when given, is tried first by every apply on the NT family.
  explicit modCommon(WinApi& api, DesktopFolderView* folderView = nullptr)
      : m_api(api), m_folderView(folderView) {}

  // The desktop list view, or 0. Looked up afresh at every call.
  WindowHandle FindDesktopListView();
  bool IsWindowsNT();

  // Stores the desktop list view for the item operations that follow;
  // throws the French error when there is none.
  void LocateDesktopListView();
  void OpenExchangeArea();
  void CloseExchangeArea();
  std::optional<DesktopIcon> ReadDesktopIcon(std::int32_t index);
  std::int32_t MoveDesktopIcon(std::u16string_view name, PointRecord position,
                               std::int32_t startAfter = -1);

  // Replaces layout with the live desktop's items in the control's order and
  // returns their number. Leaves layout as it was when it throws.
  std::int32_t ReadDesktopLayout(Layout& layout);
  // Moves every named item of layout to its recorded place, then has the
  // desktop repainted, and tells which items found did not land there. On a
  // desktop that keeps its own places (Windows 10 1809 and later) the folder
  // view is the writer; on the older NT family it places the items first and
  // the list view moves any it left.
  ApplyReport ApplyDesktopLayout(const Layout& layout);
  // Whether the shell behind the desktop list view runs code built for this
  // program's machine, so that our icon library can load there: an Arm64
  // shell cannot take an x64 hook. True when it cannot be told.
  bool ShellSharesOurMachine();
  // Windows 10 version 1809 (build 17763) or later, told by the system's
  // true version.
  bool KeepsOwnPlaces();

  const ExchangeState& State() const { return m_state; }

 private:
  class OpenedArea;
  // The family's exchange, over this object's state.
  ShellExchange Exchange();
  // The open folder view places every entry it can match, in one batch;
  // returns the entries of a batch cancelled while the shell had it.
  std::vector<std::size_t> PlaceEveryMatch(const Layout& layout);
  // One session of the folder view, chosen writer or first placer, then the
  // list view for what it leaves.
  ApplyReport ApplyThroughFolderView(const Layout& layout);

  WinApi& m_api;
  DesktopFolderView* m_folderView;
  ExchangeState m_state;
};

}  // namespace icotrace
