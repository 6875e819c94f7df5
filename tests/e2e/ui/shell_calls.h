// What a click on a link of the About box makes the shell start. The shell
// runs the command the registry gives for the address's scheme; in this
// check's own Wine prefix that command is this check program, which writes
// down what it was started with.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace icotrace::e2e {

struct ShellCall {
  std::wstring Target;     // the address, as the command line gave it
  std::wstring Directory;  // the folder the started program runs in
  int Show = -1;           // the show state it was given, -1 for none
};

// The argument that makes this program record a shell call instead of
// running the checks: <program> --shell-call <record file> <address>.
inline constexpr wchar_t kShellCallSwitch[] = L"--shell-call";

// The scheme ("https", "mailto") opens with this program, recording to
// record; false when the registry refused. ForgetScheme takes any program
// for it away.
bool AnswerScheme(const std::wstring& scheme, const std::wstring& record);
void ForgetScheme(const std::wstring& scheme);

// The call recorded in that file once it has come, nothing after the time;
// the file is removed.
std::optional<ShellCall> WaitForShellCall(const std::wstring& record, DWORD timeoutMs);

}  // namespace icotrace::e2e
