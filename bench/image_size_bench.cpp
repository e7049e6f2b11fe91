// The cost of a size query must not grow with the scan data: a 20 MB photo
// with 60 KB of APP segments should measure about as fast as a 20 KB one. A
// file whose frame header stands behind a gigabyte without markers is scanned
// at memory speed. Each format read by content with more formats on measures
// as fast at 20 MB as at 20 KB: its reader never reads past the header.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "fastest.h"
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

void AppendNumber(Bytes& out, std::uint64_t value, int count, bool big_endian) {
  for (int i = 0; i < count; ++i) {
    out.push_back(static_cast<std::uint8_t>(value >> (8 * (big_endian ? count - 1 - i : i))));
  }
}
// Byte by byte, where vector::insert draws a false overflow warning from g++ 12.
void AppendText(Bytes& out, std::string_view text) {
  for (const char c : text) out.push_back(static_cast<std::uint8_t>(c));
}
Bytes Join(Bytes first, const Bytes& second) {
  for (const std::uint8_t byte : second) first.push_back(byte);
  return first;
}
// An ISO base media box: size, type, body.
Bytes Box(std::string_view type, const Bytes& body) {
  Bytes out;
  AppendNumber(out, body.size() + 8, 4, true);
  AppendText(out, type);
  return Join(out, body);
}
// `head`, then bytes that no reader looks at, `size` bytes in all.
Bytes Filled(Bytes head, std::size_t size) {
  head.resize(size, 0x41);
  return head;
}

// Files of each format read by content, 1920 x 1080 (an icon 256 x 256), the
// header and then pixel data that the readers never see.
Bytes Png(std::size_t size) {
  Bytes out;
  AppendText(out, "\x89PNG\r\n\x1A\n");
  AppendNumber(out, 13, 4, true);
  AppendText(out, "IHDR");
  AppendNumber(out, 1920, 4, true);
  AppendNumber(out, 1080, 4, true);
  Append(out, {8, 2, 0, 0, 0, 0, 0, 0, 0});  // 8-bit RGB, CRC
  AppendNumber(out, size - out.size() - 12, 4, true);
  AppendText(out, "IDAT");
  return Filled(out, size);
}
Bytes Webp(std::size_t size) {
  Bytes out;
  AppendText(out, "RIFF");
  AppendNumber(out, size - 8, 4, false);
  AppendText(out, "WEBPVP8L");
  AppendNumber(out, size - 20, 4, false);
  out.push_back(0x2F);
  AppendNumber(out, 1919 | 1079 << 14, 4, false);
  return Filled(out, size);
}
Bytes Avif(std::size_t size) {
  Bytes brands, handler, primary = {0, 0, 0, 0, 0, 1}, extents = {0, 0, 0, 0}, links;
  AppendText(brands, std::string_view("avif\0\0\0\0avifmif1miaf", 20));
  Append(handler, {0, 0, 0, 0, 0, 0, 0, 0});
  AppendText(handler, "pict");
  handler.resize(handler.size() + 13, 0);
  AppendNumber(extents, 1920, 4, true);
  AppendNumber(extents, 1080, 4, true);
  Append(links, {0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 0x81});  // item 1: property 1, essential
  Bytes meta = {0, 0, 0, 0};
  for (const Bytes& box :
       {Box("hdlr", handler), Box("pitm", primary),
        Box("iprp", Join(Box("ipco", Box("ispe", extents)), Box("ipma", links)))}) {
    meta = Join(meta, box);
  }
  Bytes out = Join(Box("ftyp", brands), Box("meta", meta));
  AppendNumber(out, size - out.size(), 4, true);
  AppendText(out, "mdat");
  return Filled(out, size);
}
Bytes Svg(std::size_t size) {
  Bytes out;
  AppendText(out,
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1920\" height=\"1080\" "
             "viewBox=\"0 0 1920 1080\">\n<path d=\"");
  return Filled(out, size);
}
Bytes Bmp(std::size_t size) {
  Bytes out;
  AppendText(out, "BM");
  AppendNumber(out, size, 4, false);
  AppendNumber(out, 0, 4, false);
  AppendNumber(out, 54, 4, false);
  AppendNumber(out, 40, 4, false);
  AppendNumber(out, 1920, 4, false);
  AppendNumber(out, 1080, 4, false);
  Append(out, {1, 0, 24, 0});  // planes, bits per pixel
  return Filled(out, size);
}
Bytes Ico(std::size_t size) {
  Bytes out = {0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 32, 0};  // one 256 x 256 picture
  AppendNumber(out, size - 22, 4, false);
  AppendNumber(out, 22, 4, false);
  return Filled(out, size);
}
Bytes Gif(std::size_t size) {
  Bytes out;
  AppendText(out, "GIF89a");
  AppendNumber(out, 1920, 2, false);
  AppendNumber(out, 1080, 2, false);
  return Filled(out, size);
}
Bytes PlainJpeg(std::size_t size) {
  return Jpeg({}, size);
}

struct Format {
  const char* name;
  Bytes (*make)(std::size_t size);
  ImageSize size;
};
constexpr Format kFormats[] = {
    {"jpeg", PlainJpeg, {1920, 1080}}, {"png", Png, {1920, 1080}}, {"webp", Webp, {1920, 1080}},
    {"avif", Avif, {1920, 1080}},      {"svg", Svg, {1920, 1080}}, {"bmp", Bmp, {1920, 1080}},
    {"ico", Ico, {256, 256}},          {"gif", Gif, {1920, 1080}},
};
constexpr std::size_t kSmall = 20 * 1024;
constexpr std::size_t kLarge = 20 * 1024 * 1024;

// The files, written once into a temporary folder that goes at exit.
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
    for (const Format& format : kFormats) {
      for (const std::size_t size : {kSmall, kLarge}) {
        formats_.push_back(Write(format.name + std::to_string(size), format.make(size)));
      }
    }
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
  // Of kFormats[format], small or large.
  const std::string& format(std::size_t format, bool large) const {
    return formats_[2 * format + (large ? 1 : 0)];
  }

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
  std::vector<std::string> formats_;
};

const BenchFiles& Files() {
  static const BenchFiles files;
  return files;
}

void MeasureRepeatedly(benchmark::State& state, const std::string& path, SizeSwitches switches = {},
                       ImageSize expected = {1920, 1080}) {
  PosixFileSystem fs;
  for (auto _ : state) {
    SizeResult result = GetImageSize(fs, path, switches);
    benchmark::DoNotOptimize(result);
    if (!result.ok() || result.value().width != expected.width ||
        result.value().height != expected.height) {
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

BENCHMARK(BM_SizeQuery_20KB)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_SizeQuery_20MB_60KB_App)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_SizeQuery_20MB_NoApp)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_MarkerScan_1GiB)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// BM_MoreFormats/<format>/20KB and /20MB.
const bool kFormatsRegistered = [] {
  for (std::size_t i = 0; i < std::size(kFormats); ++i) {
    for (const bool large : {false, true}) {
      const std::string name =
          std::string("BM_MoreFormats/") + kFormats[i].name + (large ? "/20MB" : "/20KB");
      benchmark::RegisterBenchmark(name.c_str(), [i, large](benchmark::State& state) {
        MeasureRepeatedly(state, Files().format(i, large), {.more_formats = true},
                          kFormats[i].size);
      })->ComputeStatistics("min", Fastest);
    }
  }
  return true;
}();

}  // namespace
}  // namespace tagsmit
