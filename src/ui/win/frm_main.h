// frmMain: the list of desktop icons above a frame of six picture buttons.
// The window builds and lays out its controls; what a click does is decided
// by FrmMainCommands.
#pragma once

#include <windows.h>

#include <array>

#include "desktop/mod_common.h"
#include "platform/ansi_codec.h"
#include "platform/file_system.h"
#include "platform/screen_metrics.h"
#include "platform/win/handles.h"
#include "platform/win_api.h"
#include "ui/command_gate.h"
#include "ui/frm_main_commands.h"
#include "ui/main_window_design.h"
#include "ui/main_window_view.h"
#include "ui/win/container_window.h"
#include "ui/win/keyed_image_list.h"
#include "ui/win/mod_sys_icons.h"
#include "ui/win/tool_tips.h"
#include "ui/win/window.h"

namespace icotrace {

// The real platform the window's commands work on, made by wWinMain.
struct ProgramServices {
  modCommon& desktop;
  WinApi& api;
  FileSystem& files;
  ScreenMetrics& screen;
  const AnsiCodec& codec;
};

class FrmMain final : public Window, private MainWindowView {
 public:
  FrmMain(HINSTANCE instance, const ProgramServices& services);
  ~FrmMain() override;

  // Runs the load step, centres the window on its monitor and shows it,
  // focus on ListView1.
  void Show(int showCommand);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void EnableButton(MainButton button) override;
  void BeginRows() override;
  void EndRows() override;
  void ClearRows() override;
  void AddRow(const ListRow& row) override;
  void ShowWarning(const std::u16string& message) override;
  void ShowAboutBox() override;
  void EndProgram() override;

  void CreateControls();
  void CreateListView1();
  void LayOut(UINT dpi) override;
  void OnButtonCommand(UINT_PTR id);
  // Carries the request out now, or after the command under way.
  void Ask(const WindowRequest& request);
  void CarryOut(const WindowRequest& request);
  bool DrawButton(const DRAWITEMSTRUCT& item);
  void KeepFocus(WPARAM activation);

  HINSTANCE m_instance;
  KeyedImageList m_imageList1;
  ModSysIcons m_sysIcons;
  FrmMainCommands m_commands;
  HWND m_listView1 = nullptr;
  ContainerWindow m_frame1;
  // In the order of kMainButtons: left to right.
  std::array<HWND, kMainButtons.size()> m_buttons{};
  std::array<UniqueIcon, kMainButtons.size()> m_pictures;
  ToolTips m_toolTips;
  UniqueFont m_font;
  HWND m_lastFocus = nullptr;
  HWND m_buttonHeldDown = nullptr;  // the button of the command under way
  CommandGate m_gate;
};

}  // namespace icotrace
