#pragma once

// How a program started from a command line sees its arguments.

#include <string>
#include <string_view>
#include <vector>

namespace winrules {

// The Windows C runtime's rules: blanks split, quotes group and vanish,
// backslashes count only in front of a quote, "" inside quotes is a quote.
std::vector<std::string> splitArguments(std::string_view text);

}  // namespace winrules
