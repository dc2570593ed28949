// printf conversion sequences in a text ("%s", "%d", "%-5.2f", "%%", "%P").
// The engine never uses a package text as a format, so any such sequence a
// text still holds when it is shown appears on screen as written. Pure logic.
#pragma once
#include <string>
#include <vector>

namespace kvcheck {

// A '%' then flags (no blank), width, precision, a size letter and a
// conversion letter. "50 % off" holds none.
std::vector<std::string> printfSequences(const std::string& text);

}  // namespace kvcheck
