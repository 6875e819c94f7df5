#include "simulated_shell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <tuple>

#include "desktop/exchange_records.h"
#include "desktop/list_view_protocol.h"

namespace icotrace::testing {
namespace {

std::string Hex(std::uint64_t value) {
  std::ostringstream out;
  out << "0x" << std::hex << value;
  return out.str();
}

// The control's own comparison: whole caption, letter case ignored. Kept
// apart from the program's so that the tests do not check it against itself.
char16_t Fold(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
    return static_cast<char16_t>(c - 0x20);
  }
  return c;
}

bool SameCaption(const std::u16string& a, const std::u16string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}

Bytes Copy(const std::uint8_t* from, std::size_t size) {
  return Bytes(from, from + size);
}

}  // namespace

SimulatedShell::SimulatedShell() {
  const WindowHandle progman = AddWindow("Progman", 0);
  const WindowHandle defView = AddWindow("SHELLDLL_DefView", progman);
  m_listView = AddWindow("SysListView32", defView);
  AddWindow("Shell_TrayWnd", 0);
}

WindowHandle SimulatedShell::AddWindow(const std::string& className, WindowHandle parent) {
  const WindowHandle handle = m_nextWindow;
  m_nextWindow += 0x10;
  m_windows[handle] = {className, parent};
  m_order.push_back(handle);
  return handle;
}

std::vector<WindowHandle> SimulatedShell::ChildrenOf(WindowHandle parent) const {
  std::vector<WindowHandle> children;
  for (WindowHandle handle : m_order) {
    if (m_windows.at(handle).parent == parent) children.push_back(handle);
  }
  return children;
}

void SimulatedShell::KeepPlacesInModel() {
  m_kept.clear();
  for (const Item& item : m_items) m_kept.push_back({item.x, item.y});
}

void SimulatedShell::Refresh() {
  for (std::size_t i = 0; i < m_kept.size() && i < m_items.size(); ++i)
    std::tie(m_items[i].x, m_items[i].y) = std::tie(m_kept[i].x, m_kept[i].y);
}

void SimulatedShell::Place(std::size_t item, std::int32_t x, std::int32_t y) {
  MoveItem(item, {x, y});
  if (item < m_kept.size()) m_kept[item] = {m_items[item].x, m_items[item].y};
}

void SimulatedShell::PlaceLater(std::size_t item, std::int32_t x, std::int32_t y,
                                std::uint64_t shownAt) {
  if (item < m_kept.size()) m_kept[item] = {x, y};
  m_late.push_back({item, {x, y}, shownAt});
}

void SimulatedShell::ShowDuePlaces() {
  std::erase_if(m_late, [&](const LatePlace& late) {
    if (late.shownAt > m_clock) return false;
    Place(late.item, late.at.x, late.at.y);
    return true;
  });
}

PointRecord SimulatedShell::ModelPlace(std::size_t item) const {
  if (item < m_kept.size()) return m_kept[item];
  return {m_items[item].x, m_items[item].y};
}

void SimulatedShell::UseWorkerWLayout() {
  // Rebuild: Progman with an empty WorkerW child, the list under a top-level
  // WorkerW that comes after another, empty one.
  m_windows.clear();
  m_order.clear();
  const WindowHandle progman = AddWindow("Progman", 0);
  AddWindow("WorkerW", progman);
  AddWindow("WorkerW", 0);
  const WindowHandle worker = AddWindow("WorkerW", 0);
  const WindowHandle defView = AddWindow("SHELLDLL_DefView", worker);
  m_listView = AddWindow("SysListView32", defView);
}

void SimulatedShell::RemoveDesktop() {
  m_windows.clear();
  m_order.clear();
  m_listView = 0;
  AddWindow("Shell_TrayWnd", 0);
}

std::vector<std::string> SimulatedShell::LogOf(const std::string& prefix) const {
  std::vector<std::string> lines;
  for (const std::string& line : m_log) {
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  }
  return lines;
}

std::vector<std::uint8_t> SimulatedShell::Memory(RemoteAddress address, std::size_t size) {
  const std::uint8_t* bytes = Resolve(address, size, "Memory");
  return bytes == nullptr ? std::vector<std::uint8_t>{} : Copy(bytes, size);
}

