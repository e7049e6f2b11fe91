#pragma once

#include <cstdint>
#include <string>

namespace tagsmit {

// The one in-memory option set of the process: the stored options and the
// selected paste string. Field names follow the keys they are stored under.
struct Options {
  std::string CurClipStr;         // selected paste string
  std::uint8_t NotyfyErr = 0;     // report errors: on only at exactly 1
  std::uint8_t Test = 0;          // show the clipboard text after a run
  std::uint8_t LowerCase = 0;     // lower-case the reference path
  std::uint8_t RelativePath = 0;  // relative-path mode; the window stores 255
  std::uint8_t MoreFormats = 0;   // read formats beyond GIF and JPEG, chosen by content
  std::uint8_t DisplaySize = 0;   // the size as displayed, after the photo's rotation
  std::uint8_t DensitySize = 0;   // an @2x image at its page size
  std::uint8_t SrcSet = 0;        // &s becomes the srcset of the file's density variants
  std::uint8_t SeveralFiles = 0;  // every file named gives its line, in name order
  std::string DefClipStr;         // built-in default list, in list-text form
  std::string VerStr;             // "130" for 1.3.0
  std::string BasePath;           // base directory for relative-path mode
  std::string FixedPath;          // prefix for fixed-path mode
};

}  // namespace tagsmit
