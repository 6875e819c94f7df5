// The event handlers of frmMain, apart from any window: the window forwards
// its load, its button clicks and its unload here. A failing command throws a
// CommandError, which the window shows; it then has changed nothing: the
// table, the rows and the buttons are as they were.
#pragma once

#include <cstdint>
#include <set>

#include "core/desktop_icon.h"
#include "desktop/mod_common.h"
#include "platform/ansi_codec.h"
#include "platform/file_system.h"
#include "platform/screen_metrics.h"
#include "ui/icon_images.h"
#include "ui/main_window_design.h"
#include "ui/main_window_view.h"

namespace icotrace {

// What the commands work with besides the window.
struct CommandServices {
  modCommon& desktop;
  FileSystem& files;
  ScreenMetrics& screen;
  const AnsiCodec& codec;
  IconImageCache& icons;
};

class FrmMainCommands {
 public:
  FrmMainCommands(MainWindowView& view, const CommandServices& services)
      : m_view(view), m_services(services) {}

  // The click of one of the six buttons.
  void Click(MainButton button);

  void Form_Load();
  void Command1_Click();  // read the desktop
  void Command2_Click();  // apply the layout
  void Command3_Click();  // save the layout
  void Command4_Click();  // load the layout
  void Command5_Click();  // quit
  void Command6_Click();  // About
  // Closing the window by its close box; the unload is never cancelled.
  void Form_Unload();

  const Layout& CurrentLayout() const { return m_layout; }

 private:
  // Replaces the table and the rows by layout, each row with its icon. When
  // the list refuses a row, the table stays and its rows are put back.
  void ShowLayout(Layout layout);
  void FillRows(const Layout& layout);
  void FillListRow(const DesktopIcon& icon);
  // True when ImageList1 holds the picture of that image index afterwards.
  bool EnsureIconImage(std::int32_t image);

  MainWindowView& m_view;
  CommandServices m_services;
  Layout m_layout;  // the program's one table, owned for the window's life
  // Image indexes whose icon could not be fetched during the command under
  // way: tried once per command, and again by the next one.
  std::set<std::int32_t> m_failedImages;
  // False when the shell runs another machine's code than ours (an Arm64
  // shell, an x64 Icotrace): no picture can be fetched there, and the list
  // fills at once without them.
  bool m_picturesFetchable = true;
};

}  // namespace icotrace
