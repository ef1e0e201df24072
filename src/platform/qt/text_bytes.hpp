// Text from the program to the screen. The program's own texts (titles, labels, names) are
// UTF-8 from end to end; the text window holds whatever bytes a file had, shown as UTF-8 where
// they are, Latin-1 otherwise.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qalix::qt {

// A text the program made: UTF-8, a malformed sequence shown as U+FFFD.
QString programText(std::string_view utf8);

// The text window's bytes as the screen shows them.
QString textFromBytes(const std::string& bytes);

}  // namespace qalix::qt
