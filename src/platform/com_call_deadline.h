// A time limit on the calls that this thread makes into another apartment or
// process through COM, one deadline for a whole session of calls. While a call
// waits, COM asks the thread's message filter what to do; past the deadline
// the filter cancels the call, which then
// fails with RPC_E_CALL_CANCELLED instead of holding the thread (and the
// window it runs) for as long as the shell does not answer. A call that the
// other side turns away as busy is tried again until the deadline.
//
// Only an apartment-threaded thread has a message filter; elsewhere this
// does nothing. Windows builds only.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <thread>

#include "platform/win/handles.h"

namespace icotrace {

class ComCallDeadline final : public IMessageFilter {
 public:
  // deadline: a GetTickCount64 value.
  explicit ComCallDeadline(ULONGLONG deadline);
  ~ComCallDeadline();
  ComCallDeadline(const ComCallDeadline&) = delete;
  ComCallDeadline& operator=(const ComCallDeadline&) = delete;

  // True when COM took this filter for the thread.
  bool Active() const { return m_registered; }
  // The milliseconds left before the deadline, 0 once it is reached.
  DWORD Left() const;
  // A later deadline for the calls that follow (those that give back what
  // the session held).
  void MoveTo(ULONGLONG deadline) { m_deadline = deadline; }

  // IUnknown: the object lives as long as its owner, never through Release.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IMessageFilter
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD elapsedMs,
                                             LPINTERFACEINFO info) override;
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD elapsedMs,
                                            DWORD rejectType) override;
  DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD elapsedMs, DWORD pendingType) override;

 private:
  ULONGLONG m_deadline;
  LONG m_references = 1;
  ComPtr<IMessageFilter> m_previous;
  bool m_registered = false;
  // COM consults the filter only when a message reaches the waiting thread:
  // this one posts it an empty one now and then, even when nothing else does.
  UniqueKernelHandle m_stopWaking;
  std::thread m_waker;
};

}  // namespace icotrace
