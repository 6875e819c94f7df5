// A hidden stand-in for the main window as far as a load fills it: a
// top-level window holding a list made as ListView1 is, with ImageList1 as
// its small image list, its rows put in by the main window's own row code.
#pragma once

#include <windows.h>

#include <string>

#include "ui/main_window_view.h"
#include "ui/win/keyed_image_list.h"

namespace icotrace::e2e {

class FillWindow final : public MainWindowView {
 public:
  FillWindow();
  ~FillWindow() override;
  FillWindow(const FillWindow&) = delete;
  FillWindow& operator=(const FillWindow&) = delete;

  // ImageList1, the icon cache the commands fill.
  KeyedImageList& ImageList1() { return m_imageList1; }
  // Empties the icon cache: a new ImageList1 on the list.
  void ForgetIcons();
  // The filled list, and a second one made alike for the floor.
  HWND List() const { return m_list; }
  HWND SpareList() const { return m_spareList; }
  // The last warning shown, empty when none.
  const std::u16string& Warning() const { return m_warning; }

  void EnableButton(MainButton) override {}
  void BeginRows() override;
  void EndRows() override;
  void ClearRows() override;
  void AddRow(const ListRow& row) override;
  void ShowWarning(const std::u16string& message) override { m_warning = message; }
  void ShowAboutBox() override {}
  void EndProgram() override {}

 private:
  HWND MakeList(UINT_PTR id);

  HWND m_window = nullptr;
  HWND m_list = nullptr;
  HWND m_spareList = nullptr;
  UINT m_dpi = 96;
  KeyedImageList m_imageList1;
  std::u16string m_warning;
};

}  // namespace icotrace::e2e
