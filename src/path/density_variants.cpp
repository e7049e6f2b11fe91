#include "path/density_variants.h"

#include <algorithm>
#include <string_view>

#include "path/path_syntax.h"

namespace tagsmit {

std::vector<DensityVariant> DensityVariants(FileSystem& fs, const std::string& path) {
  const PathSyntax syntax(fs.Style());
  const std::size_t name_start = syntax.NameStart(path);
  const std::string folder = path.substr(0, name_start);
  const std::string_view name = std::string_view(path).substr(name_start);
  const DensityName given = ReadDensityName(name);
  std::vector<DensityVariant> variants = {{path, given.density.value_or(Density::One())}};
  // An empty base would ask for every file of the folder.
  if (given.base.empty()) return variants;

  std::vector<std::string> names = fs.FileNamesStartingWith(folder + std::string(given.base));
  std::sort(names.begin(), names.end());
  for (const std::string& other : names) {
    const DensityName read = ReadDensityName(other);
    if (syntax.SameName(read.base, given.base) &&
        syntax.SameName(read.extension, given.extension)) {
      variants.push_back({folder + other, read.density.value_or(Density::One())});
    }
  }
  // Stable, so that of equal densities the file given stays first (its own
  // entry in the listing among the rest), then the others in name order; the
  // rest of each run goes.
  const auto by_density = [](const DensityVariant& a, const DensityVariant& b) {
    return a.density < b.density;
  };
  std::stable_sort(variants.begin(), variants.end(), by_density);
  const auto same_density = [](const DensityVariant& a, const DensityVariant& b) {
    return a.density == b.density;
  };
  variants.erase(std::unique(variants.begin(), variants.end(), same_density), variants.end());
  return variants;
}

}  // namespace tagsmit
