#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "image/image_size.h"
#include "platform/posix/posix_file_system.h"
#include "temp_dir.h"

namespace tagsmit::testing {

inline SizeResult Size(std::int16_t width, std::int16_t height) {
  return {width, height, ""};
}
inline SizeResult Failure(const char* message) {
  return {0, 0, message};
}

// The three values of a result, comparable and printable in one expectation.
inline std::tuple<int, int, std::string> Fields(const SizeResult& result) {
  return {result.width, result.height, result.message};
}

// Real files in a fresh folder, measured through the POSIX file system.
class ImageFileTest : public ::testing::Test {
 protected:
  SizeResult Measure(const std::string& name, const Bytes& bytes) {
    return GetImageSize(fs_, dir_.WriteFile(name, bytes));
  }

  TempDir dir_;
  PosixFileSystem fs_;
};

}  // namespace tagsmit::testing