std::uint8_t* SimulatedShell::Resolve(RemoteAddress address, std::size_t size, const char* who) {
  if (address != 0) {
    auto alloc = m_allocations.upper_bound(address);
    if (alloc != m_allocations.begin()) {
      --alloc;
      if (address >= alloc->first && address + size <= alloc->first + alloc->second.size()) {
        return alloc->second.data() + (address - alloc->first);
      }
    }
    auto view = m_views.upper_bound(address);
    if (view != m_views.begin()) {
      --view;
      std::vector<std::uint8_t>& bytes = m_mappings.at(view->second);
      if (address >= view->first && address + size <= view->first + bytes.size()) {
        return bytes.data() + (address - view->first);
      }
    }
  }
  ADD_FAILURE() << who << ": " << size << " bytes at " << Hex(address)
                << " leave every region of the shell";
  return nullptr;
}

WindowHandle SimulatedShell::FindWindowA(const char* className) {
  Note(std::string("FindWindowA ") + className);
  for (WindowHandle handle : m_order) {
    const Window& window = m_windows.at(handle);
    if (window.parent == 0 && window.className == className) return handle;
  }
  return 0;
}

WindowHandle SimulatedShell::FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                           const char* className) {
  Note("FindWindowExA " + Hex(parent) + " " + Hex(childAfter) + " " +
       (className ? className : "*"));
  if (parent != 0 && m_windows.count(parent) == 0) {
    ADD_FAILURE() << "FindWindowExA under a window that does not exist";
    return 0;
  }
  const std::vector<WindowHandle> children = ChildrenOf(parent);
  auto from = children.begin();
  if (childAfter != 0) {
    from = std::find(children.begin(), children.end(), childAfter);
    if (from == children.end()) return 0;
    ++from;
  }
  for (auto it = from; it != children.end(); ++it) {
    if (className == nullptr || m_windows.at(*it).className == className) return *it;
  }
  return 0;
}

std::string SimulatedShell::GetClassNameA(WindowHandle window) {
  const auto found = m_windows.find(window);
  return found == m_windows.end() ? std::string() : found->second.className;
}

std::uint32_t SimulatedShell::GetWindowThreadProcessId(WindowHandle window,
                                                       std::uint32_t* processId) {
  Note("GetWindowThreadProcessId " + Hex(window));
  const bool known = m_windows.count(window) != 0;
  if (processId != nullptr) *processId = known ? kShellProcessId : 0;
  return known ? 77 : 0;
}

bool SimulatedShell::Answers() {
  ShowDuePlaces();
  m_lastError = faults.elevatedShell ? win::kErrorAccessDenied : 1460;  // ERROR_TIMEOUT
  if (faults.hung || faults.elevatedShell) return false;
  if (faults.hangAfterMessages >= 0 && m_messagesAnswered >= faults.hangAfterMessages) {
    return false;
  }
  ++m_messagesAnswered;
  return true;
}

std::optional<std::int64_t> SimulatedShell::SendMessageTimeoutW(WindowHandle window,
                                                                std::uint32_t msg,
                                                                std::uint64_t wParam,
                                                                std::int64_t lParam) {
  Note("SendMessage " + Hex(msg) + " " + std::to_string(static_cast<std::int64_t>(wParam)) + " " +
       Hex(static_cast<std::uint64_t>(lParam)));
  if (!Answers()) return std::nullopt;
  if (window == 0 || m_windows.count(window) == 0) return std::nullopt;
  if (window != m_listView) return 0;
  return AnswerListView(msg, wParam, lParam);
}

bool SimulatedShell::PostMessageW(WindowHandle window, std::uint32_t msg, std::uint64_t wParam,
                                  std::int64_t lParam) {
  Note("PostMessage " + Hex(msg) + " " + std::to_string(static_cast<std::int64_t>(wParam)) + " " +
       Hex(static_cast<std::uint64_t>(lParam)));
  m_lastError = faults.elevatedShell ? win::kErrorAccessDenied : 1816;  // ERROR_NOT_ENOUGH_QUOTA
  if (window == 0 || m_windows.count(window) == 0 || msg == faults.postRefused ||
      faults.elevatedShell) {
    return false;
  }
  m_queue.push_back({window, msg, wParam, lParam});
  return true;
}

void SimulatedShell::Sleep(std::uint32_t milliseconds) {
  m_clock += milliseconds;
  ShowDuePlaces();
  // The shell's thread works through its queue while the program waits, a
  // few messages at a time: the program must wait for the last one.
  constexpr std::size_t kTakenPerWait = 7;
  std::size_t taken = 0;
  for (; taken < m_queue.size() && taken < kTakenPerWait && Answers(); ++taken) {
    const Posted& posted = m_queue[taken];
    if (posted.window != m_listView) continue;
    if (posted.msg == lv::kSetItemPosition32 && !m_postedMoveSeen) {
      m_postedMoveSeen = true;
      const int gone = faults.removeItemAtFirstPostedMove;
      if (gone >= 0 && gone < static_cast<int>(m_items.size()))
        m_items.erase(m_items.begin() + gone);
    }
    AnswerListView(posted.msg, posted.wParam, posted.lParam);
  }
  m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(taken));
}

