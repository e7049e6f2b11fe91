#include "image/jxl_size.h"

#include <algorithm>
#include <array>
#include <cstddef>
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

constexpr std::string_view kCodestreamSignature{"\xFF\x0A"};
constexpr std::string_view kContainerSignature{"\0\0\0\x0CJXL \r\n\x87\n", 12};
// The signature, then the size header and the image metadata up to the
// orientation: at most 73 bits. A bare codestream's first read holds them.
constexpr std::size_t kHeaderBytes = 2 + 10;
static_assert(kHeaderBytes <= kContainerSignature.size());
// The codestream box comes among the first few.
constexpr int kMostBoxesBeforeCodestream = 64;
constexpr std::uint64_t kLastPartMark = 0x8000'0000;

// Bits of a codestream, least significant first.
class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // Fewer than `count` bits left: false, and the reader is spent.
  bool Take(int count, std::uint64_t& value) {
    value = 0;
    for (int i = 0; i < count; ++i, ++at_) {
      if (at_ / 8 >= bytes_.size()) return false;
      value |= static_cast<std::uint64_t>(bytes_[at_ / 8] >> (at_ % 8) & 1) << i;
    }
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

// A side in the size header: 5 bits of eighths in the small form, else one
// of four widths chosen by two bits.
bool TakeSide(BitReader& bits, bool small, std::uint64_t& side) {
  std::uint64_t value = 0;
  if (small) {
    if (!bits.Take(5, value)) return false;
    side = (value + 1) * 8;
    return true;
  }
  constexpr std::array<int, 4> kWidths = {9, 13, 18, 30};
  std::uint64_t selector = 0;
  if (!bits.Take(2, selector) || !bits.Take(kWidths[selector], value)) return false;
  side = value + 1;
  return true;
}

// The width that a ratio code gives to a height, rounded down; code 0 means
// the width is stored.
std::uint64_t WidthOfRatio(std::uint64_t code, std::uint64_t height) {
  constexpr std::array<std::pair<std::uint64_t, std::uint64_t>, 8> kRatios = {
      {{0, 1}, {1, 1}, {12, 10}, {4, 3}, {3, 2}, {16, 9}, {5, 4}, {2, 1}}};
  return height * kRatios[code].first / kRatios[code].second;
}

// The size, and the orientation (1 to 8) of the image metadata that follows
// it; none when the bytes end first.
struct CodestreamHeader {
  ImageSize size;
  std::uint64_t orientation = 1;
};
std::optional<CodestreamHeader> ReadHeader(std::span<const std::uint8_t> codestream) {
  BitReader bits(codestream.subspan(kCodestreamSignature.size()));
  CodestreamHeader header;
  std::uint64_t small = 0, ratio = 0;
  if (!bits.Take(1, small) || !TakeSide(bits, small != 0, header.size.height) ||
      !bits.Take(3, ratio)) {
    return std::nullopt;
  }
  header.size.width = WidthOfRatio(ratio, header.size.height);
  if (ratio == 0 && !TakeSide(bits, small != 0, header.size.width)) return std::nullopt;
  // All default, then extra fields, whose first is the orientation less 1.
  std::uint64_t all_default = 0, extra_fields = 0, orientation = 0;
  if (!bits.Take(1, all_default)) return std::nullopt;
  if (all_default != 0) return header;
  if (!bits.Take(1, extra_fields)) return std::nullopt;
  if (extra_fields == 0) return header;
  if (!bits.Take(3, orientation)) return std::nullopt;
  header.orientation = orientation + 1;
  return header;
}

// Up to `want` first bytes of the codestream in the container's boxes: the
// whole codestream box, or the parts boxes, each after its part index. False
// when the file ends before the codestream or inside a box; an empty result
// when a box is malformed or none of the first boxes holds the codestream.
bool ReadContainedCodestream(ByteReader& in, std::size_t want, std::vector<std::uint8_t>& out) {
  for (int i = 0; i < kMostBoxesBeforeCodestream && out.size() < want; ++i) {
    if (in.AtEnd()) return !out.empty();
    std::array<std::uint8_t, 16> header{};
    if (!in.Read(std::span(header).first(8))) return false;
    if (HasLargeSize(header) && !in.Read(std::span(header).subspan(8))) return false;
    const bool to_end = BigEndian(header, 0, 4) == 0;
    const auto extent = BoxExtent(header, UINT64_MAX);
    if (!extent) return true;
    std::uint64_t body_size = extent->box_size - extent->header_size;
    const bool whole = TextAt(header, 4, "jxlc");
    const bool part = TextAt(header, 4, "jxlp");
    if (!whole && !part) {
      if (to_end) return true;
      if (!in.Skip(body_size)) return false;
      continue;
    }
    bool last = whole;
    if (part) {
      std::array<std::uint8_t, 4> index{};
      if (body_size < index.size() || !in.Read(index)) return false;
      body_size -= index.size();
      last = (BigEndian(index, 0, 4) & kLastPartMark) != 0;
    }
    const std::size_t before = out.size();
    const std::size_t take =
        static_cast<std::size_t>(std::min<std::uint64_t>(want - before, body_size));
    out.resize(before + take);
    const std::size_t got = in.ReadUpTo(std::span(out).subspan(before));
    out.resize(before + got);
    if (got < take && !to_end) return false;
    if (last || to_end) return true;
    if (!in.Skip(body_size - got)) return false;
  }
  return true;
}

}  // namespace

bool IsJxl(std::span<const std::uint8_t> head) {
  return TextAt(head, 0, kCodestreamSignature) || TextAt(head, 0, kContainerSignature);
}

SizeResult GetJxlSize(ByteReader& in, const SizeSwitches& switches) {
  std::vector<std::uint8_t> codestream(kContainerSignature.size());
  codestream.resize(in.ReadUpTo(codestream));
  if (TextAt(codestream, 0, kContainerSignature)) {
    codestream.clear();
    if (!ReadContainedCodestream(in, kHeaderBytes, codestream)) return Unsuitable();
  }
  if (!TextAt(codestream, 0, kCodestreamSignature)) {
    const bool cut_in_signature = codestream.size() == 1 && codestream[0] == 0xFF;
    return cut_in_signature ? Unsuitable() : SizeFailure(kJxlDamaged);
  }
  const auto header = ReadHeader(codestream);
  if (!header) return Unsuitable();  // the codestream ends inside its header
  ImageSize size = header->size;
  // Orientations 5 to 8 transpose the stored picture.
  if (switches.display_size && header->orientation >= 5) std::swap(size.width, size.height);
  return size;
}

}  // namespace tagsmit
