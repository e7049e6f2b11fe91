#pragma once

#include <string>
#include <string_view>

namespace tagsmit {

// `path` as the file-system calls take it at any length. Windows refuses a
// path from 248 characters on (MAX_PATH less the 12 that CreateDirectoryW
// keeps for a short name) unless it comes in the extended-length form, which
// the system takes literally: such a path is made absolute as the system
// would resolve it (current directory, ".", "..", "/") and given the prefix
// \\?\ (\\?\UNC\ for \\server\share\...). Shorter paths, and paths in the
// \\?\ or the device form \\.\ already, stay as they are.
std::wstring SystemPath(std::wstring_view path);

// `path` after its extended-length prefix \\?\, if it has one.
std::wstring_view WithoutLongPathPrefix(std::wstring_view path);

}  // namespace tagsmit
