// The readers chosen by content with more formats on, on hand-made bytes:
// what real files seldom hold (damage, limits, rare layouts). Real files of
// every format are the samples test's.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "image/image_size.h"
#include "image_test_support.h"

namespace tagsmit::testing {
namespace {

using namespace std::literals;

constexpr char kUnknown[] = "対応していない画像形式です";
constexpr char kPngWrong[] = "png ファイルがおかしい";
constexpr char kWebpWrong[] = "webp ファイルがおかしい";
constexpr char kHeifWrong[] = "avif/heif ファイルがおかしい";
constexpr char kSvgWrong[] = "svg ファイルがおかしい";
constexpr char kSvgNoSize[] = "svg ファイルに寸法がありません";
constexpr char kBmpWrong[] = "bmp ファイルがおかしい";
constexpr char kIcoWrong[] = "ico ファイルがおかしい";

constexpr SizeSwitches kMoreFormats{.more_formats = true};
constexpr SizeSwitches kBoth{.more_formats = true, .display_size = true};

class MoreFormatsTest : public ImageSizeTest {
 protected:
  // Each case in a file whose name says nothing of its content.
  void ExpectSizes(std::initializer_list<Case> cases, SizeSwitches switches = kMoreFormats) {
    for (const Case& c : cases) {
      EXPECT_EQ(Fields(Measure("image", c.bytes, switches)), Fields(c.expected)) << c.what;
    }
  }
};

Bytes PngChunk(const char* type, const Bytes& data) {
  return Join({BigEndian32(static_cast<std::uint32_t>(data.size())), Text(type), data, Bytes(4)});
}
Bytes Png(std::initializer_list<Bytes> chunks) {
  return Join({Text("\x89PNG\r\n\x1A\n"), Join(chunks)});
}
Bytes Ihdr(std::uint32_t width, std::uint32_t height) {
  return PngChunk("IHDR", Join({BigEndian32(width), BigEndian32(height), {8, 6, 0, 0, 0}}));
}

// Boxes of the ISO base media format: size, type, body; a full box's body
// starts with its version and flags.
Bytes IsoBox(const char* type, const Bytes& body) {
  return Join({BigEndian32(static_cast<std::uint32_t>(body.size() + 8)), Text(type), body});
}
Bytes FullBox(const char* type, std::uint8_t version, std::uint8_t flags, const Bytes& body) {
  return IsoBox(type, Join({{version, 0, 0, flags}, body}));
}
Bytes Ftyp(std::string_view brands = "avifmif1miaf") {
  return IsoBox("ftyp", Join({Text(brands.substr(0, 4)), BigEndian32(0), Text(brands.substr(4))}));
}
Bytes Meta(std::initializer_list<Bytes> children) {
  return FullBox("meta", 0, 0, Join(children));
}
Bytes Pitm(std::uint16_t item) {
  return FullBox("pitm", 0, 0, BigEndian16(item));
}
Bytes Ispe(std::uint32_t width, std::uint32_t height) {
  return FullBox("ispe", 0, 0, Join({BigEndian32(width), BigEndian32(height)}));
}
Bytes Irot(std::uint8_t quarters) {
  return IsoBox("irot", {quarters});
}
Bytes Clap(std::uint32_t width, std::uint32_t over, std::uint32_t height) {
  return IsoBox("clap", Join({BigEndian32(width), BigEndian32(over), BigEndian32(height),
                              BigEndian32(1), Bytes(16)}));
}
// Item properties, and the 1-based indices of those that belong to each item.
Bytes Iprp(std::initializer_list<Bytes> properties,
           std::vector<std::pair<std::uint16_t, Bytes>> items) {
  Bytes ipma = BigEndian32(static_cast<std::uint32_t>(items.size()));
  for (const auto& [item, indices] : items) {
    ipma = Join({ipma, BigEndian16(item), {static_cast<std::uint8_t>(indices.size())}, indices});
  }
  return IsoBox("iprp", Join({IsoBox("ipco", Join(properties)), FullBox("ipma", 0, 0, ipma)}));
}

TEST_F(MoreFormatsTest, ContentChoosesTheReaderWhateverTheName) {
  const Bytes png = Png({Ihdr(5, 3)});
  const Case cases[] = {
      {"a.jpg", png, Size(5, 3)},
      {"a.jpeg", Jpeg({FrameHeader(0xC0, 480, 640)}), Size(640, 480)},
      {"a.png", Gif(32768, 65535), Size(32768, 65535)},  // 16 unsigned bits
      {"b.png", Text("P6\n1 1\n255\n"), Failure(kUnknown)},
      {"empty.gif", {}, Failure(kUnknown)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure(c.what, c.bytes, kMoreFormats)), Fields(c.expected)) << c.what;
  }
  EXPECT_EQ(Fields(GetImageSize(fs_, PathOf("absent.png"), kMoreFormats)),
            Fields(Failure(kMissing)));
}

TEST_F(MoreFormatsTest, JpegFrameHeadersOfEveryKindAndTheOrientation) {
  // Every SOFn counts; DHT (C4), JPG (C8) and DAC (CC) are segments.
  for (const std::uint8_t code : {0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF}) {
    const Bytes jpeg = Jpeg(
        {Segment(0xC4, {}), Segment(0xC8, {}), Segment(0xCC, {}), FrameHeader(code, 40000, 9)});
    EXPECT_EQ(Fields(Measure("image", jpeg, kMoreFormats)), Fields(Size(9, 40000))) << int{code};
    EXPECT_EQ(Fields(Measure("a.jpg", jpeg)), Fields(Failure(kJpgStrange))) << int{code};
  }

  // Exif in either byte order, the orientation after another tag of IFD0.
  const auto exif = [](bool motorola, std::uint16_t orientation, std::uint16_t type = 3) {
    const auto n16 = [&](std::uint16_t v) {
      return motorola ? BigEndian16(v) : LittleEndian(v, 2);
    };
    const auto n32 = [&](std::uint32_t v) {
      return motorola ? BigEndian32(v) : LittleEndian(v, 4);
    };
    return Segment(0xE1, Join({Text("Exif"),
                               {0, 0},
                               Text(motorola ? "MM" : "II"),
                               n16(42),
                               n32(8),
                               n16(2),
                               n16(0x010F),
                               n16(2),
                               n32(4),
                               Text("Make"),
                               n16(0x0112),
                               n16(type),
                               n32(1),
                               n16(orientation),
                               n16(0),
                               n32(0)}));
  };
  const Bytes frame = FrameHeader(0xC0, 30, 40);
  const Bytes xmp = Segment(0xE1, Text("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>"sv));
  const Bytes turned = Jpeg({exif(true, 6), frame});
  ExpectSizes({{"6, big-endian", turned, Size(30, 40)},
               {"8, little-endian, after XMP", Jpeg({xmp, exif(false, 8), frame}), Size(30, 40)},
               {"5", Jpeg({exif(false, 5), frame}), Size(30, 40)},
               {"7", Jpeg({exif(true, 7), frame}), Size(30, 40)},
               {"3: upside down", Jpeg({exif(true, 3), frame}), Size(40, 30)},
               {"6 as a long", Jpeg({exif(true, 6, 4), frame}), Size(40, 30)},
               {"no Exif", Jpeg({xmp, frame}), Size(40, 30)},
               {"cut in the Exif segment", Bytes(turned.begin(), turned.begin() + 30),
                Failure(kUnsuitable)}},
              kBoth);
  EXPECT_EQ(Fields(Measure("image", turned, kMoreFormats)), Fields(Size(40, 30)));
  EXPECT_EQ(Fields(Measure("a.jpg", turned, {.display_size = true})), Fields(Size(30, 40)));
}

TEST_F(MoreFormatsTest, PngWebpBmpIcoHeaders) {
  const auto webp = [](const char* chunk, const Bytes& data) {
    return Join({Text("RIFF"), LittleEndian(data.size() + 12, 4), Text("WEBP"), Text(chunk),
                 LittleEndian(data.size(), 4), data});
  };
  const Bytes start_code = {0x10, 0x02, 0x00, 0x9D, 0x01, 0x2A};
  const auto bmp = [](std::uint32_t header_size, const Bytes& sides) {
    return Join({Text("BM"), Bytes(12), LittleEndian(header_size, 4), sides, Bytes(16)});
  };
  const auto ico = [](std::uint8_t type, std::initializer_list<Bytes> sides) {
    Bytes out = {0, 0, type, 0, static_cast<std::uint8_t>(sides.size()), 0};
    for (const Bytes& side : sides) out = Join({out, side, Bytes(14)});
    return out;
  };
  ExpectSizes({
      {"PNG of 31 bits", Png({Ihdr(0x7FFF'FFFF, 1)}), Size(0x7FFF'FFFF, 1)},
      {"PNG of 32 bits", Png({Ihdr(1, 0x8000'0000)}), Failure(kUnsuitable)},
      {"PNG, IHDR second", Png({PngChunk("gAMA", Bytes(4)), Ihdr(5, 3)}), Failure(kPngWrong)},
      {"PNG, CgBI twice", Png({PngChunk("CgBI", {}), PngChunk("CgBI", {}), Ihdr(5, 3)}),
       Failure(kPngWrong)},
      {"PNG, short IHDR", Png({PngChunk("IHDR", Bytes(4))}), Failure(kPngWrong)},
      {"PNG, cut in IHDR", Png({BigEndian32(13), Text("IHDR"), Bytes(7)}), Failure(kUnsuitable)},
      {"VP8 without its scaling bits",
       webp("VP8 ",
            Join({start_code, LittleEndian(0xC000 | 300, 2), LittleEndian(0x4000 | 200, 2)})),
       Size(300, 200)},
      {"VP8 of another start code", webp("VP8 ", Bytes(10)), Failure(kWebpWrong)},
      {"VP8 cut", webp("VP8 ", start_code), Failure(kUnsuitable)},
      {"VP8L of 14-bit sides", webp("VP8L", Join({{0x2F}, LittleEndian(0x3FFF | 99 << 14, 4)})),
       Size(16384, 100)},
      {"VP8L of another signature", webp("VP8L", Bytes(5)), Failure(kWebpWrong)},
      {"VP8X of 24-bit sides", webp("VP8X", Join({Bytes(4), LittleEndian(0xFFFFFF, 3), Bytes(3)})),
       Size(0x1000000, 1)},
      {"WebP of another chunk", webp("ALPH", Bytes(10)), Failure(kWebpWrong)},
      {"BMP core header", bmp(12, Join({LittleEndian(65535, 2), LittleEndian(2, 2)})),
       Size(65535, 2)},
      {"BMP of OS/2 2.x", bmp(16, Join({LittleEndian(7, 4), LittleEndian(-5, 4)})), Size(7, 5)},
      {"BMP of negative width", bmp(40, Join({LittleEndian(-7, 4), LittleEndian(5, 4)})),
       Failure(kBmpWrong)},
      {"BMP of 2^31 rows top down", bmp(40, Join({LittleEndian(7, 4), LittleEndian(1u << 31, 4)})),
       Failure(kUnsuitable)},
      {"BMP of another header", bmp(13, Bytes(8)), Failure(kBmpWrong)},
      {"BMP cut", Join({Text("BM"), Bytes(12), LittleEndian(40, 4), Bytes(6)}),
       Failure(kUnsuitable)},
      {"icon of 256", ico(1, {{16, 16}, {0, 0}, {48, 48}}), Size(256, 256)},
      {"icon, first of equal areas", ico(1, {{32, 16}, {16, 32}}), Size(32, 16)},
      {"cursor", ico(2, {{0, 16}}), Size(256, 16)},
      {"icon of no picture, like a TGA file's start", ico(1, {}), Failure(kUnknown)},
      {"icon cut", Bytes{0, 0, 1, 0, 2, 0, 16, 16}, Failure(kUnsuitable)},
  });
}

TEST_F(MoreFormatsTest, HeifPrimaryItemWithItsOwnProperties) {
  const Bytes primary = Pitm(1);
  const Bytes plain = Iprp({Ispe(64, 48)}, {{1, {1}}});
  const Bytes whole = Join({Ftyp(), Meta({primary, plain}), IsoBox("mdat", Bytes(16))});
  // pitm of version 1 names a 32-bit item; ipma of version 1 and flag 1 has
  // 32-bit items and 15-bit indices under the essential bit.
  const Bytes wide_ids = Join(
      {FullBox("pitm", 1, 0, BigEndian32(70000)),
       IsoBox(
           "iprp",
           Join({IsoBox("ipco", Ispe(9, 7)),
                 FullBox("ipma", 1, 1,
                         Join({BigEndian32(1), BigEndian32(70000), {1}, BigEndian16(0x8001)}))}))});
  const Bytes large_size_box =
      Join({BigEndian32(1), Text("free"), BigEndian32(0), BigEndian32(24), Bytes(8)});
  ExpectSizes({
      {"extents", whole, Size(64, 48)},
      {"grid: the primary item's, not a tile's",
       Join({Ftyp(),
             Meta({primary, Iprp({Ispe(32, 24), Ispe(64, 48)}, {{2, {1}}, {3, {1}}, {1, {2}}})})}),
       Size(64, 48)},
      {"a quarter", Join({Ftyp(), Meta({primary, Iprp({Ispe(64, 48), Irot(1)}, {{1, {1, 2}}})})}),
       Size(48, 64)},
      {"half", Join({Ftyp(), Meta({primary, Iprp({Ispe(64, 48), Irot(2)}, {{1, {1, 2}}})})}),
       Size(64, 48)},
      {"three quarters",
       Join({Ftyp(), Meta({primary, Iprp({Irot(3), Ispe(64, 48)}, {{1, {2, 1}}})})}), Size(48, 64)},
      {"clean aperture, rounded, then turned",
       Join({Ftyp(),
             Meta({primary, Iprp({Ispe(64, 48), Clap(41, 2, 16), Irot(1)}, {{1, {1, 2, 3}}})})}),
       Size(16, 21)},
      {"32-bit items", Join({Ftyp(), Meta({wide_ids})}), Size(9, 7)},
      {"HEIC among the compatible brands", Join({Ftyp("isom0000heic"), Meta({primary, plain})}),
       Size(64, 48)},
      {"64-bit box size", Join({Ftyp(), large_size_box, Meta({primary, plain})}), Size(64, 48)},
      {"no brand of ours", Join({Ftyp("mp41isom"), Meta({primary, plain})}), Failure(kUnknown)},
      {"no extents", Join({Ftyp(), Meta({primary, Iprp({Irot(1)}, {{1, {1}}})})}),
       Failure(kHeifWrong)},
      {"no primary item", Join({Ftyp(), Meta({plain})}), Failure(kHeifWrong)},
      {"index past the properties", Join({Ftyp(), Meta({primary, Iprp({Ispe(1, 1)}, {{1, {2}}})})}),
       Failure(kHeifWrong)},
      {"aperture over 0",
       Join({Ftyp(), Meta({primary, Iprp({Ispe(64, 48), Clap(1, 0, 1)}, {{1, {1, 2}}})})}),
       Failure(kHeifWrong)},
      {"meta above 1 MiB", Join({Ftyp(), Meta({primary, plain, IsoBox("free", Bytes(1 << 20))})}),
       Failure(kHeifWrong)},
      {"no meta", Join({Ftyp(), IsoBox("mdat", Bytes(16))}), Failure(kHeifWrong)},
      {"cut in the meta box", Bytes(whole.begin(), whole.end() - 30), Failure(kUnsuitable)},
  });
}

TEST_F(MoreFormatsTest, SvgRootElementAndItsLengths) {
  const auto svg = [](const std::string& text) { return Text(text); };
  const std::string comment_100k = "<!--" + std::string(100'000, '-') + "-->";
  const std::string comment_1m = "<!--" + std::string(1 << 20, 'x') + "-->";
  ExpectSizes({
      {"quotes of either kind", svg("<svg width = '10' height=\"20\"/>"), Size(10, 20)},
      {"a > in a value", svg("<svg data-x=\"a>b\" width=\"4\" height=\"2\">"), Size(4, 2)},
      {"exponents and a plus", svg("<svg width=\"1e2\" height=\"+5.5E1\"/>"), Size(100, 55)},
      {"inf and nan are no lengths", svg("<svg width=\"inf\" height=\"nan\" viewBox=\"0 0 3 4\"/>"),
       Size(3, 4)},
      {"negative width", svg("<svg width=\"-5\" height=\"7\" viewBox=\"0 0 10 20\"/>"), Size(4, 7)},
      {"one side, no view box", svg("<svg width=\"10\" height=\"8vw\"/>"), Failure(kSvgNoSize)},
      {"empty view box", svg("<svg viewBox=\"0 0 0 10\"/>"), Failure(kSvgNoSize)},
      {"view box of three", svg("<svg viewBox=\"0 0 10\"/>"), Failure(kSvgNoSize)},
      {"beyond 31 bits", svg("<svg width=\"3e9\" height=\"1\"/>"), Failure(kUnsuitable)},
      {"halves round up, digits beyond a double's count",
       svg("<svg width=\"2.5\" height=\"123456789012345678901234e-23\"/>"), Size(3, 1)},
      {"an exponent beyond a double", svg("<svg width=\"1e400\" height=\"1\"/>"),
       Failure(kUnsuitable)},
      {"unquoted values", svg("<svg width=10 height=20/>"), Failure(kSvgWrong)},
      {"ends in the start tag", svg("<svg width=\"10\" height=\"20\""), Failure(kUnsuitable)},
      {"comment never closed", svg("<!-- <svg width=\"1\" height=\"1\"/>"), Failure(kUnsuitable)},
      {"root after the first read", svg(comment_100k + "<svg width=\"5\" height=\"6\"/>"),
       Size(5, 6)},
      {"root beyond 1 MiB", svg(comment_1m + "<svg width=\"5\" height=\"6\"/>"),
       Failure(kSvgWrong)},
      {"another root", svg("<html><svg width=\"1\" height=\"1\"/></html>"), Failure(kUnknown)},
      {"text first", svg("svg <svg width=\"1\" height=\"1\"/>"), Failure(kUnknown)},
  });
}

}  // namespace
}  // namespace tagsmit::testing
