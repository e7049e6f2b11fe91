#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "image_test_support.h"

namespace tagsmit::testing {
namespace {

// Every file of the corpus table (file, width, height, message; tab
// separated, one header line) measures as listed.
TEST(CorpusTest, EveryListedFileMeasuresAsExpected) {
  const std::filesystem::path corpus = TAGSMIT_CORPUS_DIR;
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  std::ifstream table(corpus / "expected.tsv");
  ASSERT_TRUE(table.is_open());

  PosixFileSystem fs;
  std::string line;
  ASSERT_TRUE(std::getline(table, line));  // the header
  int checked = 0;
  while (std::getline(table, line)) {
    if (line.empty()) continue;
    std::istringstream fields(line);
    std::string file, width, height, message;
    std::getline(fields, file, '\t');
    std::getline(fields, width, '\t');
    std::getline(fields, height, '\t');
    std::getline(fields, message);
    ASSERT_FALSE(height.empty()) << "malformed line: " << line;

    const SizeResult expected{static_cast<std::int16_t>(std::stoi(width)),
                              static_cast<std::int16_t>(std::stoi(height)), message};
    EXPECT_EQ(Fields(GetImageSize(fs, (corpus / file).string())), Fields(expected)) << file;
    ++checked;
  }
  EXPECT_GT(checked, 0);
  RecordProperty("files", checked);
}

}  // namespace
}  // namespace tagsmit::testing
