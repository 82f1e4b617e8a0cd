#pragma once
// Text is UTF-8 from the widgets to the files. Files written by earlier copies of the programs are
// in Windows-1252, and a hand-edited file may come as UTF-16 or with a byte-order mark; every
// reader turns what it finds into UTF-8 here, in one place.
#include <string>
#include <string_view>

#include "platform/core/utf8.h"  // is_valid_utf8

namespace platform {

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined (81, 8D, 8F, 90, 9D) become
// the C1 controls of the same number, as the desktop's own conversion does; ASCII is unchanged.
std::string utf8_from_windows1252(std::string_view bytes);

// The text of a file as UTF-8:
// - a UTF-8 byte-order mark is dropped;
// - a UTF-16 byte-order mark (either byte order) decodes the rest as UTF-16; a lone surrogate or
//   a dangling last byte becomes U+FFFD;
// - otherwise valid UTF-8 is kept byte for byte, and anything else is read as Windows-1252.
std::string text_from_file_bytes(std::string_view bytes);

}  // namespace platform
