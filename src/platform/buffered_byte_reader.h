#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/file_system.h"

namespace tagsmit {

// Sequential reads through a buffer, over positioned reads that each platform
// supplies. Reads are small (a header needs a few bytes), except while
// SkipPast or SkipWhile scan: each read of a scan doubles in size, so a long
// stretch costs few system calls. Skips move the read offset without touching
// the bytes passed over, so a skip costs the same whatever its length.
class BufferedByteReader : public ByteReader {
 public:
  // `size`: what the file held when it was opened.
  explicit BufferedByteReader(std::uint64_t size) : size_(size) {}

  bool Read(std::span<std::uint8_t> out) final;
  std::size_t ReadUpTo(std::span<std::uint8_t> out) final;
  bool Skip(std::uint64_t count) final;
  bool AtEnd() final;
  bool SkipPast(std::uint8_t byte) final;
  bool SkipWhile(std::uint8_t byte) final;
  void Rewind() final;

 protected:
  // Reads up to out.size() bytes from `offset` on; the count read, 0 at the
  // end of the file or when reading fails.
  virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;

 private:
  enum class Refilling { kForRead, kForScan };
  bool Refill(Refilling why);

  std::uint64_t size_;
  std::uint64_t next_offset_ = 0;    // where the next refill reads from
  std::uint64_t buffer_offset_ = 0;  // of buffer_[0]
  std::vector<std::uint8_t> buffer_;
  std::size_t read_size_ = 0;  // of the last refill
  std::size_t begin_ = 0;      // unread bytes are buffer_[begin_, end_)
  std::size_t end_ = 0;
};

}  // namespace tagsmit
