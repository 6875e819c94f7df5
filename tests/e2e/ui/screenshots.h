// Screenshots kept as artefacts: asked of the Wine harness, which writes
// <e2e folder>/<name>.png while the windows are up.
#pragma once

#include <string>

namespace icotrace::e2e {

// False when no harness listens (ICOTRACE_E2E_DIR_WIN unset) or it did not
// answer in time.
bool TakeScreenshot(const std::wstring& name);

}  // namespace icotrace::e2e
