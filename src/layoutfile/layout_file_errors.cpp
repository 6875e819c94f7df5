#include "layoutfile/layout_file_errors.h"

#include <string>
#include <utility>

#include "core/decimal_text.h"
#include "layoutfile/layout_file_messages.h"

namespace icotrace {
namespace {

namespace m = messages;

constexpr std::size_t kNamesShown = 20;
constexpr const char16_t* kFieldNames[] = {u"X", u"Y", u"Image", u"lParam"};

// Faults the user is told in plain words; any other gets the system's number.
constexpr std::pair<FileFault, const char16_t*> kReasons[] = {
    {FileFault::NotFound, m::kReasonNotFound},
    {FileFault::FolderMissing, m::kReasonFolderMissing},
    {FileFault::AlreadyExists, m::kReasonAlreadyExists},
    {FileFault::AccessDenied, m::kReasonAccessDenied},
    {FileFault::ReadOnly, m::kReasonReadOnly},
    {FileFault::Locked, m::kReasonLocked},
    {FileFault::DiskFull, m::kReasonDiskFull},
    {FileFault::TooLarge, m::kReasonTooLarge},
};

// "<lead> « <path> »"
std::u16string Quoted(const char16_t* lead, const std::u16string& path) {
  return lead + (m::kOpenQuote + path) + m::kCloseQuote;
}

std::u16string WithReason(std::u16string head, const std::u16string& reason) {
  return head + m::kReasonSeparator + reason + u".";
}

}  // namespace

std::u16string FileReasonText(const FileResult& result) {
  for (const auto& [fault, text] : kReasons) {
    if (fault == result.fault) return text;
  }
  std::u16string text = m::kReasonSystemError + (u" " + DecimalText(result.systemCode));
  if (!result.systemText.empty()) text += u" (" + result.systemText + u")";
  return text;
}

std::u16string LineFaultText(const LineFault& fault) {
  const auto fieldFault = [&](const char16_t* what) {
    return m::kFieldWord + (u" " + std::u16string(kFieldNames[fault.field])) + u" " + what;
  };
  switch (fault.kind) {
    case LineFault::Kind::TooFewFields:
      return m::kFaultTooFewFields;
    case LineFault::Kind::NulCharacter:
      return m::kFaultNulCharacter;
    case LineFault::Kind::EmptyNumber:
      return fieldFault(m::kFaultEmptyNumber);
    case LineFault::Kind::NotDecimal:
      return fieldFault(m::kFaultNotDecimal);
    case LineFault::Kind::OutOfRange:
      return fieldFault(m::kFaultOutOfRange);
    case LineFault::Kind::None:
      break;
  }
  return std::u16string();
}

std::u16string SaveFailedMessage(const std::u16string& path, const FileResult& result) {
  return WithReason(Quoted(m::kSaveFailedLead, path), FileReasonText(result));
}

std::u16string ReadFailedMessage(const std::u16string& path, const FileResult& result) {
  return WithReason(Quoted(m::kReadFailedLead, path), FileReasonText(result));
}

std::u16string LineFailedMessage(const std::u16string& path, std::size_t lineNumber,
                                 const std::u16string& faultText) {
  const std::u16string head = Quoted(m::kLineFailedLead, path) + u", " + m::kLineWord + u" " +
                              DecimalText(static_cast<long long>(lineNumber));
  return WithReason(head, faultText);
}

std::u16string UnconvertedNamesMessage(const std::u16string& path,
                                       const std::vector<std::u16string>& names) {
  std::u16string text = Quoted(m::kUnconvertedLead, path) + m::kUnconvertedBody;
  for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) text += u"\n" + names[i];
  if (names.size() > kNamesShown) {
    text += u"\n" +
            (m::kUnconvertedMoreLead +
             DecimalText(static_cast<long long>(names.size() - kNamesShown))) +
            m::kUnconvertedMoreTail;
  }
  return text;
}

}  // namespace icotrace
