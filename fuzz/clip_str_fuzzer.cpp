// The paste-string list text and the expansion, against plain reference
// versions written here: FillClipStrList shows the text's lines bottom up and
// ignores text after the last line feed; ReplaceAll, ReplaceEach and
// ExpandClipStr (with and without a srcset for "&s") give the text and count
// that a scan from left to right gives.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "run/clip_str.h"
#include "run/settings_load_save.h"
#include "scripted_desktop.h"

namespace {

std::vector<std::string> ReferenceListEntries(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (const char c : text) {
    if (c == '\n') {
      lines.insert(lines.begin(), line);  // each line goes on top
      line.clear();
    } else {
      line += c;
    }
  }
  return lines;  // an unfinished last line is dropped
}

// Copies the subject, writing a replacement wherever one of the search texts
// (the first listed that does) starts and jumping over it.
std::size_t ReferenceReplaceEach(std::string& subject,
                                 const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::string result;
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < subject.size()) {
    bool replaced = false;
    for (const auto& [search, replacement] : pairs) {
      if (!search.empty() && subject.compare(i, search.size(), search) == 0) {
        result += replacement;
        i += search.size();
        ++count;
        replaced = true;
        break;
      }
    }
    if (!replaced) result += subject[i++];
  }
  subject = result;
  return count;
}

std::size_t ReferenceReplaceAll(std::string& subject, const std::string& search,
                                const std::string& replacement) {
  return ReferenceReplaceEach(subject, {{search, replacement}});
}

std::string ReferenceTrim(std::string text) {
  while (!text.empty() && text.front() == ' ') text.erase(0, 1);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

void CheckFillClipStrList(const std::string& text) {
  using namespace tagsmit;
  AppState app;
  testing::ScriptedDesktop desktop;
  FillClipStrList(app, desktop, text);

  const std::vector<std::string> expected = ReferenceListEntries(text);
  FUZZ_CHECK(app.clip_strs.Entries() == expected);
  if (expected.empty()) {
    FUZZ_CHECK_EQ(desktop.boxes.size(), 1u);
    FUZZ_CHECK_EQ(app.clip_strs.SelectedIndex(), -1);
  } else {
    FUZZ_CHECK(desktop.boxes.empty());
    FUZZ_CHECK_EQ(app.clip_strs.SelectedIndex(), 0);
    FUZZ_CHECK_EQ(app.options.CurClipStr, expected.front());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string text = input.ConsumeRandomLengthString();
  const std::string second = input.ConsumeRandomLengthString();
  const std::string third = input.ConsumeRandomLengthString();
  const std::string fourth = input.ConsumeRemainingBytesAsString();

  CheckFillClipStrList(text);

  std::string subject = text;
  std::string expected = text;
  const std::size_t count = tagsmit::ReplaceAll(subject, second, third);
  FUZZ_CHECK_EQ(count, ReferenceReplaceAll(expected, second, third));
  FUZZ_CHECK_EQ(subject, expected);

  // Width and height first, the path last.
  std::string expanded = text;
  ReferenceReplaceAll(expanded, "&w", ReferenceTrim(third));
  ReferenceReplaceAll(expanded, "&h", ReferenceTrim(fourth));
  ReferenceReplaceAll(expanded, "&f", second);
  FUZZ_CHECK_EQ(tagsmit::ExpandClipStr(text, second, third, fourth), expanded);

  // With a srcset, "&f" and "&s" in one pass: the list is the fourth text.
  std::string with_srcset = text;
  ReferenceReplaceAll(with_srcset, "&w", ReferenceTrim(third));
  ReferenceReplaceAll(with_srcset, "&h", ReferenceTrim(fourth));
  ReferenceReplaceEach(with_srcset, {{"&f", second}, {"&s", fourth}});
  FUZZ_CHECK_EQ(tagsmit::ExpandClipStr(text, second, third, fourth, fourth), with_srcset);

  // Several search texts of any content, against the same scan.
  subject = text;
  expected = text;
  const tagsmit::Replacement replacements[] = {{second, third}, {third, fourth}};
  FUZZ_CHECK_EQ(tagsmit::ReplaceEach(subject, replacements),
                ReferenceReplaceEach(expected, {{second, third}, {third, fourth}}));
  FUZZ_CHECK_EQ(subject, expected);
  return 0;
}
