#include "ui/win/list_rows.h"

#include <commctrl.h>

#include <string>

#include "core/command_error.h"
#include "ui/main_window_design.h"
#include "ui/twips.h"
#include "ui/win/dpi.h"
#include "ui/win/wide_text.h"

namespace icotrace {
namespace {

constexpr char16_t kListFull[] = u"La liste ne peut pas recevoir d'autres lignes.";

}  // namespace

HWND CreateRowList(HWND parent, UINT_PTR id, HINSTANCE instance) {
  const HWND list = ::CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | LVS_REPORT | LVS_SHAREIMAGELISTS | WS_TABSTOP, 0, 0,
      0, 0, parent, reinterpret_cast<HMENU>(id), instance, nullptr);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  for (std::size_t i = 0; i < kListColumns.size(); ++i) {
    std::wstring header = Wide(kListColumns[i].Header);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.pszText = header.data();
    column.iSubItem = static_cast<int>(i);
    ListView_InsertColumn(list, static_cast<int>(i), &column);
  }
  return list;
}

void LayOutRowList(HWND list, UINT dpi) {
  PlaceWindow(list, ToPixels(kListView1Rect, dpi));
  for (std::size_t i = 0; i < kListColumns.size(); ++i)
    ListView_SetColumnWidth(list, static_cast<int>(i),
                            TwipsToPixels(kListColumns[i].WidthTwips, dpi));
}

void HoldRowDrawing(HWND list) {
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
}

void ReleaseRowDrawing(HWND list) {
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

void AppendRow(HWND list, const KeyedImageList& images, const ListRow& row) {
  std::wstring caption = Wide(row.Caption);
  const int picture = row.ImageKey.empty() ? -1 : images.IndexOf(row.ImageKey);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = ListView_GetItemCount(list);
  item.pszText = caption.data();
  item.iImage = picture >= 0 ? picture : I_IMAGENONE;
  const int index = ListView_InsertItem(list, &item);
  if (index < 0) throw CommandError(std::u16string(kListFull));
  int column = 1;
  for (const std::u16string* text : {&row.X, &row.Y, &row.lParam}) {
    std::wstring wide = Wide(*text);
    ListView_SetItemText(list, index, column++, wide.data());
  }
}

}  // namespace icotrace
