#include "ui/about_links.h"

#include "ui/app_info.h"

namespace icotrace {
namespace {

ShellRequest RequestFor(const ShellOpenCall& call, const std::u16string& programFolder) {
  ShellRequest request;
  request.Verb = u"Open";
  request.File = call.File;
  if (call.InProgramFolder) {
    request.Parameters = u"";
    request.Directory = programFolder;
  }
  request.Show = kShowNormal;
  request.NoErrorBox = call.SwallowFailures;
  return request;
}

}  // namespace

ShellOpenCall ShellCallFor(AboutLink link) {
  switch (link) {
    case AboutLink::Donation:
      return {DonationPage(), true, false};
    case AboutLink::Site:
      return {std::u16string(SiteAddress), true, false};
    case AboutLink::Mail:
      return {u"mailto:" + std::u16string(MailAddress), false, true};
  }
  return {};
}

void OpenAboutLink(AboutLink link, const std::u16string& programFolder, ShellLauncher& shell) {
  const ShellOpenCall call = ShellCallFor(link);
  if (!call.SwallowFailures) {
    shell.ShellExecuteExW(RequestFor(call, programFolder));
    return;
  }
  try {
    shell.ShellExecuteExW(RequestFor(call, programFolder));
  } catch (...) {
    // Whatever went wrong, the e-mail link fails silently.
  }
}

}  // namespace icotrace
