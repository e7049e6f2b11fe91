#pragma once

#include <string>
#include <vector>

#include "path/density_name.h"
#include "platform/file_system.h"

namespace tagsmit {

// One image of a set of density variants: its path (the folder part of the
// path given, then the name as stored) and the density its name states.
struct DensityVariant {
  std::string path;
  Density density;
};

// The density variants of the file at `path` that lie beside it, in
// ascending density: the files whose names read as the same base and
// extension, with a density suffix or without one (1x), names compared as
// the path style compares them (Windows: without regard to ASCII letter
// case). One file per density: `path` itself, which is always in the list
// with the path as given, else the first of the others in byte order of
// their names. A name without a base has no variants.
std::vector<DensityVariant> DensityVariants(FileSystem& fs, const std::string& path);

}  // namespace tagsmit
