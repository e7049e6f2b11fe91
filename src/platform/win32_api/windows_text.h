#pragma once

#include <string>
#include <string_view>

namespace tagsmit {

// The core's text (UTF-8, "\n" line breaks) as the Win32 API shows and
// exchanges it (UTF-16, "\r\n" line breaks), and back.
std::wstring ToWindowsText(std::string_view text);
std::string FromWindowsText(std::wstring_view text);

}  // namespace tagsmit
