#include "ui/win/frm_main.h"

#include <commctrl.h>
#include <windowsx.h>

#include <optional>
#include <utility>

#include "platform/win32_keep_responsive.h"
#include "ui/app_info.h"
#include "ui/win/dpi.h"
#include "ui/win/frm_apropos.h"
#include "ui/win/list_rows.h"
#include "ui/win/picture_button.h"
#include "ui/win/resource_icons.h"
#include "ui/win/ui_fonts.h"
#include "ui/win/wide_text.h"

namespace icotrace {
namespace {

constexpr wchar_t kMainClass[] = L"IcotraceMain";
constexpr DWORD kMainStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kMainExStyle = WS_EX_CONTROLPARENT;
constexpr UINT_PTR kListView1Id = 10;
constexpr UINT_PTR kFrame1Id = 11;
// The buttons' ids follow their numbers: Command1 is 101.
constexpr UINT_PTR kFirstButtonId = 101;
// Runs the load step through the window procedure, where failures are shown.
constexpr UINT kFormLoadMessage = WM_APP + 1;
// Carries out the next request that waited for a command to end.
constexpr UINT kRunWaitingMessage = WM_APP + 2;

UINT_PTR ButtonId(MainButton button) {
  return kFirstButtonId + static_cast<UINT_PTR>(button);
}

HWND CreateChild(const wchar_t* className, std::u16string_view text, DWORD style, DWORD exStyle,
                 HWND parent, UINT_PTR id, HINSTANCE instance) {
  return ::CreateWindowExW(exStyle, className, Wide(text).c_str(),
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(id), instance, nullptr);
}

// A read or an apply of a large desktop may take seconds, during which the
// window takes no input: the pointer says so, and comes back after.
class WaitPointer {
 public:
  WaitPointer() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
  ~WaitPointer() { ::SetCursor(m_previous); }
  WaitPointer(const WaitPointer&) = delete;
  WaitPointer& operator=(const WaitPointer&) = delete;

 private:
  HCURSOR m_previous;
};

// The button of a command under way stays pushed until the command returns.
// The window looks at its queue during long commands (so that it is never
// taken for hung), and other programs' questions are then answered before the
// command ends: the button's state is how the window still tells them that
// its command has not returned, as it appears on the screen.
class ButtonHeldDown {
 public:
  explicit ButtonHeldDown(HWND& held, HWND button) : m_held(held) {
    m_held = button;
    Button_SetState(button, TRUE);
  }
  ~ButtonHeldDown() { Release(m_held); }
  ButtonHeldDown(const ButtonHeldDown&) = delete;
  ButtonHeldDown& operator=(const ButtonHeldDown&) = delete;

  static void Release(HWND& held) {
    if (held != nullptr) Button_SetState(std::exchange(held, nullptr), FALSE);
  }