std::uint32_t SimulatedShell::GetWindowStyle(WindowHandle window) {
  if (m_windows.count(window) == 0) return 0;
  if (window != m_listView) return win::kWsVisible;
  return (m_autoArrange ? lv::kAutoArrange : 0) | (m_visible ? win::kWsVisible : 0);
}

std::string SimulatedShell::LCMapStringW(std::u16string_view text) {
  std::string key;
  for (const char16_t c : text) {
    const char16_t folded = Fold(c);
    key.push_back(static_cast<char>(folded >> 8));
    key.push_back(static_cast<char>(folded & 0xFF));
  }
  return key;
}

void SimulatedShell::MoveItem(std::size_t index, PointRecord at) {
  if (faults.ignoreMoves) return;
  if ((m_extendedStyle & lv::kExSnapToGrid) != 0) {
    const auto snap = [](std::int32_t v) {
      return static_cast<std::int32_t>(std::lround(static_cast<double>(v) / kGrid)) * kGrid;
    };
    at = {snap(at.x), snap(at.y)};
  }
  m_items[index].x = at.x;
  m_items[index].y = at.y;
  if (!m_autoArrange) return;
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    m_items[i].x = kGrid;
    m_items[i].y = kGrid * static_cast<std::int32_t>(i + 1);
  }
}

std::size_t SimulatedShell::ItemRecordSize() const {
  return LvItemSize(ShellIs64() ? PointerWidth::Bits64 : PointerWidth::Bits32);
}

std::int64_t SimulatedShell::AnswerListView(std::uint32_t msg, std::uint64_t wParam,
                                            std::int64_t lParam) {
  const PointerWidth width = ShellIs64() ? PointerWidth::Bits64 : PointerWidth::Bits32;
  const auto address = static_cast<RemoteAddress>(lParam);
  const auto index = static_cast<std::int64_t>(wParam);
  const auto count = static_cast<std::int64_t>(m_items.size());
  switch (msg) {
    case lv::kGetItemCount: {
      const std::int64_t answer = count;
      if (faults.removeItemAfterCount >= 0 && faults.removeItemAfterCount < count) {
        m_items.erase(m_items.begin() + faults.removeItemAfterCount);
      }
      return answer;
    }
    case lv::kGetItemW: {
      std::uint8_t* record = Resolve(address, ItemRecordSize(), "LVM_GETITEMW record");
      if (record == nullptr) return 0;
      LvItem item = DecodeLvItem(Copy(record, ItemRecordSize()), width);
      lastGetItem = item;
      if (item.iItem < 0 || item.iItem >= count || item.iSubItem != 0) return 0;
      const Item& source = m_items[static_cast<std::size_t>(item.iItem)];
      if ((item.mask & lv::kIfText) != 0 && item.cchTextMax > 0) {
        // As lstrcpyn: at most cchTextMax - 1 characters and a NUL.
        const std::size_t chars =
            std::min(source.caption.size(), static_cast<std::size_t>(item.cchTextMax - 1));
        std::uint8_t* text = Resolve(item.pszText, (chars + 1) * 2, "LVM_GETITEMW text");
        if (text == nullptr) return 0;
        for (std::size_t i = 0; i <= chars; ++i) {
          const char16_t c = i < chars ? source.caption[i] : u'\0';
          text[2 * i] = static_cast<std::uint8_t>(c & 0xFF);
          text[2 * i + 1] = static_cast<std::uint8_t>(c >> 8);
        }
      }
      if ((item.mask & lv::kIfImage) != 0) item.iImage = source.image;
      if ((item.mask & lv::kIfParam) != 0) item.lParam = source.lParam;
      const Bytes encoded = EncodeLvItem(item, width);
      std::memcpy(record, encoded.data(), encoded.size());
      return 1;
    }
    case lv::kGetItemPosition: {
      if (index < 0 || index >= count) return 0;
      std::uint8_t* point = Resolve(address, kPointSize, "LVM_GETITEMPOSITION");
      if (point == nullptr) return 0;
      const Item& source = m_items[static_cast<std::size_t>(index)];
      const Bytes encoded = EncodePoint({source.x, source.y});
      std::memcpy(point, encoded.data(), encoded.size());
      return 1;
    }
    case lv::kFindItemW: {
      const std::size_t size = LvFindInfoSize(width);
      const std::uint8_t* record = Resolve(address, size, "LVM_FINDITEMW record");
      if (record == nullptr) return -1;
      const LvFindInfo find = DecodeLvFindInfo(Copy(record, size), width);
      if (find.flags != lv::kFindString) return -1;
      std::u16string wanted;
      for (RemoteAddress at = find.psz;; at += 2) {
        const std::uint8_t* c = Resolve(at, 2, "LVM_FINDITEMW text");
        if (c == nullptr) return -1;
        const auto ch = static_cast<char16_t>(c[0] | (c[1] << 8));
        if (ch == u'\0') break;
        wanted.push_back(ch);
      }
      lastFind = find;
      lastFindText = wanted;
      const std::int64_t start = index < 0 ? 0 : index + 1;
      for (std::int64_t i = start; i < count; ++i) {
        if (SameCaption(m_items[static_cast<std::size_t>(i)].caption, wanted)) return i;
      }
      if (faults.findWraps) {
        for (std::int64_t i = 0; i < start && i < count; ++i) {
          if (SameCaption(m_items[static_cast<std::size_t>(i)].caption, wanted)) return i;
        }
      }
      return -1;
    }
    case lv::kSetItemPosition32: {
      if (index < 0 || index >= count) return 0;
      const std::uint8_t* point = Resolve(address, kPointSize, "LVM_SETITEMPOSITION32");
      if (point == nullptr) return 0;
      MoveItem(static_cast<std::size_t>(index), DecodePoint(Copy(point, kPointSize)));
      return 1;
    }
    case lv::kGetOrigin: {
      std::uint8_t* point = Resolve(address, kPointSize, "LVM_GETORIGIN");
      if (point == nullptr) return 0;
      const Bytes encoded = EncodePoint(origin);
      std::memcpy(point, encoded.data(), encoded.size());
      return 1;
    }
    case lv::kGetIconSpacing:
      return (kIconSpacing << 16) | kIconSpacing;
    case lv::kGetExtendedStyle:
      return m_extendedStyle;
    case lv::kSetExtendedStyle: {
      const auto mask = wParam == 0 ? ~std::uint32_t{0} : static_cast<std::uint32_t>(wParam);
      const std::uint32_t before = m_extendedStyle;
      m_extendedStyle = (m_extendedStyle & ~mask) | (static_cast<std::uint32_t>(lParam) & mask);
      return before;
    }
    case lv::kGetImageList:
      return wParam == lv::kSmallImageList ? 0x5A0001 : 0;
    default:
      return 0;
  }
}

