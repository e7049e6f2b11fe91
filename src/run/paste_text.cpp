#include "run/paste_text.h"

#include <cstdint>
#include <optional>

#include "image/image_size.h"
#include "path/density_name.h"
#include "path/density_variants.h"
#include "path/path_syntax.h"
#include "path/reference_path.h"
#include "run/clip_str.h"

namespace tagsmit {
namespace {

constexpr const char* kNotFound = "ディレクトリまたはファイルが見つかりません";

// A size as text with the one blank before it that a number's text has
// where it has no sign; the paste-string expansion trims it.
std::string NumberText(std::uint64_t value) {
  return " " + std::to_string(value);
}

SizeSwitches SizeSwitchesOf(const Options& options) {
  return {.more_formats = options.MoreFormats != 0, .display_size = options.DisplaySize != 0};
}

std::string ReferencePath(const Options& options, Services& services,
                          const std::string& file_name) {
  FileSystem& fs = services.fs;
  std::string path = options.RelativePath != 0
                         ? MakeUrlPath(fs.Style(), options.BasePath, GetActualPath(fs, file_name))
                         : options.FixedPath + fs.LookupFileName(file_name);
  if (!path.empty() && options.LowerCase != 0) path = services.desktop.ToLower(path);
  return path;
}

// The size the page shows an image at whose name states its density.
ImageSize AtPageSize(PathStyle style, const std::string& file_name, ImageSize size) {
  const std::string_view name =
      std::string_view(file_name).substr(PathSyntax(style).NameStart(file_name));
  if (const std::optional<Density> density = ReadDensityName(name).density) {
    size = {.width = density->PageSide(size.width), .height = density->PageSide(size.height)};
  }
  return size;
}

// A path as one URL of a srcset list, where blanks and commas separate the
// candidates: those are percent-encoded, the rest kept as "&f" has it.
std::string SrcSetUrl(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url;
  url.reserve(path.size());
  for (const char c : path) {
    if (c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\f' || c == '\r') {
      const auto byte = static_cast<unsigned char>(c);
      url += {'%', kHex[byte >> 4], kHex[byte & 15]};
    } else {
      url += c;
    }
  }
  return url;
}

// "./logo.png 1x, ./logo@2x.png 2x": the variants beside the file, the file
// among them, each named as "&f" names the file.
std::string SrcSet(const Options& options, Services& services, const std::string& file_name) {
  std::string list;
  for (const DensityVariant& variant : DensityVariants(services.fs, file_name)) {
    const std::string url = ReferencePath(options, services, variant.path);
    if (url.empty()) continue;  // gone since the folder was read
    if (!list.empty()) list += ", ";
    list += SrcSetUrl(url) + " " + variant.density.Descriptor();
  }
  return list;
}

}  // namespace

Result<std::string> MakePasteText(const Options& options, Services& services,
                                  const std::string& file_name) {
  const SizeResult size = GetImageSize(services.fs, file_name, SizeSwitchesOf(options));
  if (!size.ok()) return Result<std::string>::Failure(size.error());

  const std::string path = ReferencePath(options, services, file_name);
  if (path.empty()) return Result<std::string>::Failure(kNotFound);

  ImageSize shown = size.value();
  if (options.DensitySize != 0) shown = AtPageSize(services.fs.Style(), file_name, shown);
  std::optional<std::string> srcset;
  if (options.SrcSet != 0 && options.CurClipStr.find("&s") != std::string::npos) {
    srcset = SrcSet(options, services, file_name);
  }
  return ExpandClipStr(options.CurClipStr, path, NumberText(shown.width), NumberText(shown.height),
                       srcset);
}

}  // namespace tagsmit
