// The cost of a size query must not grow with the scan data: a 20 MB photo
// with 60 KB of APP segments should measure about as fast as a 20 KB one. A
// file whose frame header stands behind a gigabyte without markers is scanned
// at memory speed.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/image_size.h"
#include "platform/posix/posix_file_system.h"

namespace tagsmit {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& out, std::initializer_list<std::uint8_t> bytes) {
  for (std::uint8_t byte : bytes) out.push_back(byte);
}

void AppendSegment(Bytes& out, std::uint8_t code, std::size_t body_size) {
  const std::size_t length = body_size + 2;
  Append(out, {0xFF, code, static_cast<std::uint8_t>(length >> 8),
               static_cast<std::uint8_t>(length & 0xFF)});
  out.resize(out.size() + body_size, 0x41);
}

// Entropy-coded data never holds a bare 0xFF; a fixed generator keeps runs
// comparable.
void AppendScanData(Bytes& out, std::size_t size) {
  std::uint32_t state = 12345;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1664525u + 1013904223u;
    const auto byte = static_cast<std::uint8_t>(state >> 24);
    out.push_back(byte == 0xFF ? 0xFE : byte);
  }
}

// The baseline frame header of a 1920 x 1080 image.
Bytes FrameHeader() {
  return {0xFF, 0xC0, 0x00, 0x11, 0x08, 0x04, 0x38, 0x07, 0x80, 0x03,
          0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01};
}

// A baseline JPEG 1920 x 1080 of `total_size` bytes whose frame header comes
// after APP segments with the given body sizes.
Bytes Jpeg(const std::vector<std::size_t>& app_bodies, std::size_t total_size) {
  Bytes out;
  Append(out, {0xFF, 0xD8});
  AppendSegment(out, 0xE0, 14);  // JFIF
  std::uint8_t app = 0xE1;
  for (std::size_t body : app_bodies) AppendSegment(out, app++, body);
  AppendSegment(out, 0xDB, 65);  // quantisation table
  const Bytes frame = FrameHeader();
  out.insert(out.end(), frame.begin(), frame.end());
  AppendSegment(out, 0xC4, 29);  // Huffman table
  AppendSegment(out, 0xDA, 10);  // start of scan
  AppendScanData(out, total_size - out.size() - 2);
  Append(out, {0xFF, 0xD9});
  return out;
}

// The two files, written once into a temporary folder that goes at exit.
class BenchFiles {
 public:
  BenchFiles() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tagsmit-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    small_ = Write("small.jpg", Jpeg({}, 20 * 1024));
    // APP1 (Exif, above 32767 bytes) and APP2 (ICC profile): 60 KB together.
    large_ = Write("large.jpg", Jpeg({45'000, 16'440}, 20 * 1024 * 1024));
    // The same size without APP segments tells the scan's share from theirs.
    large_plain_ = Write("large-plain.jpg", Jpeg({}, 20 * 1024 * 1024));
    gigabyte_gap_ = WriteWithGap("gigabyte-gap.jpg", kGap);
  }
  ~BenchFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  BenchFiles(const BenchFiles&) = delete;
  BenchFiles& operator=(const BenchFiles&) = delete;

  const std::string& small() const { return small_; }
  const std::string& large() const { return large_; }
  const std::string& large_plain() const { return large_plain_; }
  const std::string& gigabyte_gap() const { return gigabyte_gap_; }

  static constexpr std::uint64_t kGap = std::uint64_t{1} << 30;

 private:
  std::string Write(const std::string& name, const Bytes& bytes) const {
    const std::string path = (folder_ / name).string();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
    return path;
  }

  // The start of image, `gap` zero bytes (a hole, so the file takes no disk
  // space) and the frame header of a 1920 x 1080 image.
  std::string WriteWithGap(const std::string& name, std::uint64_t gap) const {
    const std::string path = (folder_ / name).string();
    const std::uint8_t start[] = {0xFF, 0xD8};
    const Bytes frame = FrameHeader();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const bool written = fd >= 0 && ::pwrite(fd, start, 2, 0) == 2 &&
                         ::pwrite(fd, frame.data(), frame.size(), static_cast<off_t>(2 + gap)) ==
                             static_cast<ssize_t>(frame.size());
    if (fd >= 0) ::close(fd);
    if (!written) throw std::runtime_error("cannot write " + path);
    return path;
  }

  std::filesystem::path folder_;
  std::string small_;
  std::string large_;
  std::string large_plain_;
  std::string gigabyte_gap_;
};

const BenchFiles& Files() {
  static const BenchFiles files;
  return files;
}

void MeasureRepeatedly(benchmark::State& state, const std::string& path) {
  PosixFileSystem fs;
  for (auto _ : state) {
    SizeResult result = GetImageSize(fs, path);
    benchmark::DoNotOptimize(result);
    if (!result.ok() || result.value().width != 1920 || result.value().height != 1080) {
      state.SkipWithError("wrong size");
      break;
    }
  }
}

void BM_SizeQuery_20KB(benchmark::State& state) {
  MeasureRepeatedly(state, Files().small());
}
void BM_SizeQuery_20MB_60KB_App(benchmark::State& state) {
  MeasureRepeatedly(state, Files().large());
}

void BM_SizeQuery_20MB_NoApp(benchmark::State& state) {
  MeasureRepeatedly(state, Files().large_plain());
}

void BM_MarkerScan_1GiB(benchmark::State& state) {
  MeasureRepeatedly(state, Files().gigabyte_gap());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BenchFiles::kGap));
}

// Other work on the machine only ever adds time, so the fastest of several
// repetitions is the steadiest figure to compare.
double Fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

BENCHMARK(BM_SizeQuery_20KB)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_SizeQuery_20MB_60KB_App)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_SizeQuery_20MB_NoApp)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_MarkerScan_1GiB)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

}  // namespace
}  // namespace tagsmit
