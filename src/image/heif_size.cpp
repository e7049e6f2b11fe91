#include "image/heif_size.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "image/byte_order.h"
#include "image/image_reader.h"
#include "image/iso_box.h"

namespace tagsmit {
namespace {

constexpr std::uint64_t kLargestMeta = 1 << 20;
// HEIF puts the meta box among the first few; a file of countless small boxes
// before it is not read to its end.
constexpr int kMostBoxesBeforeMeta = 64;
constexpr std::string_view kBrands[] = {"avif", "avis", "heic", "heix", "mif1", "msf1"};

// ftyp: major brand, minor version, then compatible brands.
bool HasHeifBrand(std::span<const std::uint8_t> ftyp_body) {
  for (std::size_t at = 0; at + 4 <= ftyp_body.size(); at += at == 0 ? 8 : 4) {
    for (std::string_view brand : kBrands) {
      if (TextAt(ftyp_body, at, brand)) return true;
    }
  }
  return false;
}

std::optional<std::uint64_t> Number(std::span<const std::uint8_t> bytes, std::uint64_t at,
                                    std::size_t count) {
  return CheckedNumberAt(bytes, at, count, ByteOrder::kBig);
}

// The property indices (from 1) that the ipma boxes associate with `item`, in
// their order; none when an ipma box ends too early.
std::optional<std::vector<std::uint64_t>> Associations(std::span<const std::uint8_t> iprp,
                                                       std::uint64_t item) {
  std::vector<std::uint64_t> indices;
  IsoBoxes boxes(iprp);
  while (const auto box = boxes.Next()) {
    if (box->type != "ipma") continue;
    const auto version = Number(box->body, 0, 1);
    const auto flags = Number(box->body, 1, 3);
    const auto entries = Number(box->body, 4, 4);
    if (!entries) return std::nullopt;
    const std::size_t id_size = *version < 1 ? 2 : 4;
    const std::size_t index_size = (*flags & 1) != 0 ? 2 : 1;
    const std::uint64_t index_mask = index_size == 2 ? 0x7FFF : 0x7F;  // under the essential bit
    std::uint64_t at = 8;
    for (std::uint64_t entry = 0; entry < *entries; ++entry) {
      const auto id = Number(box->body, at, id_size);
      const auto count = Number(box->body, at + id_size, 1);
      if (!count) return std::nullopt;
      at += id_size + 1;
      for (std::uint64_t i = 0; i < *count; ++i, at += index_size) {
        const auto index = Number(box->body, at, index_size);
        if (!index) return std::nullopt;
        if (*id == item) indices.push_back(*index & index_mask);
      }
    }
  }
  return indices;
}

// A clean aperture value, numerator (signed for the offsets) over denominator.
struct Fraction {
  std::int64_t numerator;
  std::int64_t denominator;
};
std::optional<Fraction> FractionAt(std::span<const std::uint8_t> clap, std::uint64_t at,
                                   bool is_signed) {
  const auto numerator = Number(clap, at, 4);
  const auto denominator = Number(clap, at + 4, 4);
  if (!denominator || *denominator == 0) return std::nullopt;
  const auto bits = static_cast<std::int64_t>(*numerator);
  return Fraction{is_signed && bits >= 0x8000'0000 ? bits - 0x1'0000'0000 : bits,
                  static_cast<std::int64_t>(*denominator)};
}

// The picture that a clean aperture leaves of `size`: none when the box is
// damaged. Browsers apply only an aperture of whole pixels within the picture
// that starts at its top left corner; any other they ignore, as this does.
std::optional<ImageSize> ApertureOf(std::span<const std::uint8_t> clap, ImageSize size) {
  const auto width = FractionAt(clap, 0, false);
  const auto height = FractionAt(clap, 8, false);
  const auto left = FractionAt(clap, 16, true);
  const auto top = FractionAt(clap, 24, true);
  if (!width || !height) return std::nullopt;
  if (!left || !top) return size;
  // The offsets place the aperture's centre from the picture's: the left edge
  // is at left + (W - w) / 2, which is 0 when 2 left + W - w is.
  const auto whole = [](const Fraction& f) { return f.numerator % f.denominator == 0; };
  if (!whole(*width) || !whole(*height)) return size;
  const std::int64_t w = width->numerator / width->denominator;
  const std::int64_t h = height->numerator / height->denominator;
  if (w <= 0 || h <= 0 || static_cast<std::uint64_t>(w) > size.width ||
      static_cast<std::uint64_t>(h) > size.height) {
    return size;
  }
  // Both sides below 2^64: the numerator is under 2^31 in size, the
  // difference of sides and the denominator under 2^32.
  const auto at_edge = [](const Fraction& offset, std::uint64_t picture, std::int64_t aperture) {
    return offset.numerator <= 0 && static_cast<std::uint64_t>(-2 * offset.numerator) ==
                                        (picture - static_cast<std::uint64_t>(aperture)) *
                                            static_cast<std::uint64_t>(offset.denominator);
  };
  if (!at_edge(*left, size.width, w) || !at_edge(*top, size.height, h)) return size;
  return ImageSize{static_cast<std::uint64_t>(w), static_cast<std::uint64_t>(h)};
}

std::optional<ImageSize> PrimaryItemSize(std::span<const std::uint8_t> meta) {
  if (meta.size() < 4) return std::nullopt;
  const auto children = meta.subspan(4);  // after version and flags
  const auto pitm = FindBox(children, "pitm");
  const auto iprp = FindBox(children, "iprp");
  if (!pitm || !iprp) return std::nullopt;
  const auto primary = Number(pitm->body, 4, pitm->body.empty() || pitm->body[0] == 0 ? 2 : 4);
  const auto ipco = FindBox(iprp->body, "ipco");
  if (!primary || !ipco) return std::nullopt;

  std::vector<IsoBox> properties;
  IsoBoxes boxes(ipco->body);
  while (const auto box = boxes.Next()) properties.push_back(*box);
  const auto indices = Associations(iprp->body, *primary);
  if (!indices || boxes.malformed()) return std::nullopt;
  std::vector<IsoBox> associated;
  for (const std::uint64_t index : *indices) {
    if (index == 0) continue;  // no property
    if (index > properties.size()) return std::nullopt;
    associated.push_back(properties[index - 1]);
  }

  // The extents first; then the transformations in the order they are listed.
  const auto ispe = std::find_if(associated.begin(), associated.end(),
                                 [](const IsoBox& box) { return box.type == "ispe"; });
  if (ispe == associated.end()) return std::nullopt;
  const auto width = Number(ispe->body, 4, 4);  // after version and flags
  const auto height = Number(ispe->body, 8, 4);
  if (!width || !height) return std::nullopt;
  ImageSize size{*width, *height};
  for (const IsoBox& box : associated) {
    if (box.type == "clap") {
      const auto aperture = ApertureOf(box.body, size);
      if (!aperture) return std::nullopt;
      size = *aperture;
    } else if (box.type == "irot" && !box.body.empty() && (box.body[0] & 1) != 0) {
      std::swap(size.width, size.height);  // 90 or 270 degrees
    }
  }
  return size;
}

}  // namespace

bool IsHeif(std::span<const std::uint8_t> head) {
  if (!TextAt(head, 4, "ftyp")) return false;
  const std::uint64_t size = std::min<std::uint64_t>(BigEndian(head, 0, 4), head.size());
  return size > 8 && HasHeifBrand(head.subspan(8, size - 8));
}

SizeResult GetHeifSize(ByteReader& in, const SizeSwitches&) {
  for (int i = 0; i < kMostBoxesBeforeMeta; ++i) {
    if (i > 0 && in.AtEnd()) break;
    std::array<std::uint8_t, 16> header{};
    if (!in.Read(std::span(header).first(8))) return Unsuitable();
    if (HasLargeSize(header) && !in.Read(std::span(header).subspan(8))) return Unsuitable();
    // What is left of the file is not known here: a box that runs to its end
    // leaves no room for a meta box after it.
    const auto extent = BoxExtent(header, 0);
    if (!extent) return SizeFailure(kHeifDamaged);
    const std::uint64_t body_size = extent->box_size - extent->header_size;

    const bool ftyp = TextAt(header, 4, "ftyp");
    const bool meta = TextAt(header, 4, "meta");
    if (ftyp != (i == 0)) return SizeFailure(kHeifDamaged);
    if (!ftyp && !meta) {
      if (!in.Skip(body_size)) return Unsuitable();
      continue;
    }
    if (body_size > kLargestMeta) return SizeFailure(kHeifDamaged);
    std::vector<std::uint8_t> body(body_size);
    if (!in.Read(body)) return Unsuitable();
    if (ftyp && !HasHeifBrand(body)) return SizeFailure(kHeifDamaged);
    if (meta) {
      const auto size = PrimaryItemSize(body);
      if (!size) return SizeFailure(kHeifDamaged);
      return *size;
    }
  }
  return SizeFailure(kHeifDamaged);
}

}  // namespace tagsmit
