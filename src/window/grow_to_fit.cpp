#include "window/grow_to_fit.h"

#include <algorithm>

namespace tagsmit {
namespace {

// One side's length: the room left before the edge caps the growth, never the place.
int GrownLength(int start, int length, int needed, int edge) {
  return std::max(length, std::min(needed, edge - start));
}

}  // namespace

PixelRect GrowToFit(const PixelRect& place, PixelSize needed, PixelSize client) {
  return {place.left, place.top, GrownLength(place.left, place.width, needed.width, client.width),
          GrownLength(place.top, place.height, needed.height, client.height)};
}

}  // namespace tagsmit
