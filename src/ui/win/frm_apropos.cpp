#include "ui/win/frm_apropos.h"

#include <commctrl.h>

#include "platform/win32_file_system.h"
#include "platform/win32_shell_launcher.h"
#include "ui/about_text.h"
#include "ui/app_info.h"
#include "ui/resources/resource_ids.h"
#include "ui/win/dpi.h"
#include "ui/win/resource_icons.h"
#include "ui/win/ui_fonts.h"
#include "ui/win/wide_text.h"

namespace icotrace {
namespace {

constexpr wchar_t kAboutClass[] = L"IcotraceAbout";
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kAboutExStyle = WS_EX_CONTROLPARENT;
// The controls' ids follow their place in the design; "&OK" is IDOK, so that
// Enter closes the box.
constexpr UINT_PTR kFirstControlId = 200;

DWORD KindStyle(const AboutControlDesign& design) {
  const DWORD notify = design.Link ? SS_NOTIFY : 0;
  switch (design.Kind) {
    case AboutKind::Button:
      return BS_DEFPUSHBUTTON | WS_TABSTOP;
    case AboutKind::Label:
      return (design.Align == TextAlign::Centre ? SS_CENTER : SS_LEFT) | SS_NOPREFIX | notify;
    case AboutKind::TextBox:
      return ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
    case AboutKind::Picture:
      return SS_OWNERDRAW | notify;
    case AboutKind::Panel:
      break;
  }
  return 0;
}

const wchar_t* KindClass(AboutKind kind) {
  switch (kind) {
    case AboutKind::Button:
      return WC_BUTTONW;
    case AboutKind::TextBox:
      return WC_EDITW;
    default:
      return WC_STATICW;
  }
}

// Keeps the owner from input while the box is up, whatever way it ends.
class DisabledOwner {
 public:
  explicit DisabledOwner(HWND owner) : m_owner(owner) {
    if (m_owner != nullptr) ::EnableWindow(m_owner, FALSE);
  }
  DisabledOwner(const DisabledOwner&) = delete;
  DisabledOwner& operator=(const DisabledOwner&) = delete;
  ~DisabledOwner() {
    if (m_owner != nullptr) ::EnableWindow(m_owner, TRUE);
  }

