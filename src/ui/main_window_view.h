// What the command logic of frmMain asks of its window. The real window
// implements it; the host tests put a recorder behind it.
#pragma once

#include <string>

#include "ui/main_window_design.h"

namespace icotrace {

// One row of ListView1 as the commands fill it.
struct ListRow {
  std::u16string Caption;
  std::u16string ImageKey;  // empty: the row shows no picture
  std::u16string X;
  std::u16string Y;
  std::u16string lParam;
};

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  // Buttons are only ever enabled, never disabled again.
  virtual void EnableButton(MainButton button) = 0;
  // A command's rows (the clearing included) come between these two, always
  // paired, also when a row fails: the window draws the list once, at the
  // end, not once a row. EndRows never throws.
  virtual void BeginRows() = 0;
  virtual void EndRows() = 0;
  // Removes every row of ListView1.
  virtual void ClearRows() = 0;
  // Adds a row at the end of ListView1.
  virtual void AddRow(const ListRow& row) = 0;
  // A warning about a command that did its work all the same.
  virtual void ShowWarning(const std::u16string& message) = 0;
  // Shows FrmApropos modally; returns once it has closed.
  virtual void ShowAboutBox() = 0;
  // Ends the program at once: no unload step runs.
  virtual void EndProgram() = 0;
};

}  // namespace icotrace
