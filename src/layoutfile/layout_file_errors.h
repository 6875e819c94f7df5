// The French texts of the layout files' failures, put together from the
// pieces in layout_file_messages.h.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "layoutfile/layout_line.h"
#include "platform/file_system.h"

namespace icotrace {

std::u16string FileReasonText(const FileResult& result);
std::u16string LineFaultText(const LineFault& fault);

std::u16string SaveFailedMessage(const std::u16string& path, const FileResult& result);
std::u16string ReadFailedMessage(const std::u16string& path, const FileResult& result);
std::u16string LineFailedMessage(const std::u16string& path, std::size_t lineNumber,
                                 const std::u16string& faultText);
// The captions a save could not write exactly; the first few are named.
std::u16string UnconvertedNamesMessage(const std::u16string& path,
                                       const std::vector<std::u16string>& names);

}  // namespace icotrace