void SimulatedShell::RedrawWindow(WindowHandle window, std::uint32_t flags) {
  Note("RedrawWindow " + Hex(window) + " " + std::to_string(flags));
}

bool SimulatedShell::ClientToScreen(WindowHandle window, std::int32_t& x, std::int32_t& y) {
  if (window != m_listView) return false;
  x += clientLeft;
  y += clientTop;
  return true;
}

bool SimulatedShell::GetVersionExA(OsVersionInfoA& info) {
  Note("GetVersionExA " + std::to_string(info.dwOSVersionInfoSize));
  if (faults.getVersionFails || info.dwOSVersionInfoSize != 148) return false;
  info.dwPlatformId = m_family == Family::NT ? 2 : 1;
  return true;
}

bool SimulatedShell::RtlGetVersion(OsVersionNumbers& numbers) {
  Note("RtlGetVersion");
  numbers = version;
  return !faults.getVersionFails;
}

KernelHandle SimulatedShell::OpenProcess(std::uint32_t access, bool inheritHandle,
                                         std::uint32_t processId) {
  Note("OpenProcess " + Hex(access) + " " + (inheritHandle ? "1" : "0") + " " +
       std::to_string(processId));
  m_lastError = faults.elevatedShell ? win::kErrorAccessDenied : 87;  // ERROR_INVALID_PARAMETER
  if (faults.openProcessFails || faults.elevatedShell || processId != kShellProcessId) return 0;
  const KernelHandle handle = m_nextHandle;
  m_nextHandle += 4;
  m_processHandles[handle] = processId;
  m_allocationCalls = 0;
  return handle;
}

KernelHandle SimulatedShell::GetCurrentProcess() {
  return kCurrentProcess;
}

bool SimulatedShell::IsWow64Process(KernelHandle process) {
  if (process == kCurrentProcess) return m_programWow64;
  return m_processHandles.count(process) != 0 && m_shellWow64;
}

