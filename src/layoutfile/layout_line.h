// One line of a layout file: Name;X;Y;Image;lParam. The four numbers are the
// last four fields, so a caption holding ";" reads back whole. The writer puts
// plain decimal numbers; the reader also takes what a person editing the file
// may type: blanks around a number, a "+", leading zeros.
#pragma once

#include <string>
#include <string_view>

#include "core/desktop_icon.h"
#include "platform/ansi_codec.h"

namespace icotrace {

struct LineFault {
  enum class Kind { None, TooFewFields, NulCharacter, EmptyNumber, NotDecimal, OutOfRange };
  Kind kind = Kind::None;
  int field = 0;  // for number faults: 0 X, 1 Y, 2 Image, 3 lParam

  bool Ok() const { return kind == Kind::None; }
};

// Empty, or only spaces and tabs: a line the reader passes over.
bool IsBlankLine(std::u16string_view line);

// Fills icon from the line (without its line end). On a fault, icon is left
// in an unspecified state.
LineFault TryParseLayoutLine(std::u16string_view line, DesktopIcon& icon);

// The same, for callers that want one record: throws CommandError on a fault.
DesktopIcon ParseLayoutLine(std::u16string_view line);

// What writing a line cost its caption.
struct CaptionLoss {
  bool lineBreaks = false;  // CR, LF or NUL, written as blanks
  bool encoding = false;    // characters the codec cannot hold
  bool Any() const { return lineBreaks || encoding; }
};

// Appends the icon's line with its CR LF, the caption converted by codec.
CaptionLoss AppendLayoutLine(const AnsiCodec& codec, const DesktopIcon& icon, std::string& bytes);

}  // namespace icotrace
