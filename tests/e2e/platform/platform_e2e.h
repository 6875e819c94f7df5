// The scenarios of the platform checks, one file a subject.
#pragma once

namespace icotrace::e2e {

void OwnersCloseOnceAndKeepTheLastError();

}  // namespace icotrace::e2e
