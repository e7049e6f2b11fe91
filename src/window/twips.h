#pragma once

namespace tagsmit {

// The windows are laid out in twips (1/1440 inch), so that they keep their
// proportions at every screen resolution.

// A place within a window's client area.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The size of a window's client area.
struct TwipsSize {
  int width = 0;
  int height = 0;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct PixelSize {
  int width = 0;
  int height = 0;
};

// Pixels at `dpi` dots per inch, halves rounded up; a place converts each of
// its four values so.
int TwipsToPixels(int twips, double dpi);
PixelRect TwipsToPixels(const TwipsRect& place, double dpi);

}  // namespace tagsmit
