#include "ui/command_gate.h"

namespace icotrace {

bool CommandGate::Admit(const WindowRequest& request) {
  if (!m_busy) {
    m_busy = true;
    return true;
  }
  const bool closing = !m_waiting.empty() && m_waiting.back().What == WindowRequest::Kind::Close;
  // The window goes with a close: nothing asked after it can run. The same
  // request twice in a row is one request (a double click, a program that
  // repeats itself).
  if (closing || (!m_waiting.empty() && m_waiting.back() == request)) return false;
  if (request.What == WindowRequest::Kind::Click && m_waiting.size() >= kMostWaiting) return false;
  m_waiting.push_back(request);
  return false;
}

std::optional<WindowRequest> CommandGate::TakeWaiting() {
  if (m_busy || m_waiting.empty()) return std::nullopt;
  const WindowRequest next = m_waiting.front();
  m_waiting.pop_front();
  return next;
}

}  // namespace icotrace