 private:
  HWND m_owner;
};

}  // namespace

FrmApropos::FrmApropos(HINSTANCE instance) : m_instance(instance) {}

FrmApropos::~FrmApropos() {
  Destroy();
}

void FrmApropos::ShowModal(HWND owner) {
  m_owner = owner;
  RegisterWindowClass(m_instance, kAboutClass, ProgramWindowLooks(m_instance));
  CreateWindowObject(m_instance, kAboutClass, kAboutStyle, kAboutExStyle, owner, 0);
  CreateControls();
  Form_Load();
  SetDpi(owner != nullptr ? WindowDpi(owner) : WindowDpi(Handle()));

  // Over the window that opens it; without one, over the work area.
  RECT around{};
  if (owner == nullptr || !::GetWindowRect(owner, &around))
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  CentreOn(around);

  DisabledOwner disabled(owner);
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetFocus(Control(AboutControl::Command1));
  MSG message;
  while (!m_closed) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: the main loop must see the quit as well.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) break;
    if (Handle() != nullptr && ::IsDialogMessageW(Handle(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void FrmApropos::CreateControls() {
  const auto& designs = AboutControls();
  for (std::size_t i = 0; i < designs.size(); ++i) {
    const AboutControlDesign& design = designs[i];
    const UINT_PTR id = design.Name == AboutControl::Command1 ? IDOK : kFirstControlId + i;
    const HWND parent = design.Container == AboutContainer::Picture1   ? m_picture1.Handle()
                        : design.Container == AboutContainer::Picture2 ? m_picture2.Handle()
                                                                       : Handle();
    m_controls[i] = CreateControl(design, parent, id);
  }
  m_toolTips.Create(m_instance, Handle());
  for (std::size_t i = 0; i < designs.size(); ++i)
    if (!designs[i].ToolTip.empty()) m_toolTips.Add(m_controls[i], designs[i].ToolTip);
  m_linkCursor = LoadOwnCursor(m_instance, IDC_LINK);
  m_donation.Load(m_instance, IDR_DONATE_GIF);
}

HWND FrmApropos::CreateControl(const AboutControlDesign& design, HWND parent, UINT_PTR id) {
  if (design.Kind == AboutKind::Panel) {
    ContainerWindow& panel = design.Name == AboutControl::Picture1 ? m_picture1 : m_picture2;
    panel.Create(m_instance, parent, id, ContainerWindow::Looks::BlackPanel);
    return panel.Handle();
  }
  const DWORD exStyle = design.Kind == AboutKind::TextBox ? WS_EX_CLIENTEDGE : 0;
  return ::CreateWindowExW(exStyle, KindClass(design.Kind), Wide(design.Text).c_str(),
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | KindStyle(design), 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(id), m_instance, nullptr);
}

void FrmApropos::Form_Load() {
  ::SetWindowTextW(Handle(), Wide(AboutCaption(ApplicationTitle)).c_str());
  const HWND version = Control(AboutControl::lblVersion);
  ::SetWindowTextW(version, Wide(VersionCaption(kProgramVersion)).c_str());
  ::SetWindowTextW(Control(AboutControl::lblTitle), Wide(ApplicationTitle).c_str());
  // The usage text names the version as the label shows it.
  const std::u16string usageText = BuildUsageText(WindowText(version));
  ::SetWindowTextW(Control(AboutControl::Text1), Wide(usageText).c_str());
}

void FrmApropos::LayOut(UINT dpi) {
  UniqueFont regular = CreateDialogFont(kDialogFontTwips, false, dpi);
  UniqueFont bold = CreateDialogFont(kDialogFontTwips, true, dpi);
  UniqueFont largeBold = CreateDialogFont(kLargeFontTwips, true, dpi);
  const auto& designs = AboutControls();
  for (std::size_t i = 0; i < designs.size(); ++i) {
    PlaceWindow(m_controls[i], ToPixels(designs[i].Rect, dpi));
    const HFONT font = designs[i].Font == AboutFont::Bold        ? bold.Get()
                       : designs[i].Font == AboutFont::LargeBold ? largeBold.Get()
                                                                 : regular.Get();
    SetControlFont(m_controls[i], font);
  }
  m_regularFont = std::move(regular);
  m_boldFont = std::move(bold);
  m_largeBoldFont = std::move(largeBold);
  m_programIcon = LoadIconAt(m_instance, IDI_ICOTRACE, TwipsToPixels(kAboutIconTwips, dpi));

  SetClientSize(Handle(), ToPixels(kAboutClientSize, dpi), dpi);
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT FrmApropos::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Escape (IDCANCEL) closes the box as "&OK" does: it only informs.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        Command1_Click();
      } else if (HIWORD(wParam) == STN_CLICKED) {
        const AboutControlDesign* design = DesignOf(reinterpret_cast<HWND>(lParam));
        if (design != nullptr && design->Link) Link_Click(*design->Link);
      }
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
      Command1_Click();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DRAWITEM:
      DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return ControlColours(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
      if (SetLinkCursor(reinterpret_cast<HWND>(wParam), lParam)) return TRUE;
      break;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

void FrmApropos::Command1_Click() {
  // The owner takes input again before the box goes, so that it is the
  // window activated next.
  m_closed = true;
  if (m_owner != nullptr) ::EnableWindow(m_owner, TRUE);
  Destroy();
}

void FrmApropos::Link_Click(AboutLink link) {
  Win32ShellLauncher shell(Handle());
  OpenAboutLink(link, Win32FileSystem().ProgramFolder(), shell);
}

void FrmApropos::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = ::BeginPaint(Handle(), &paint);
  const UINT dpi = Dpi();
  const int width = TwipsToPixels(kRuleWidthTwips, dpi);
  for (const LineDesign& line : kAboutLines) {
    const RECT rule{TwipsToPixels(line.FromX, dpi), TwipsToPixels(line.FromY, dpi),
                    TwipsToPixels(line.ToX, dpi), TwipsToPixels(line.ToY, dpi) + width};
    ::FillRect(dc, &rule, ::GetSysColorBrush(COLOR_WINDOWTEXT));
  }
  ::EndPaint(Handle(), &paint);
}

void FrmApropos::DrawPicture(const DRAWITEMSTRUCT& item) {
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
  if (item.hwndItem == Control(AboutControl::Image2)) {
    m_donation.Render(item.hDC, item.rcItem);
  } else if (item.hwndItem == Control(AboutControl::Image1) && m_programIcon) {
    const int size = TwipsToPixels(kAboutIconTwips, Dpi());
    ::DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, m_programIcon.Get(), size, size, 0,
                 nullptr, DI_NORMAL);
  }
}

LRESULT FrmApropos::ControlColours(UINT message, HDC dc, HWND control) {
  const AboutControlDesign* design = DesignOf(control);
  if (design == nullptr || !design->TextColour)
    return Window::HandleMessage(message, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(control));
  ::SetTextColor(dc, *design->TextColour);
  ::SetBkColor(dc, kBlack);
  ::SetBkMode(dc, design->Kind == AboutKind::Label ? TRANSPARENT : OPAQUE);
  return reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
}

bool FrmApropos::SetLinkCursor(HWND over, LPARAM hitTest) {
  const AboutControlDesign* design = DesignOf(over);
  if (design == nullptr || !design->Link || LOWORD(hitTest) != HTCLIENT || !m_linkCursor)
    return false;
  ::SetCursor(m_linkCursor.Get());
  return true;
}

const AboutControlDesign* FrmApropos::DesignOf(HWND control) const {
  for (std::size_t i = 0; i < m_controls.size(); ++i)
    if (control != nullptr && m_controls[i] == control) return &AboutControls()[i];
  return nullptr;
}

HWND FrmApropos::Control(AboutControl name) const {
  const auto& designs = AboutControls();
  for (std::size_t i = 0; i < designs.size(); ++i)
    if (designs[i].Name == name) return m_controls[i];
  return nullptr;
}

}  // namespace icotrace
