// FrmApropos: the About box. Each opening builds it anew, runs its load step
// and keeps the main window from input until "&OK" or the close box.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "platform/win/handles.h"
#include "ui/about_box_design.h"
#include "ui/win/container_window.h"
#include "ui/win/resource_picture.h"
#include "ui/win/tool_tips.h"
#include "ui/win/window.h"

namespace icotrace {

class FrmApropos final : public Window {
 public:
  explicit FrmApropos(HINSTANCE instance);
  ~FrmApropos() override;

  // Shows the box centred over owner and returns once it has closed.
  void ShowModal(HWND owner);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  void CreateControls();
  HWND CreateControl(const AboutControlDesign& design, HWND parent, UINT_PTR id);
  void Form_Load();
  void LayOut(UINT dpi) override;
  void Command1_Click();
  void Link_Click(AboutLink link);
  void Paint();
  void DrawPicture(const DRAWITEMSTRUCT& item);
  LRESULT ControlColours(UINT message, HDC dc, HWND control);
  bool SetLinkCursor(HWND over, LPARAM hitTest);
  const AboutControlDesign* DesignOf(HWND control) const;
  HWND Control(AboutControl name) const;

  HINSTANCE m_instance;
  HWND m_owner = nullptr;
  bool m_closed = false;
  // In the order of AboutControls().
  std::array<HWND, kAboutControlCount> m_controls{};
  ContainerWindow m_picture1;
  ContainerWindow m_picture2;
  ToolTips m_toolTips;
  UniqueFont m_regularFont;
  UniqueFont m_boldFont;
  UniqueFont m_largeBoldFont;
  UniqueIcon m_programIcon;
  UniqueCursor m_linkCursor;
  ResourcePicture m_donation;
};

}  // namespace icotrace