 private:
  HWND& m_held;
};

}  // namespace

FrmMain::FrmMain(HINSTANCE instance, const ProgramServices& services)
    : m_instance(instance),
      m_sysIcons(services.desktop, services.api, m_imageList1),
      m_commands(*this,
                 {services.desktop, services.files, services.screen, services.codec, m_sysIcons}) {
  RegisterWindowClass(instance, kMainClass, ProgramWindowLooks(instance));
  CreateWindowObject(instance, kMainClass, kMainStyle, kMainExStyle, nullptr, 0);
  try {
    ::SetWindowTextW(Handle(), Wide(ApplicationTitle).c_str());
    CreateControls();
    SetDpi(WindowDpi(Handle()));
  } catch (...) {
    // No destructor runs for a half-built window: the window goes before
    // the members it would still send its messages to.
    Destroy();
    throw;
  }
}

FrmMain::~FrmMain() {
  Destroy();
}

void FrmMain::Show(int showCommand) {
  ::SendMessageW(Handle(), kFormLoadMessage, 0, 0);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ::GetMonitorInfoW(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &info);
  // The whole screen, taskbar included, as the window was designed to start.
  CentreOn(info.rcMonitor);
  ::ShowWindow(Handle(), showCommand);
  ::UpdateWindow(Handle());
  ::SetFocus(m_listView1);
}

void FrmMain::CreateControls() {
  // Created in tab order: ListView1, then Frame1 with the buttons left to
  // right; the frame takes no focus of its own.
  CreateListView1();
  m_frame1.Create(m_instance, Handle(), kFrame1Id, ContainerWindow::Looks::Frame);
  m_toolTips.Create(m_instance, Handle());
  for (std::size_t i = 0; i < kMainButtons.size(); ++i) {
    const MainButtonDesign& design = kMainButtons[i];
    m_buttons[i] = CreateChild(WC_BUTTONW, design.Caption, BS_OWNERDRAW | WS_TABSTOP, 0,
                               m_frame1.Handle(), ButtonId(design.Button), m_instance);
    ::EnableWindow(m_buttons[i], design.EnabledAtCreation ? TRUE : FALSE);
    m_toolTips.Add(m_buttons[i], design.ToolTip);
  }
}

void FrmMain::CreateListView1() {
  m_listView1 = CreateRowList(Handle(), kListView1Id, m_instance);
}

void FrmMain::LayOut(UINT dpi) {
  UniqueFont font = CreateDialogFont(kDialogFontTwips, false, dpi);
  SetControlFont(Handle(), font.Get());

  LayOutRowList(m_listView1, dpi);
  SetControlFont(m_listView1, font.Get());
  // ImageList1 is made once, at the first DPI: it is the cache of the desktop's
  // icons, and a new list would lose them.
  if (m_imageList1.Handle() == nullptr) {
    m_imageList1.Create(TwipsToPixels(kSmallIconTwips, dpi));
    ListView_SetImageList(m_listView1, m_imageList1.Handle(), LVSIL_SMALL);
  }

  PlaceWindow(m_frame1.Handle(), ToPixels(kFrame1Rect, dpi));
  const int pictureSize = TwipsToPixels(kButtonPictureTwips, dpi);
  for (std::size_t i = 0; i < kMainButtons.size(); ++i) {
    PlaceWindow(m_buttons[i], ToPixels(kMainButtons[i].Rect, dpi));
    SetControlFont(m_buttons[i], font.Get());
    m_pictures[i] = LoadIconAt(m_instance, kMainButtons[i].PictureId, pictureSize);
    ::InvalidateRect(m_buttons[i], nullptr, TRUE);
  }
  m_font = std::move(font);

  SetClientSize(Handle(), ToPixels(kMainClientSize, dpi), dpi);
}

LRESULT FrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // An owner-drawn button reports a quick second click as a double
      // click; it is a click all the same.
      if (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED)
        OnButtonCommand(LOWORD(wParam));
      return 0;
    case WM_DRAWITEM:
      if (DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_ACTIVATE:
      KeepFocus(wParam);
      return 0;
    case kFormLoadMessage:
      m_commands.Form_Load();
      return 0;
    case kRunWaitingMessage:
      if (const std::optional<WindowRequest> next = m_gate.TakeWaiting()) Ask(*next);
      return 0;
    case WM_CLOSE:
      // A close during a command would free the table the command reads.
      Ask(WindowRequest::Close());
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

void FrmMain::OnButtonCommand(UINT_PTR id) {
  // Enter on a focused button clicks it, as a click would.
  if (id == IDOK) {
    const HWND focus = ::GetFocus();
    for (const HWND button : m_buttons)
      if (button == focus && ::IsWindowEnabled(button)) id = ::GetDlgCtrlID(button);
  }
  for (const MainButtonDesign& design : kMainButtons)
    if (ButtonId(design.Button) == id) Ask(WindowRequest::ClickOf(design.Button));
}

void FrmMain::Ask(const WindowRequest& request) {
  if (!m_gate.Admit(request)) return;
  // A failure is shown before the gate opens: the box belongs to its command.
  RunShowingFailure(Handle(), [&] { CarryOut(request); });
  m_gate.Done();
  if (m_gate.AnyWaiting() && Handle() != nullptr)
    ::PostMessageW(Handle(), kRunWaitingMessage, 0, 0);
}

void FrmMain::CarryOut(const WindowRequest& request) {
  if (request.What == WindowRequest::Kind::Close) {
    m_commands.Form_Unload();
    ::DestroyWindow(Handle());
    return;
  }
  for (std::size_t i = 0; i < kMainButtons.size(); ++i) {
    const MainButton button = kMainButtons[i].Button;
    // A button not offered does nothing, however its click arrives (another
    // program can send the command of a disabled one).
    if (button != request.Button || !::IsWindowEnabled(m_buttons[i])) continue;
    if (button == MainButton::Command5 || button == MainButton::Command6) {
      m_commands.Click(button);
    } else {
      const WaitPointer waiting;
      const ButtonHeldDown held(m_buttonHeldDown, m_buttons[i]);
      m_commands.Click(button);
    }
  }
}

bool FrmMain::DrawButton(const DRAWITEMSTRUCT& item) {
  for (std::size_t i = 0; i < kMainButtons.size(); ++i) {
    if (m_buttons[i] != item.hwndItem) continue;
    const std::wstring caption = Wide(kMainButtons[i].Caption);
    DrawPictureButton(item, {m_pictures[i].Get(), TwipsToPixels(kButtonPictureTwips, Dpi())},
                      caption);
    return true;
  }
  return false;
}

void FrmMain::KeepFocus(WPARAM activation) {
  // The focus goes back where it was when the window is active again (after
  // the About box, for instance).
  if (LOWORD(activation) == WA_INACTIVE) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(Handle(), focus)) m_lastFocus = focus;
    return;
  }
  const bool usable =
      m_lastFocus != nullptr && ::IsWindow(m_lastFocus) && ::IsWindowEnabled(m_lastFocus);
  ::SetFocus(usable ? m_lastFocus : m_listView1);
}

void FrmMain::EnableButton(MainButton button) {
  for (std::size_t i = 0; i < kMainButtons.size(); ++i)
    if (kMainButtons[i].Button == button) ::EnableWindow(m_buttons[i], TRUE);
}

void FrmMain::BeginRows() {
  HoldRowDrawing(m_listView1);
}

void FrmMain::EndRows() {
  ReleaseRowDrawing(m_listView1);
}

void FrmMain::ClearRows() {
  ListView_DeleteAllItems(m_listView1);
}

void FrmMain::AddRow(const ListRow& row) {
  // A fill of thousands of rows, each maybe with the shell's icon, must not
  // get the window ghosted.
  KeepResponsive();
  AppendRow(m_listView1, m_imageList1, row);
}

void FrmMain::ShowWarning(const std::u16string& message) {
  // The box's own loop answers questions: the command is as good as done.
  ButtonHeldDown::Release(m_buttonHeldDown);
  ShowFailure(Handle(), Wide(message).c_str());
}

void FrmMain::ShowAboutBox() {
  FrmApropos box(m_instance);
  box.ShowModal(Handle());
}

void FrmMain::EndProgram() {
  ::PostQuitMessage(0);
}

}  // namespace icotrace
