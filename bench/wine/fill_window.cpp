#include "fill_window.h"

#include <commctrl.h>

#include <stdexcept>

#include "ui/main_window_design.h"
#include "ui/twips.h"
#include "ui/win/dpi.h"
#include "ui/win/list_rows.h"

namespace icotrace::e2e {

FillWindow::FillWindow() {
  // Never shown: a hidden window's list fills as a shown one whose drawing
  // is held back.
  m_window = ::CreateWindowExW(0, L"STATIC", L"Icotrace", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                               0, 640, 480, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (m_window == nullptr) throw std::runtime_error("CreateWindowExW");
  m_dpi = WindowDpi(m_window);
  m_list = MakeList(10);
  m_spareList = MakeList(11);
  ForgetIcons();
}

FillWindow::~FillWindow() {
  ::DestroyWindow(m_window);
}

HWND FillWindow::MakeList(UINT_PTR id) {
  const HWND list = CreateRowList(m_window, id, ::GetModuleHandleW(nullptr));
  if (list == nullptr) throw std::runtime_error("CreateRowList");
  LayOutRowList(list, m_dpi);
  return list;
}

void FillWindow::ForgetIcons() {
  ListView_DeleteAllItems(m_list);
  ListView_DeleteAllItems(m_spareList);
  m_imageList1.Create(TwipsToPixels(kSmallIconTwips, m_dpi));
  ListView_SetImageList(m_list, m_imageList1.Handle(), LVSIL_SMALL);
  ListView_SetImageList(m_spareList, m_imageList1.Handle(), LVSIL_SMALL);
}

void FillWindow::BeginRows() {
  HoldRowDrawing(m_list);
}

void FillWindow::EndRows() {
  ReleaseRowDrawing(m_list);
}

void FillWindow::ClearRows() {
  ListView_DeleteAllItems(m_list);
}

void FillWindow::AddRow(const ListRow& row) {
  AppendRow(m_list, m_imageList1, row);
}

}  // namespace icotrace::e2e
