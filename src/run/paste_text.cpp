#include "run/paste_text.h"

#include "image/image_size.h"
#include "path/reference_path.h"
#include "run/clip_str.h"

namespace tagsmit {
namespace {

constexpr const char* kNotFound = "ディレクトリまたはファイルが見つかりません";

// A number as text with one blank before a non-negative value, the form the
// paste-string expansion trims.
std::string NumberText(int value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string ReferencePath(const Options& options, FileSystem& fs, const std::string& file_name) {
  if (options.RelativePath != 0) {
    return MakeUrlPath(fs.Style(), options.BasePath, GetActualPath(fs, file_name));
  }
  return options.FixedPath + fs.LookupFileName(file_name);
}

}  // namespace

Result<std::string> MakePasteText(const Options& options, Services& services,
                                  const std::string& file_name) {
  const SizeResult size = GetImageSize(services.fs, file_name);
  if (!size.message.empty()) return Result<std::string>::Failure(size.message);

  std::string path = ReferencePath(options, services.fs, file_name);
  if (path.empty()) return Result<std::string>::Failure(kNotFound);
  if (options.LowerCase != 0) path = services.desktop.ToLower(path);

  return ExpandClipStr(options.CurClipStr, path, NumberText(size.width), NumberText(size.height));
}

}  // namespace tagsmit
