#pragma once

#include <string_view>

namespace tagsmit {

// The argument text of a Windows command line (GetCommandLineW): what
// follows the program's own name and the blanks after it. The name ends at
// the first blank or tab outside double quotes (a path with blanks comes
// quoted), as Windows itself reads it.
std::wstring_view ArgumentText(std::wstring_view command_line);

}  // namespace tagsmit
