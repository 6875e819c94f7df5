// The event handlers of frmMain, apart from any window: the window forwards
// its button clicks and its unload here. A failing command throws a
// CommandError, which the window shows.
#pragma once

#include "desktop/desktop_icon.h"
#include "ui/main_window_design.h"
#include "ui/main_window_view.h"

namespace icotrace {

class FrmMainCommands {
 public:
  explicit FrmMainCommands(MainWindowView& view) : m_view(view) {}

  // The click of one of the six buttons.
  void Click(MainButton button);

  void Command5_Click();  // quit
  void Command6_Click();  // About
  // Closing the window by its close box; the unload is never cancelled.
  void Form_Unload();

 private:
  MainWindowView& m_view;
  Layout m_layout;  // the program's one table, owned for the window's life
};

}  // namespace icotrace
