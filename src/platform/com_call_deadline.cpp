#include "platform/com_call_deadline.h"

namespace icotrace {
namespace {

// How often the waiting thread is woken to consult the filter. A posted
// message wakes every COM wait; a timer's does not wake all of them.
constexpr DWORD kWakeEveryMs = 100;
// How soon a call turned away as busy is tried again.
constexpr DWORD kRetryAfterMs = 100;
// RetryRejectedCall's answer that gives the call up.
constexpr DWORD kGiveUp = static_cast<DWORD>(-1);

}  // namespace

ComCallDeadline::ComCallDeadline(ULONGLONG deadline) : m_deadline(deadline) {
  m_registered = SUCCEEDED(::CoRegisterMessageFilter(this, m_previous.GetAddressOf()));
  if (!m_registered) return;
  m_stopWaking.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!m_stopWaking) return;
  const DWORD waiting = ::GetCurrentThreadId();
  m_waker = std::thread([stop = m_stopWaking.Get(), waiting] {
    while (::WaitForSingleObject(stop, kWakeEveryMs) == WAIT_TIMEOUT) {
      ::PostThreadMessageW(waiting, WM_NULL, 0, 0);
    }
  });
}

ComCallDeadline::~ComCallDeadline() {
  if (m_waker.joinable()) {
    ::SetEvent(m_stopWaking.Get());
    m_waker.join();
  }
  if (!m_registered) return;
  ComPtr<IMessageFilter> ours;
  ::CoRegisterMessageFilter(m_previous.Get(), ours.GetAddressOf());
}

DWORD ComCallDeadline::Left() const {
  const ULONGLONG now = ::GetTickCount64();
  return now >= m_deadline ? 0 : static_cast<DWORD>(m_deadline - now);
}

HRESULT STDMETHODCALLTYPE ComCallDeadline::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IMessageFilter) {
    *object = static_cast<IMessageFilter*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ComCallDeadline::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

ULONG STDMETHODCALLTYPE ComCallDeadline::Release() {
  return static_cast<ULONG>(::InterlockedDecrement(&m_references));
}

DWORD STDMETHODCALLTYPE ComCallDeadline::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
  return SERVERCALL_ISHANDLED;
}

// The time of the session counts, not the call's: a shell that answers each
// call just in time would otherwise hold the window for as many limits as
// there are calls.
DWORD STDMETHODCALLTYPE ComCallDeadline::RetryRejectedCall(HTASK, DWORD, DWORD rejectType) {
  if (rejectType == SERVERCALL_RETRYLATER && Left() > kRetryAfterMs) return kRetryAfterMs;
  return kGiveUp;
}

DWORD STDMETHODCALLTYPE ComCallDeadline::MessagePending(HTASK, DWORD, DWORD) {
  return Left() == 0 ? PENDINGMSG_CANCELCALL : PENDINGMSG_WAITDEFPROCESS;
}

}  // namespace icotrace
