// The split of a Windows command line into its one file name, against a
// reference that reads the text one character at a time: the first name in
// double quotes wherever it stands, else the text up to the first blank;
// nothing when a double quote has no partner. And its split into every file
// name: the names written back as Explorer writes several, each in double
// quotes, split into the same names again.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "run/command_line.h"

namespace {

std::optional<std::string> ReferenceSplit(const std::string& cmd_line) {
  enum { kBeforeQuote, kInQuotes } state = kBeforeQuote;
  std::string unquoted;  // up to the first blank
  bool blank_seen = false;
  std::string quoted;
  for (const char c : cmd_line) {
    if (state == kInQuotes) {
      if (c == '"') return quoted;
      quoted += c;
    } else if (c == '"') {
      state = kInQuotes;
    } else if (c == ' ') {
      blank_seen = true;
    } else if (!blank_seen) {
      unquoted += c;
    }
  }
  if (state == kInQuotes) return std::nullopt;
  return unquoted;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string cmd_line(reinterpret_cast<const char*>(data), size);
  const std::optional<std::string> name = tagsmit::SplitCommandLine(cmd_line);
  const std::optional<std::string> expected = ReferenceSplit(cmd_line);
  FUZZ_CHECK_EQ(name.has_value(), expected.has_value());
  if (!name) return 0;
  FUZZ_CHECK_EQ(*name, *expected);
  FUZZ_CHECK(cmd_line.find(*name) != std::string::npos);
  FUZZ_CHECK(name->find('"') == std::string::npos);

  const std::optional<std::vector<std::string>> names = tagsmit::SplitFileNames(cmd_line);
  if (!names) return 0;
  FUZZ_CHECK(!names->empty());
  std::string rewritten;
  for (const std::string& each : *names) {
    FUZZ_CHECK(each.find('"') == std::string::npos);
    if (!rewritten.empty()) rewritten += ' ';
    rewritten += '"' + each + '"';
  }
  const std::optional<std::vector<std::string>> again = tagsmit::SplitFileNames(rewritten);
  FUZZ_CHECK(again.has_value() && *again == *names);
  // Without quotes and leading blanks, the first name is the one-file rule's.
  if (cmd_line.find('"') == std::string::npos && !cmd_line.starts_with(' ')) {
    FUZZ_CHECK_EQ(names->front(), *name);
  }
  return 0;
}
