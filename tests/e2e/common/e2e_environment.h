// What the Wine harness (scripts/wine-run.sh) and the shared main hand to the
// programs they run: the program's arguments and second roles, the folder for
// logs and screenshots, and the screenshot requests.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace icotrace::e2e {

// The exit code of a run whose tests were all skipped (ctest's
// SKIP_RETURN_CODE).
inline constexpr int kExitAllSkipped = 77;

// The program's arguments that GoogleTest left (its --gtest_ switches taken
// out), in order; the shared main sets them.
void SetProgramArguments(std::vector<std::wstring> arguments);
const std::vector<std::wstring>& ProgramArguments();
// Argument i of those as a Windows path (WindowsPath), empty when not given.
std::wstring PathArgument(std::size_t index);

// Text as UTF-8, for messages and files.
std::string Utf8(std::wstring_view text);
std::string Utf8(std::u16string_view text);

// A test program's second role: its tests start it again as another process
// ("<program> <switch> <arguments>"), and the shared main then runs the role
// with the arguments after the switch instead of the tests. Registered by a
// static initializer of the file that holds the role.
using ChildRole = int (*)(const std::vector<std::wstring>& arguments);
bool RegisterChildRole(const wchar_t* switchName, ChildRole role);
// The role the command line asks for, run; nothing when it asks for none.
std::optional<int> RunChildRole(int argc, wchar_t** argv);

// <build>/e2e as a Windows path (ICOTRACE_E2E_DIR_WIN), or the current folder
// when the program runs outside the harness.
std::wstring E2eDirectory();

// Asks the harness for a screenshot of the whole screen as <e2e>/<name>.png
// and waits until it is taken; false when no harness answered in time. On
// Windows, where there is no harness, takes it as <e2e>/<name>.bmp itself.
bool RequestScreenshot(const std::wstring& name);

// A path as given on the command line, Unix form ("/home/user/icotrace/...",
// as CMake writes it) turned into the Windows form that Wine maps to it
// ("Z:\home\user\icotrace\...").
std::wstring WindowsPath(const std::wstring& path);

// True when the program runs under Wine rather than on Windows.
bool RunningUnderWine();

// An environment variable, empty when unset.
std::wstring EnvironmentVariable(const wchar_t* name);

// The demo desktop of the other bitness: given (a command-line path) when not
// empty, else the variable scripts/test.sh sets (ICOTRACE_DEMO_DESKTOP_32 for
// a 64-bit program, _64 for a 32-bit one); empty when neither says.
std::wstring OtherBitnessDemoDesktop(const std::wstring& given);

}  // namespace icotrace::e2e
