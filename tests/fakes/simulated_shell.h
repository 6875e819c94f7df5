// A shell desktop in memory for the host tests: its own process with a
// bounds-checked address space, a desktop list view that answers the
// list-view messages by reading and writing that memory as the real control
// does, a 9x shared mapping, a call log, and switches for faults.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "desktop/exchange_records.h"
#include "platform/win_api.h"

namespace icotrace::testing {

class SimulatedShell final : public WinApi {
 public:
  struct Item {
    std::u16string caption;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t image = 0;
    std::int64_t lParam = 0;
  };

  enum class Family { NT, Win9x };

  struct Faults {
    bool getVersionFails = false;
    bool openProcessFails = false;
    int allocationFailsAt = -1;  // the n-th VirtualAllocEx (from 0) of each open gives null
    bool mappingFails = false;
    bool viewFails = false;
    bool hung = false;                     // no message is answered
    int hangAfterMessages = -1;            // answers this many messages, then hangs
    int removeItemAfterCount = -1;         // this item disappears once the count was given
    bool findWraps = false;                // LVM_FINDITEMW wraps round as LVFI_WRAP would
    int removeItemAtFirstPostedMove = -1;  // this item goes when the first posted move arrives
    bool ignoreMoves = false;              // moves are answered, nothing moves
    std::uint32_t postRefused = 0;         // posts of this message fail (a full queue)
    // The shell runs elevated: its messages, posts and memory are denied.
    bool elevatedShell = false;
  };

  // The list view's shape: LVS_EX_SNAPTOGRID lands a move on the nearest
  // multiple of kGrid; LVS_AUTOARRANGE puts every item back in its arranged
  // place (one column, kGrid apart) after any move.
  static constexpr std::int32_t kGrid = 50;
  void SetExtendedStyle(std::uint32_t style) { m_extendedStyle = style; }
  std::uint32_t ExtendedStyle() const { return m_extendedStyle; }
  void SetAutoArrange(bool on) { m_autoArrange = on; }
  // Desktop icons turned off: the list view is hidden.
  void SetVisible(bool on) { m_visible = on; }
  // The system's true version (RtlGetVersion); Windows 7 unless told.
  OsVersionNumbers version{6, 1, 7601};
  // Monitors, the list view's client corner on screen, its LVM_GETORIGIN.
  std::vector<Rect> monitors{{-32768, -32768, 32767, 32767}};
  std::int32_t clientLeft = 0;
  std::int32_t clientTop = 0;
  PointRecord origin;
  static constexpr std::int32_t kIconSpacing = 75;
  // As Windows 10 1809 and later: the desktop keeps the items' places in a
  // model that only the folder view's Place changes and a Refresh puts back.
  void KeepPlacesInModel();
  void Refresh();
  void Place(std::size_t item, std::int32_t x, std::int32_t y);
  // As Windows 11: the model takes the place now, the list view at shownAt.
  void PlaceLater(std::size_t item, std::int32_t x, std::int32_t y, std::uint64_t shownAt);
  // The item's place in the model, or in the list view when none is kept.
  PointRecord ModelPlace(std::size_t item) const;
  // Time passing without the program sleeping (a call into the shell).
  void AdvanceClock(std::uint64_t milliseconds) { m_clock += milliseconds; }
  // Posted messages waiting for the shell's thread, which takes them only
  // while the program sleeps (a sent message is answered first).
  std::size_t QueuedMessages() const { return m_queue.size(); }
  // Messages answered so far, sent or posted (what hangAfterMessages counts).
  int MessagesAnswered() const { return m_messagesAnswered; }

  SimulatedShell();

  // The shell's shape.
  void SetFamily(Family family) { m_family = family; }
  // The program's own width and whether it runs under WOW64; the shell's,
  // and its machine when the width does not tell it.
  void SetProgram(unsigned bits, bool wow64) {
    m_programBits = bits;
    m_programWow64 = wow64;
  }
  void SetShell(unsigned bits, bool wow64, std::uint16_t machine = 0) {
    m_shellBits = bits;
    m_shellWow64 = wow64;
    m_shellMachine = machine;
  }
  void SetItems(std::vector<Item> items) { m_items = std::move(items); }
  const std::vector<Item>& Items() const { return m_items; }
  // As Windows 10 and 11 after "show desktop": the view under a top-level
  // WorkerW, Progman's first child an empty WorkerW.
  void UseWorkerWLayout();
  // No Progman window at all.
  void RemoveDesktop();

  Faults faults;

  // What happened.
  const std::vector<std::string>& Log() const { return m_log; }
  void ClearLog() { m_log.clear(); }
  // Lets a companion fake (the folder view) write into the same log.
  void Note(std::string line) { m_log.push_back(std::move(line)); }
  // The shell's own items, for a companion fake that moves them.
  std::vector<Item>& MutableItems() { return m_items; }
  // Log lines that start with prefix, in order.
  std::vector<std::string> LogOf(const std::string& prefix) const;
  std::size_t LiveAllocations() const { return m_allocations.size(); }
  std::size_t OpenHandles() const { return m_processHandles.size() + m_mappings.size(); }
  std::size_t LiveViews() const { return m_views.size(); }
  WindowHandle ListView() const { return m_listView; }
  // Bytes the program last wrote to the shell's allocation or view at address.
  std::vector<std::uint8_t> Memory(RemoteAddress address, std::size_t size);
  // The records as the control received them with the last LVM_GETITEMW and
  // LVM_FINDITEMW, and the text that search looked for.
  LvItem lastGetItem;
  LvFindInfo lastFind;
  std::u16string lastFindText;
  // Addresses of the allocations in the order they were made.
  const std::vector<RemoteAddress>& AllocationOrder() const { return m_allocationOrder; }

