#pragma once

#include "window/twips.h"

namespace tagsmit {

// The places of the tables suit the Windows fonts they were drawn for; a font
// standing in for them may run taller or wider. A control whose text needs
// `needed` pixels grows to the right and downwards to hold it, keeping its
// top left corner; it never shrinks below its place and never grows past the
// right or bottom edge of a client area of `client` pixels.
PixelRect GrowToFit(const PixelRect& place, PixelSize needed, PixelSize client);

}  // namespace tagsmit
