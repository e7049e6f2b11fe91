#include "image/svg_size.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "image/image_reader.h"
#include "image/svg_length.h"

namespace tagsmit {
namespace {

constexpr std::size_t kLargestProlog = 1 << 20;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\n";
constexpr auto npos = std::string_view::npos;

std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string_view WithoutByteOrderMark(std::string_view text) {
  return text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text;
}

// The position of the first of `until` from `at` on that stands outside a
// quoted value; npos when the text ends first.
std::size_t FindOutsideQuotes(std::string_view text, std::size_t at, char until) {
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '"' || c == '\'') {
      at = text.find(c, at + 1);
      if (at == npos) return npos;
    } else if (c == until) {
      return at;
    }
  }
  return npos;
}

// The '>' that ends a DOCTYPE declaration whose name begins at `at`: quoted
// texts, and the comments of an internal subset in brackets, may hold one.
std::size_t DoctypeEnd(std::string_view text, std::size_t at) {
  for (bool in_subset = false; at < text.size(); ++at) {
    const char c = text[at];
    if (in_subset && text.substr(at).starts_with("<!--")) {
      at = text.find("-->", at + 4);
      if (at == npos) return npos;
    } else if (c == '"' || c == '\'') {
      at = text.find(c, at + 1);
      if (at == npos) return npos;
    } else if (c == '[' || c == ']') {
      in_subset = c == '[';
    } else if (c == '>' && !in_subset) {
      return at;
    }
  }
  return npos;
}

enum class Scan { kNeedMore, kMalformed, kFound };
struct RootTag {
  Scan scan;
  std::string_view inside;  // between '<' and '>'
};

// Passes over the XML declaration, processing instructions, comments, a
// DOCTYPE and blanks to the start tag of the root element.
RootTag FindRootTag(std::string_view text) {
  constexpr std::string_view kInstruction = "<?", kComment = "<!--", kDoctype = "<!DOCTYPE";
  std::size_t at = text.size() - WithoutByteOrderMark(text).size();
  for (;;) {
    at = text.find_first_not_of(kBlanks, at);
    if (at == npos) return {Scan::kNeedMore, {}};
    const std::string_view rest = text.substr(at);
    if (rest[0] != '<') return {Scan::kMalformed, {}};
    for (std::string_view opening : {kInstruction, kComment, kDoctype}) {
      if (rest.size() < opening.size() && opening.starts_with(rest)) return {Scan::kNeedMore, {}};
    }
    std::size_t end = npos;
    if (rest.starts_with(kInstruction)) {
      end = text.find("?>", at + 2);
      if (end != npos) ++end;
    } else if (rest.starts_with(kComment)) {
      end = text.find("-->", at + 4);
      if (end != npos) end += 2;
    } else if (rest.starts_with(kDoctype)) {
      end = DoctypeEnd(text, at + kDoctype.size());
    } else if (rest.starts_with("<!")) {
      return {Scan::kMalformed, {}};
    } else {
      end = FindOutsideQuotes(text, at + 1, '>');
      if (end != npos) return {Scan::kFound, text.substr(at + 1, end - at - 1)};
    }
    if (end == npos) return {Scan::kNeedMore, {}};
    at = end + 1;
  }
}

std::size_t NameEnd(std::string_view tag) {
  return std::min(tag.find_first_of(" \t\r\n/"), tag.size());
}

// An svg element, with or without a namespace prefix.
bool IsSvgElement(std::string_view tag) {
  const std::string_view name = tag.substr(0, NameEnd(tag));
  return name == "svg" || name.ends_with(":svg");
}

struct SvgAttributes {
  std::optional<std::string_view> width, height, view_box;
};

// The attributes of an svg start tag (the text between '<' and '>'); none when
// the element is another one or its attributes are malformed.
std::optional<SvgAttributes> RootAttributes(std::string_view tag) {
  if (!IsSvgElement(tag)) return std::nullopt;
  SvgAttributes found;
  std::string_view rest = tag.substr(NameEnd(tag));
  for (;;) {
    rest.remove_prefix(std::min(rest.find_first_not_of(kBlanks), rest.size()));
    if (rest.empty() || rest == "/") return found;
    const std::size_t equals = rest.find('=');
    if (equals == npos || equals == 0) return std::nullopt;
    const std::string_view key = rest.substr(0, rest.find_last_not_of(kBlanks, equals - 1) + 1);
    rest.remove_prefix(std::min(rest.find_first_not_of(kBlanks, equals + 1), rest.size()));
    if (rest.empty() || (rest[0] != '"' && rest[0] != '\'')) return std::nullopt;
    const std::size_t close = rest.find(rest[0], 1);
    if (close == npos) return std::nullopt;
    const std::string_view value = rest.substr(1, close - 1);
    if (key == "width") found.width = value;
    if (key == "height") found.height = value;
    if (key == "viewBox") found.view_box = value;
    rest.remove_prefix(close + 1);
  }
}

SizeResult SizeOf(const SvgAttributes& attributes) {
  const auto length = [](std::optional<std::string_view> text) {
    return text ? AbsoluteLength(*text) : std::nullopt;
  };
  const auto width = length(attributes.width);
  const auto height = length(attributes.height);
  if (width && height) return ImageSize{Pixels(*width), Pixels(*height)};
  const auto box = attributes.view_box ? ViewBox(*attributes.view_box) : std::nullopt;
  if (!box) return SizeFailure(kSvgNoSize);
  // A single side keeps the view box's aspect ratio.
  if (width) return ImageSize{Pixels(*width), Pixels(*width * box->height / box->width)};
  if (height) return ImageSize{Pixels(*height * box->width / box->height), Pixels(*height)};
  return ImageSize{Pixels(box->width), Pixels(box->height)};
}

}  // namespace

bool IsSvg(std::span<const std::uint8_t> head) {
  const std::string_view text = AsText(head);
  const RootTag root = FindRootTag(text);
  if (root.scan == Scan::kFound) return IsSvgElement(root.inside);
  // Markup whose prolog runs past the head: its reader decides.
  return root.scan == Scan::kNeedMore &&
         WithoutByteOrderMark(text).find_first_not_of(kBlanks) != npos;
}

SizeResult GetSvgSize(ByteReader& in, const SizeSwitches&) {
  // Reads that double in size: an early root element costs one small read,
  // and a late one no more than twice the text before it to scan.
  std::string text;
  for (std::size_t want = 4096;; want = std::min(2 * want, kLargestProlog - text.size())) {
    const std::size_t before = text.size();
    text.resize(before + want);
    const std::size_t got =
        in.ReadUpTo(std::span(reinterpret_cast<std::uint8_t*>(text.data()) + before, want));
    text.resize(before + got);
    const RootTag root = FindRootTag(text);
    if (root.scan == Scan::kFound) {
      const auto attributes = RootAttributes(root.inside);
      return attributes ? SizeOf(*attributes) : SizeFailure(kSvgDamaged);
    }
    if (root.scan == Scan::kMalformed || text.size() == kLargestProlog) {
      return SizeFailure(kSvgDamaged);
    }
    if (got < want) return Unsuitable();  // the file ends inside the prolog
  }
}

}  // namespace tagsmit
