#include "ui/frm_main_commands.h"

namespace icotrace {

void FrmMainCommands::Click(MainButton button) {
  switch (button) {
    case MainButton::Command5:
      Command5_Click();
      break;
    case MainButton::Command6:
      Command6_Click();
      break;
    case MainButton::Command1:
    case MainButton::Command2:
    case MainButton::Command3:
    case MainButton::Command4:
      // The desktop commands come with the layout files and the icon cache.
      break;
  }
}

void FrmMainCommands::Command5_Click() {
  m_view.EndProgram();
}

void FrmMainCommands::Command6_Click() {
  m_view.ShowAboutBox();
}

void FrmMainCommands::Form_Unload() {
  m_layout.clear();
  m_layout.shrink_to_fit();
}

}  // namespace icotrace