std::uint16_t SimulatedShell::ProcessMachine(KernelHandle process) {
  if (process == kCurrentProcess) return MachineOf(m_programBits, m_programWow64);
  if (m_processHandles.count(process) == 0) return win::kMachineUnknown;
  return m_shellMachine != 0 ? m_shellMachine : MachineOf(m_shellBits, m_shellWow64);
}

RemoteAddress SimulatedShell::VirtualAllocEx(KernelHandle process, std::size_t size,
                                             std::uint32_t allocationType, std::uint32_t protect) {
  Note("VirtualAllocEx " + std::to_string(size));
  EXPECT_EQ(allocationType, 0x3000u);
  EXPECT_EQ(protect, 4u);
  if (m_processHandles.count(process) == 0) return 0;
  if (m_allocationCalls++ == faults.allocationFailsAt) return 0;
  // Far above 4 GiB in a 64-bit shell, so that a truncated pointer misses.
  if (m_nextAllocation == 0) m_nextAllocation = ShellIs64() ? 0x7FF6'1234'0000ull : 0x0052'0000ull;
  const RemoteAddress base = m_nextAllocation;
  m_nextAllocation += 0x10000;
  m_allocations[base] = std::vector<std::uint8_t>(size, 0);
  m_allocationOrder.push_back(base);
  return base;
}

bool SimulatedShell::VirtualFreeEx(KernelHandle process, RemoteAddress address, std::size_t size,
                                   std::uint32_t freeType) {
  Note("VirtualFreeEx " + Hex(address));
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(freeType, 0x8000u);
  if (m_processHandles.count(process) == 0) return false;
  return m_allocations.erase(address) != 0;
}

bool SimulatedShell::WriteProcessMemory(KernelHandle process, RemoteAddress address,
                                        const void* data, std::size_t size) {
  Note("WriteProcessMemory " + Hex(address) + " " + std::to_string(size));
  if (m_processHandles.count(process) == 0) return false;
  std::uint8_t* to = Resolve(address, size, "WriteProcessMemory");
  if (to == nullptr) return false;
  std::memcpy(to, data, size);
  return true;
}

bool SimulatedShell::ReadProcessMemory(KernelHandle process, RemoteAddress address, void* data,
                                       std::size_t size) {
  Note("ReadProcessMemory " + Hex(address) + " " + std::to_string(size));
  if (m_processHandles.count(process) == 0) return false;
  const std::uint8_t* from = Resolve(address, size, "ReadProcessMemory");
  if (from == nullptr) return false;
  std::memcpy(data, from, size);
  return true;
}

bool SimulatedShell::CloseHandle(KernelHandle handle) {
  Note("CloseHandle " + Hex(handle));
  if (m_processHandles.erase(handle) != 0) return true;
  return m_mappings.erase(handle) != 0;
}

KernelHandle SimulatedShell::CreateFileMappingA(std::uint32_t protect, std::uint32_t sizeHigh,
                                                std::uint32_t sizeLow) {
  Note("CreateFileMappingA " + std::to_string(sizeLow));
  EXPECT_EQ(protect, 4u);
  EXPECT_EQ(sizeHigh, 0u);
  if (faults.mappingFails) return 0;
  const KernelHandle handle = m_nextHandle;
  m_nextHandle += 4;
  m_mappings[handle] = std::vector<std::uint8_t>(sizeLow, 0);
  return handle;
}

RemoteAddress SimulatedShell::MapViewOfFile(KernelHandle mapping, std::uint32_t desiredAccess) {
  Note("MapViewOfFile " + Hex(mapping));
  EXPECT_EQ(desiredAccess, 0xF001Fu);
  if (faults.viewFails || m_mappings.count(mapping) == 0) return 0;
  const RemoteAddress view = m_nextView;
  m_nextView += 0x10000;
  m_views[view] = mapping;
  return view;
}

bool SimulatedShell::UnmapViewOfFile(RemoteAddress view) {
  Note("UnmapViewOfFile " + Hex(view));
  return m_views.erase(view) != 0;
}

void SimulatedShell::MoveMemoryToView(RemoteAddress destination, const void* source,
                                      std::size_t size) {
  Note("MoveMemoryToView " + Hex(destination) + " " + std::to_string(size));
  std::uint8_t* to = Resolve(destination, size, "MoveMemoryToView");
  if (to != nullptr) std::memcpy(to, source, size);
}

void SimulatedShell::MoveMemoryFromView(void* destination, RemoteAddress source, std::size_t size) {
  Note("MoveMemoryFromView " + Hex(source) + " " + std::to_string(size));
  const std::uint8_t* from = Resolve(source, size, "MoveMemoryFromView");
  if (from != nullptr) std::memcpy(destination, from, size);
}

}  // namespace icotrace::testing
