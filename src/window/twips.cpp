#include "window/twips.h"

namespace tagsmit {

int TwipsToPixels(int twips, double dpi) {
  return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

PixelRect TwipsToPixels(const TwipsRect& place, double dpi) {
  return {TwipsToPixels(place.left, dpi), TwipsToPixels(place.top, dpi),
          TwipsToPixels(place.width, dpi), TwipsToPixels(place.height, dpi)};
}

}  // namespace tagsmit
