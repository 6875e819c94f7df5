// One command at a time. The window looks at its queue during a long command
// (so that it is never taken for hung), and a message another program sends
// is then answered at once: a click or a close that arrives that way must
// not run inside the command under way. It waits here instead, and is
// carried out after, as a click made with the mouse meanwhile would be.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>

#include "ui/main_window_design.h"

namespace icotrace {

// What the main window is asked for: a button's click, or to close.
struct WindowRequest {
  enum class Kind { Click, Close };
  Kind What = Kind::Click;
  MainButton Button = MainButton::Command1;  // for a click

  static WindowRequest ClickOf(MainButton button) { return {Kind::Click, button}; }
  static WindowRequest Close() { return {Kind::Close, MainButton::Command1}; }
  friend bool operator==(const WindowRequest&, const WindowRequest&) = default;
};

class CommandGate {
 public:
  // More requests than this waiting at once can only come from a program
  // that floods the window; the surplus clicks are dropped, a close never.
  static constexpr std::size_t kMostWaiting = 8;

  // True when nothing runs: the caller carries the request out now and
  // calls Done after. Otherwise the request waits for its turn, and false.
  bool Admit(const WindowRequest& request);
  void Done() { m_busy = false; }
  bool Busy() const { return m_busy; }

  // The next waiting request, in the order asked; none while a command runs.
  std::optional<WindowRequest> TakeWaiting();
  bool AnyWaiting() const { return !m_waiting.empty(); }

 private:
  bool m_busy = false;
  std::deque<WindowRequest> m_waiting;
};

}  // namespace icotrace