  // WinApi
  WindowHandle FindWindowA(const char* className) override;
  WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                             const char* className) override;
  std::string GetClassNameA(WindowHandle window) override;
  std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t* processId) override;
  std::optional<std::int64_t> SendMessageTimeoutW(WindowHandle window, std::uint32_t msg,
                                                  std::uint64_t wParam,
                                                  std::int64_t lParam) override;
  bool PostMessageW(WindowHandle window, std::uint32_t msg, std::uint64_t wParam,
                    std::int64_t lParam) override;
  std::uint32_t GetWindowStyle(WindowHandle window) override;
  void RedrawWindow(WindowHandle window, std::uint32_t flags) override;
  bool ClientToScreen(WindowHandle window, std::int32_t& x, std::int32_t& y) override;
  std::vector<Rect> EnumDisplayMonitors() override { return monitors; }
  std::string LCMapStringW(std::u16string_view text) override;
  std::uint32_t GetLastError() override { return m_lastError; }
  std::uint64_t GetTickCount64() override { return m_clock; }
  void Sleep(std::uint32_t milliseconds) override;
  bool GetVersionExA(OsVersionInfoA& info) override;
  bool RtlGetVersion(OsVersionNumbers& numbers) override;
  KernelHandle OpenProcess(std::uint32_t access, bool inheritHandle,
                           std::uint32_t processId) override;
  KernelHandle GetCurrentProcess() override;
  bool IsWow64Process(KernelHandle process) override;
  std::uint16_t ProcessMachine(KernelHandle process) override;
  unsigned ProgramPointerBits() override { return m_programBits; }
  RemoteAddress VirtualAllocEx(KernelHandle process, std::size_t size, std::uint32_t allocationType,
                               std::uint32_t protect) override;
  bool VirtualFreeEx(KernelHandle process, RemoteAddress address, std::size_t size,
                     std::uint32_t freeType) override;
  bool WriteProcessMemory(KernelHandle process, RemoteAddress address, const void* data,
                          std::size_t size) override;
  bool ReadProcessMemory(KernelHandle process, RemoteAddress address, void* data,
                         std::size_t size) override;
  bool CloseHandle(KernelHandle handle) override;
  KernelHandle CreateFileMappingA(std::uint32_t protect, std::uint32_t sizeHigh,
                                  std::uint32_t sizeLow) override;
  RemoteAddress MapViewOfFile(KernelHandle mapping, std::uint32_t desiredAccess) override;
  bool UnmapViewOfFile(RemoteAddress view) override;
  void MoveMemoryToView(RemoteAddress destination, const void* source, std::size_t size) override;
  void MoveMemoryFromView(void* destination, RemoteAddress source, std::size_t size) override;

  static constexpr std::uint32_t kShellProcessId = 4242;
  static constexpr KernelHandle kCurrentProcess = 0xFFFFFFFF'FFFFFFFFull;

 private:
  struct Window {
    std::string className;
    WindowHandle parent = 0;
  };

  WindowHandle AddWindow(const std::string& className, WindowHandle parent);
  std::vector<WindowHandle> ChildrenOf(WindowHandle parent) const;
  // The bytes at [address, address + size) of the shell's memory, or null
  // (and a test failure) when the range leaves every allocation and view.
  std::uint8_t* Resolve(RemoteAddress address, std::size_t size, const char* who);
  // Whether the shell answers one more message now; counts it when it does.
  bool Answers();
  std::int64_t AnswerListView(std::uint32_t msg, std::uint64_t wParam, std::int64_t lParam);
  void MoveItem(std::size_t index, PointRecord at);
  std::size_t ItemRecordSize() const;
  bool ShellIs64() const { return m_family == Family::NT && m_shellBits == 64; }
  static std::uint16_t MachineOf(unsigned bits, bool wow64) {
    return bits == 64 && !wow64 ? win::kMachineAmd64 : win::kMachineI386;
  }

  Family m_family = Family::NT;
  unsigned m_programBits = 64;
  bool m_programWow64 = false;
  unsigned m_shellBits = 64;
  bool m_shellWow64 = false;
  std::uint16_t m_shellMachine = 0;

  std::map<WindowHandle, Window> m_windows;
  std::vector<WindowHandle> m_order;  // creation order, which is z-order
  WindowHandle m_nextWindow = 0x10010;
  WindowHandle m_listView = 0;
  std::vector<Item> m_items;
  int m_messagesAnswered = 0;
  std::uint32_t m_extendedStyle = 0;
  bool m_autoArrange = false;
  bool m_visible = true;
  std::vector<PointRecord> m_kept;  // the desktop's own model, when it keeps one
  struct LatePlace {
    std::size_t item;
    PointRecord at;
    std::uint64_t shownAt;
  };
  std::vector<LatePlace> m_late;
  void ShowDuePlaces();
  struct Posted {
    WindowHandle window;
    std::uint32_t msg;
    std::uint64_t wParam;
    std::int64_t lParam;
  };
  std::vector<Posted> m_queue;
  bool m_postedMoveSeen = false;
  std::uint64_t m_clock = 1000;
  std::uint32_t m_lastError = 0;

  std::map<RemoteAddress, std::vector<std::uint8_t>> m_allocations;
  std::vector<RemoteAddress> m_allocationOrder;
  int m_allocationCalls = 0;
  RemoteAddress m_nextAllocation = 0;
  std::map<KernelHandle, std::uint32_t> m_processHandles;
  std::map<KernelHandle, std::vector<std::uint8_t>> m_mappings;
  std::map<RemoteAddress, KernelHandle> m_views;  // view address -> its mapping
  KernelHandle m_nextHandle = 0x104;
  RemoteAddress m_nextView = 0x83A00000;

  std::vector<std::string> m_log;
};

}  // namespace icotrace::testing
