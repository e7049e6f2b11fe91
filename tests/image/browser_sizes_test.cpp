// The size query with both switches on against what headless Chromium shows
// (tests/image/browser_sizes.sh measures the images into browser_sizes.tsv).
// Every image agrees, or differs as browser_differences.tsv lists with its
// reason; a listed image that has come to agree fails too, so the list stays
// true.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "image/image_size.h"
#include "image_test_support.h"

namespace tagsmit::testing {
namespace {

#ifndef _WIN32
using Rows = std::vector<std::vector<std::string>>;

// The rows of a tab-separated table after its header line.
Rows ReadTable(const std::filesystem::path& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in.is_open()) << path;
  Rows rows;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

// Where an image of the table lies: samples and corpus by name, Debian's
// images by their full path.
std::filesystem::path PathOf(const std::string& key) {
  if (key.starts_with("samples/"))
    return std::filesystem::path(TAGSMIT_SAMPLES_DIR) / key.substr(8);
  if (key.starts_with("corpus/")) return std::filesystem::path(TAGSMIT_CORPUS_DIR) / key.substr(7);
  return key;
}

// A size as the browser table writes it, or "error"; the full answer keeps
// the message.
std::string Shown(const SizeResult& result, bool with_message) {
  if (!result.ok()) return with_message ? result.error() : "error";
  return std::to_string(result.value().width) + "x" + std::to_string(result.value().height);
}

std::string FormatOf(const std::string& key) {
  const auto dot = key.rfind('.');
  std::string format = dot == std::string::npos ? "(none)" : key.substr(dot + 1);
  for (char& c : format) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return format;
}

TEST(BrowserSizesTest, EveryImageAgreesWithChromiumOrDiffersAsListed) {
  const std::filesystem::path here = TAGSMIT_IMAGE_TESTS_DIR;
  std::map<std::string, std::vector<std::string>> listed;  // file: our answer, reason
  for (const auto& row : ReadTable(here / "browser_differences.tsv")) {
    ASSERT_EQ(row.size(), 3u) << row[0];
    listed[row[0]] = {row[1], row[2]};
  }
  struct Count {
    int files = 0, agree = 0;
    std::map<std::string, int> differ;
  };
  std::map<std::string, Count> counts;
  PosixFileSystem fs;
  int measured = 0;
  for (const auto& row : ReadTable(here / "browser_sizes.tsv")) {
    ASSERT_EQ(row.size(), 2u);
    const std::filesystem::path path = PathOf(row[0]);
    if (!std::filesystem::exists(path)) continue;  // a package or the corpus not installed
    ++measured;
    const SizeResult ours = GetImageSize(fs, path.string(), {true, true});
    Count& count = counts[FormatOf(row[0])];
    const bool agrees = Shown(ours, false) == row[1];
    const auto difference = listed.find(row[0]);
    if (difference == listed.end()) {
      EXPECT_TRUE(agrees) << row[0] << ": browser " << row[1] << ", ours " << Shown(ours, true);
    } else {
      EXPECT_EQ(Shown(ours, true), difference->second[0]) << row[0];
      EXPECT_FALSE(agrees) << row[0] << " agrees now: drop it from the list";
    }
    ++count.files;
    if (agrees) {
      ++count.agree;
    } else {
      ++count.differ[difference == listed.end() ? "unlisted" : difference->second[1]];
    }
  }
  EXPECT_GT(measured, 0);
  for (const auto& [format, count] : counts) {
    std::cout << format << ": " << count.files << " files, " << count.agree << " agree";
    for (const auto& [reason, n] : count.differ) std::cout << ", " << n << " " << reason;
    std::cout << "\n";
  }
}
#endif

}  // namespace
}  // namespace tagsmit::testing
