#include "image/svg_size.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/utf8.h"
#include "image/image_reader.h"
#include "image/svg_length.h"

namespace tagsmit {
namespace {

constexpr std::size_t kLargestProlog = 1 << 20;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr auto npos = std::string_view::npos;

std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string_view WithoutByteOrderMark(std::string_view text) {
  return text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text;
}

// UTF-16 text (little- or big-endian after its byte-order mark) as UTF-8;
// other text as it is. A surrogate out of its pair becomes U+FFFD.
std::string Utf8Text(std::string_view raw) {
  const bool little = raw.starts_with("\xFF\xFE");
  if (!little && !raw.starts_with("\xFE\xFF")) return std::string(raw);
  const auto unit = [&](std::size_t at) -> char32_t {
    const auto first = static_cast<unsigned char>(raw[at]);
    const auto second = static_cast<unsigned char>(raw[at + 1]);
    return little ? first | second << 8 : first << 8 | second;
  };
  std::string text;
  for (std::size_t at = 2; at + 1 < raw.size(); at += 2) {
    char32_t code = unit(at);
    const bool high = code >= 0xD800 && code <= 0xDBFF;
    if (high && at + 3 < raw.size() && unit(at + 2) >= 0xDC00 && unit(at + 2) <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
      at += 2;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    AppendUtf8(text, code);
  }
  return text;
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
  std::string_view inside;        // between '<' and '>'
  std::string_view doctype = {};  // the DOCTYPE declaration before it, if any
};

// Passes over the XML declaration, processing instructions, comments, a
// DOCTYPE and blanks to the start tag of the root element.
RootTag FindRootTag(std::string_view text) {
  constexpr std::string_view kInstruction = "<?", kComment = "<!--", kDoctype = "<!DOCTYPE";
  std::size_t at = text.size() - WithoutByteOrderMark(text).size();
  std::string_view doctype;
  for (;;) {
    at = text.find_first_not_of(kSvgBlanks, at);
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
      if (end != npos) doctype = text.substr(at, end - at);
    } else if (rest.starts_with("<!")) {
      return {Scan::kMalformed, {}};
    } else {
      end = FindOutsideQuotes(text, at + 1, '>');
      if (end != npos) return {Scan::kFound, text.substr(at + 1, end - at - 1), doctype};
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
  std::optional<std::string_view> width, height, view_box, font_size;
};

// The attributes of an svg start tag (the text between '<' and '>'); none when
// the element is another one or its attributes are malformed.
std::optional<SvgAttributes> RootAttributes(std::string_view tag) {
  if (!IsSvgElement(tag)) return std::nullopt;
  SvgAttributes found;
  std::string_view rest = tag.substr(NameEnd(tag));
  for (;;) {
    rest.remove_prefix(std::min(rest.find_first_not_of(kSvgBlanks), rest.size()));
    if (rest.empty() || rest == "/") return found;
    const std::size_t equals = rest.find('=');
    if (equals == npos || equals == 0) return std::nullopt;
    const std::string_view key = rest.substr(0, rest.find_last_not_of(kSvgBlanks, equals - 1) + 1);
    rest.remove_prefix(std::min(rest.find_first_not_of(kSvgBlanks, equals + 1), rest.size()));
    if (rest.empty() || (rest[0] != '"' && rest[0] != '\'')) return std::nullopt;
    const std::size_t close = rest.find(rest[0], 1);
    if (close == npos) return std::nullopt;
    const std::string_view value = rest.substr(1, close - 1);
    if (key == "width") found.width = value;
    if (key == "height") found.height = value;
    if (key == "viewBox") found.view_box = value;
    if (key == "font-size") found.font_size = value;
    rest.remove_prefix(close + 1);
  }
}

// The general entities that the DOCTYPE's internal subset declares with a
// value of their own (not parameter or external ones), the first of each
// name, and no more than a few.
using Entities = std::vector<std::pair<std::string_view, std::string_view>>;
Entities DeclaredEntities(std::string_view doctype) {
  constexpr std::string_view kEntity = "<!ENTITY";
  constexpr std::size_t kMostEntities = 256;
  Entities entities;
  for (std::size_t at = 0; at < doctype.size() && entities.size() < kMostEntities; ++at) {
    if (doctype.substr(at).starts_with("<!--")) {
      at = doctype.find("-->", at);
      if (at == npos) break;
    } else if (doctype[at] == '"' || doctype[at] == '\'') {
      at = doctype.find(doctype[at], at + 1);
      if (at == npos) break;
    } else if (doctype.substr(at).starts_with(kEntity)) {
      std::size_t name = doctype.find_first_not_of(kSvgBlanks, at + kEntity.size());
      if (name == npos || doctype[name] == '%') continue;  // a parameter entity
      const std::size_t name_end = doctype.find_first_of(kSvgBlanks, name);
      const std::size_t quote = doctype.find_first_not_of(kSvgBlanks, name_end);
      if (quote == npos || (doctype[quote] != '"' && doctype[quote] != '\'')) continue;
      const std::size_t close = doctype.find(doctype[quote], quote + 1);
      if (close == npos) break;
      entities.emplace_back(doctype.substr(name, name_end - name),
                            doctype.substr(quote + 1, close - quote - 1));
      at = close;
    }
  }
  return entities;
}

// Expands the character and entity references of an attribute value. Bounded
// in output, in references and in depth, so that entities nested to expand
// a billion times cost no more than these: such a file is damaged.
class ReferenceExpander {
 public:
  explicit ReferenceExpander(const Entities& entities) : entities_(entities) {}

  std::optional<std::string> Expand(std::string_view value) {
    std::string out;
    if (!Append(value, 0, out)) return std::nullopt;
    return out;
  }

 private:
  static constexpr std::size_t kLargestValue = 4096;
  static constexpr int kMostReferences = 4096;
  static constexpr int kDeepest = 16;
  static constexpr std::size_t kLongestName = 64;

  bool Append(std::string_view value, int depth, std::string& out) {
    for (std::size_t at = 0; at < value.size(); ++at) {
      if (out.size() > kLargestValue) return false;
      if (value[at] != '&') {
        out += value[at];
        continue;
      }
      const std::size_t end = value.substr(at, kLongestName).find(';');
      if (end == npos || ++references_ > kMostReferences) return false;
      const std::string_view name = value.substr(at + 1, end - 1);
      at += end;
      if (name.starts_with('#')) {
        const auto code = CharacterOf(name.substr(1));
        if (!code) return false;
        AppendUtf8(out, *code);
        continue;
      }
      if (const char c = Predefined(name)) {
        out += c;
        continue;
      }
      const auto entity = std::find_if(entities_.begin(), entities_.end(),
                                       [&](const auto& e) { return e.first == name; });
      if (entity == entities_.end() || depth == kDeepest ||
          !Append(entity->second, depth + 1, out)) {
        return false;
      }
    }
    return true;
  }

  // The character of a reference's digits: decimal, or hexadecimal after x.
  static std::optional<char32_t> CharacterOf(std::string_view digits) {
    const bool hex = digits.starts_with('x');
    if (hex) digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t code = 0;
    for (const char c : digits) {
      const int digit = c >= '0' && c <= '9'          ? c - '0'
                        : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                      : -1;
      if (digit < 0) return std::nullopt;
      code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    return static_cast<char32_t>(code);
  }

  static char Predefined(std::string_view name) {
    if (name == "lt") return '<';
    if (name == "gt") return '>';
    if (name == "amp") return '&';
    if (name == "apos") return '\'';
    if (name == "quot") return '"';
    return '\0';
  }

  const Entities& entities_;
  int references_ = 0;
};

SizeResult SizeOf(const SvgAttributes& raw, std::string_view doctype) {
  // The values as the XML parser gives them, references expanded.
  const Entities entities = DeclaredEntities(doctype);
  ReferenceExpander expander(entities);
  bool damaged = false;
  std::string width_text, height_text, box_text, font_text;
  const auto expand = [&](std::optional<std::string_view> value, std::string& text) {
    if (!value) return false;
    const auto expanded = expander.Expand(*value);
    damaged = damaged || !expanded;
    if (expanded) text = *expanded;
    return expanded.has_value();
  };
  const bool has_width = expand(raw.width, width_text);
  const bool has_height = expand(raw.height, height_text);
  const bool has_box = expand(raw.view_box, box_text);
  const bool has_font = expand(raw.font_size, font_text);
  if (damaged) return SizeFailure(kSvgDamaged);

  // em and rem of the root's own font size, whose em is the default's.
  const double font_size = (has_font ? AbsoluteLength(font_text, kDefaultFontSize) : std::nullopt)
                               .value_or(kDefaultFontSize);
  const auto length = [&](bool has, const std::string& text) {
    return has ? AbsoluteLength(text, font_size) : std::nullopt;
  };
  const auto width = length(has_width, width_text);
  const auto height = length(has_height, height_text);
  const auto sized = [](double w, double h) -> SizeResult {
    const auto pixels_w = Pixels(w), pixels_h = Pixels(h);
    if (!pixels_w || !pixels_h) return SizeFailure(kSvgDamaged);
    return ImageSize{*pixels_w, *pixels_h};
  };
  if (width && height) return sized(*width, *height);
  const auto box = has_box ? ViewBox(box_text) : std::nullopt;
  if (!box) return SizeFailure(kSvgNoSize);
  // A single side keeps the view box's aspect ratio.
  if (width) return sized(*width, *width * box->height / box->width);
  if (height) return sized(*height * box->width / box->height, *height);
  return sized(box->width, box->height);
}

}  // namespace

bool IsSvg(std::span<const std::uint8_t> head) {
  const std::string decoded = Utf8Text(AsText(head));
  const std::string_view text = decoded;
  const RootTag root = FindRootTag(text);
  if (root.scan == Scan::kFound) return IsSvgElement(root.inside);
  // Markup whose prolog runs past the head: its reader decides.
  return root.scan == Scan::kNeedMore &&
         WithoutByteOrderMark(text).find_first_not_of(kSvgBlanks) != npos;
}

SizeResult GetSvgSize(ByteReader& in, const SizeSwitches&) {
  // Reads that double in size: an early root element costs one small read,
  // and a late one no more than twice the text before it to scan.
  std::string raw;
  for (std::size_t want = 4096;; want = std::min(2 * want, kLargestProlog - raw.size())) {
    const std::size_t before = raw.size();
    raw.resize(before + want);
    const std::size_t got =
        in.ReadUpTo(std::span(reinterpret_cast<std::uint8_t*>(raw.data()) + before, want));
    raw.resize(before + got);
    const std::string text = Utf8Text(raw);
    const RootTag root = FindRootTag(text);
    if (root.scan == Scan::kFound) {
      const auto attributes = RootAttributes(root.inside);
      return attributes ? SizeOf(*attributes, root.doctype) : SizeFailure(kSvgDamaged);
    }
    if (root.scan == Scan::kMalformed || raw.size() == kLargestProlog) {
      return SizeFailure(kSvgDamaged);
    }
    if (got < want) return Unsuitable();  // the file ends inside the prolog
  }
}

}  // namespace tagsmit
