#include "ui/frm_main_commands.h"

#include <string>

#include "core/command_error.h"
#include "core/decimal_text.h"
#include "layoutfile/layout_file.h"
#include "layoutfile/layout_file_errors.h"
#include "layoutfile/layout_file_name.h"
#include "ui/command_messages.h"
#include "ui/unplaced_icons_message.h"

namespace icotrace {
namespace {

// Holds back the window's drawing while the rows go in.
class RowBatch {
 public:
  explicit RowBatch(MainWindowView& view) : m_view(view) { m_view.BeginRows(); }
  ~RowBatch() { m_view.EndRows(); }
  RowBatch(const RowBatch&) = delete;
  RowBatch& operator=(const RowBatch&) = delete;

 private:
  MainWindowView& m_view;
};

}  // namespace

void FrmMainCommands::Click(MainButton button) {
  switch (button) {
    case MainButton::Command1:
      Command1_Click();
      break;
    case MainButton::Command2:
      Command2_Click();
      break;
    case MainButton::Command3:
      Command3_Click();
      break;
    case MainButton::Command4:
      Command4_Click();
      break;
    case MainButton::Command5:
      Command5_Click();
      break;
    case MainButton::Command6:
      Command6_Click();
      break;
  }
}

void FrmMainCommands::Form_Load() {
  const std::u16string path = LayoutFileName(m_services.screen, m_services.files);
  if (FileExists(m_services.files, path)) m_view.EnableButton(MainButton::Command4);
}

void FrmMainCommands::Command1_Click() {
  Layout snapshot;
  m_services.desktop.ReadDesktopLayout(snapshot);
  try {
    ShowLayout(std::move(snapshot));
  } catch (...) {
    // The icons fetched before the failure leave no hook in the shell.
    m_services.icons.UninstallHook();
    throw;
  }
  m_services.icons.UninstallHook();
  m_view.EnableButton(MainButton::Command3);
}

void FrmMainCommands::Command2_Click() {
  const ApplyReport report = m_services.desktop.ApplyDesktopLayout(m_layout);
  // Silent when every item found stands where the layout puts it, for good.
  if (const std::u16string told = UnplacedIconsMessage(report); !told.empty()) {
    m_view.ShowWarning(told);
  }
}

void FrmMainCommands::Command3_Click() {
  Command1_Click();
  const std::u16string path = LayoutFileName(m_services.screen, m_services.files);
  // An empty snapshot would wipe out the saved arrangement; the user is told
  // of a kept file only when there is one.
  if (m_layout.empty()) {
    throw CommandError(FileExists(m_services.files, path) ? messages::kNothingToSaveFileKept
                                                          : messages::kNothingToSave);
  }
  const SaveReport report = SaveLayoutFile(m_services.files, m_services.codec, path, m_layout);
  m_view.EnableButton(MainButton::Command4);
  if (!report.unconvertedNames.empty()) {
    m_view.ShowWarning(UnconvertedNamesMessage(path, report.unconvertedNames));
  }
}

void FrmMainCommands::Command4_Click() {
  const std::u16string path = LayoutFileName(m_services.screen, m_services.files);
  Layout loaded;
  LoadLayoutFile(m_services.files, m_services.codec, path, loaded);
  ShowLayout(std::move(loaded));
  m_view.EnableButton(MainButton::Command2);
  m_view.EnableButton(MainButton::Command3);
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

void FrmMainCommands::ShowLayout(Layout layout) {
  m_failedImages.clear();
  m_picturesFetchable = m_services.desktop.ShellSharesOurMachine();
  const RowBatch batch(m_view);
  try {
    FillRows(layout);
  } catch (const CommandError&) {
    // An apply must never work on a table the list does not show whole.
    try {
      FillRows(m_layout);
    } catch (const CommandError&) {
      // The list refuses even the rows it held: it shows what it took.
    }
    throw;
  }
  m_layout = std::move(layout);
}

void FrmMainCommands::FillRows(const Layout& layout) {
  m_view.ClearRows();
  for (const DesktopIcon& icon : layout) FillListRow(icon);
}

void FrmMainCommands::FillListRow(const DesktopIcon& icon) {
  const bool pictured = EnsureIconImage(icon.Image);
  m_view.AddRow({icon.Name, pictured ? ImageKey(icon.Image) : std::u16string(), DecimalText(icon.X),
                 DecimalText(icon.Y), DecimalText(icon.lParam)});
}

bool FrmMainCommands::EnsureIconImage(std::int32_t image) {
  const std::u16string key = ImageKey(image);
  if (m_services.icons.ImageKeyExists(key)) return true;
  if (!m_picturesFetchable || m_failedImages.count(image) != 0) return false;
  if (m_services.icons.AddDesktopIcon(key, image)) return true;
  m_failedImages.insert(image);
  return false;
}

}  // namespace icotrace
