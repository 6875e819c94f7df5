// What the command logic of frmMain asks of its window. The real window
// implements it; the host tests put a recorder behind it.
#pragma once

namespace icotrace {

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  // Shows FrmApropos modally; returns once it has closed.
  virtual void ShowAboutBox() = 0;
  // Ends the program at once: no unload step runs.
  virtual void EndProgram() = 0;
};

}  // namespace icotrace
