// Standard output and error handed over as a pipe or a device; the console
// and the redirections of a real caller are e2e print.
#include "platform/win32/standard_streams.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace tagsmit::testing {
namespace {

// The process's standard output and error replaced for the test's lifetime.
class HandedOver {
 public:
  explicit HandedOver(HANDLE handle)
      : out_(GetStdHandle(STD_OUTPUT_HANDLE)), err_(GetStdHandle(STD_ERROR_HANDLE)) {
    SetStdHandle(STD_OUTPUT_HANDLE, handle);
    SetStdHandle(STD_ERROR_HANDLE, handle);
  }
  ~HandedOver() {
    SetStdHandle(STD_OUTPUT_HANDLE, out_);
    SetStdHandle(STD_ERROR_HANDLE, err_);
  }

 private:
  HANDLE out_;
  HANDLE err_;
};

std::string ReadAvailable(HANDLE pipe) {
  std::string bytes(256, '\0');
  DWORD read = 0;
  if (!ReadFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
  bytes.resize(read);
  return bytes;
}

// UTF-8 with Windows line ends to a pipe or NUL; a pipe that nobody reads any
// more fails the output, so that print mode exits with 1.
TEST(Win32StandardStreamsTest, PipesAndDevicesGetUtf8WithWindowsLineEnds) {
  HANDLE reader = nullptr;
  HANDLE writer = nullptr;
  ASSERT_TRUE(CreatePipe(&reader, &writer, nullptr, 4096));
  {
    const HandedOver pipe(writer);
    Win32StandardStreams streams;
    EXPECT_TRUE(streams.Out("<IMG SRC=\"./äö 画像.gif\">\n").ok());
    streams.Err("ファイルが存在しません\nx.gif\n");
  }
  EXPECT_EQ(ReadAvailable(reader),
            "<IMG SRC=\"./äö 画像.gif\">\r\nファイルが存在しません\r\nx.gif\r\n");

  CloseHandle(reader);
  {
    const HandedOver pipe(writer);
    EXPECT_FALSE(Win32StandardStreams().Out("lost\n").ok());
  }
  CloseHandle(writer);

  const HANDLE null_device =
      CreateFileW(L"NUL", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(null_device, INVALID_HANDLE_VALUE);
  {
    const HandedOver device(null_device);
    EXPECT_TRUE(Win32StandardStreams().Out("discarded\n").ok());
  }
  CloseHandle(null_device);
}

}  // namespace
}  // namespace tagsmit::testing
