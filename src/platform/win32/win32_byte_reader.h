#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/buffered_byte_reader.h"

namespace tagsmit {

// Buffered reads of a Win32 file handle, each read at its own offset.
class Win32ByteReader final : public BufferedByteReader {
 public:
  // Takes ownership of `file`, an open disk file that held `size` bytes when
  // it was opened.
  Win32ByteReader(void* file, std::uint64_t size) : BufferedByteReader(size), file_(file) {}
  ~Win32ByteReader() override;
  Win32ByteReader(const Win32ByteReader&) = delete;
  Win32ByteReader& operator=(const Win32ByteReader&) = delete;

 private:
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

  void* file_;  // HANDLE
};

}  // namespace tagsmit
