// The texts the About box builds each time it loads: its caption, the
// version label and the usage text of Text1.
#pragma once

#include <string>
#include <string_view>

#include "ui/app_info.h"

namespace icotrace {

// "A propos " followed by the title.
std::u16string AboutCaption(std::u16string_view title);
// "Version 1.0.0": plain decimal numbers.
std::u16string VersionCaption(const ProgramVersion& version);
// usageText <- usageText + line + CR LF.
void AppendLine(std::u16string& usageText, std::u16string_view line);
// The 24 lines of Text1, each ending with CR LF: the line naming the version
// (versionCaption as the label shows it), an empty line, then the usage.
std::u16string BuildUsageText(std::u16string_view versionCaption);

}  // namespace icotrace
