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

#include "image/image_formats.h"
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
// Offsets in halves of a pixel from the centre, 0 unless given.
Bytes Clap(std::uint32_t width, std::uint32_t over, std::uint32_t height,
           std::int32_t left_halves = 0, std::int32_t top_halves = 0) {
  return IsoBox("clap",
                Join({BigEndian32(width), BigEndian32(over), BigEndian32(height), BigEndian32(1),
                      BigEndian32(static_cast<std::uint32_t>(left_halves)), BigEndian32(2),
                      BigEndian32(static_cast<std::uint32_t>(top_halves)), BigEndian32(2)}));
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

// The settings window's tooltip names the formats of the readers' table.
TEST(MoreFormatsTooltipTest, NamesEveryFormatReadByContentOnly) {
  EXPECT_STREQ(MoreFormatsTooltip(),
               "PNG, WebP, AVIF, HEIF, SVG, BMP, ICO, JPEG XL と .jpeg も読みます");
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
      {"clean aperture of half a pixel: ignored, then turned",
       Join({Ftyp(),
             Meta({primary, Iprp({Ispe(64, 48), Clap(41, 2, 16), Irot(1)}, {{1, {1, 2, 3}}})})}),
       Size(48, 64)},
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

// Sizes a browser shows none of, and what browsers do where formats leave a
// choice: ICO depth, clean apertures, a GIF's first frame beyond its screen.
TEST_F(MoreFormatsTest, BrowserRulesOfSidesIconsAperturesAndCanvas) {
  const auto ico = [](std::initializer_list<Bytes> entries) {
    Bytes out = {0, 0, 1, 0, static_cast<std::uint8_t>(entries.size()), 0};
    for (const Bytes& entry : entries) out = Join({out, entry, Bytes(8)});
    return out;
  };
  const auto entry = [](std::uint8_t w, std::uint8_t h, std::uint8_t colours, std::uint16_t bits) {
    return Join({{w, h, colours, 0}, LittleEndian(1, 2), LittleEndian(bits, 2)});
  };
  const auto heif = [](const Bytes& clap) {
    return Join({Ftyp(), Meta({Pitm(1), Iprp({Ispe(64, 48), clap}, {{1, {1, 2}}})})});
  };
  // Screen, then a frame at (left, top) of the given size after an extension.
  const auto gif = [](std::uint16_t screen, std::uint16_t left, std::uint16_t width) {
    return Join({Gif(screen, screen),
                 {0, 0, 0},
                 {0x21, 0xF9, 4, 0, 0, 0, 0, 0},
                 {0x2C},
                 LittleEndian(left, 2),
                 LittleEndian(0, 2),
                 LittleEndian(width, 2),
                 LittleEndian(30, 2),
                 {0, 2, 0, 0x3B}});
  };
  ExpectSizes({
      {"PNG of width 0", Png({Ihdr(0, 10)}), Failure(kPngWrong)},
      {"GIF of 0 x 1", Gif(0, 1), Failure("gif ファイルがおかしい")},
      {"TGA, type 2", Join({{0, 0, 2, 0, 0, 0, 0, 0}, Bytes(4), {64, 0, 48, 0, 24, 0}}),
       Failure(kUnknown)},
      {"icon: of equal areas the deeper", ico({entry(64, 32, 0, 8), entry(32, 64, 0, 32)}),
       Size(32, 64)},
      {"icon: depth from the colour count", ico({entry(64, 32, 16, 0), entry(32, 64, 0, 0)}),
       Size(32, 64)},
      {"icon: of equal depths the first", ico({entry(64, 32, 0, 8), entry(32, 64, 0, 8)}),
       Size(64, 32)},
      {"aperture at the top left", heif(Clap(40, 1, 30, -24, -18)), Size(40, 30)},
      {"aperture in the middle: ignored", heif(Clap(40, 1, 30)), Size(64, 48)},
      {"aperture beyond the picture: ignored", heif(Clap(100, 1, 100, 36, 52)), Size(64, 48)},
      {"screen of 0: the first frame's", gif(0, 0, 40), Failure("gif ファイルがおかしい")},
  });
  ExpectSizes({{"screen of 0: the first frame's", gif(0, 0, 40), Size(40, 30)},
               {"frame beyond the screen", gif(10, 5, 40), Size(45, 30)},
               {"frame within the screen", gif(50, 5, 40), Size(50, 50)},
               {"no frame before the end", Gif(10, 12), Size(10, 12)}},
              kBoth);
  EXPECT_EQ(Fields(Measure("a.gif", gif(10, 5, 40), {.display_size = true})), Fields(Size(45, 30)));
  EXPECT_EQ(Fields(Measure("a.gif", gif(10, 5, 40))), Fields(Size(10, 10)));
}

// Only the first Exif segment counts, before or after the frame header; a
// PNG's eXIf chunk before its image data counts too.
TEST_F(MoreFormatsTest, OrientationFromTheFirstExifWhereverItStands) {
  const auto tiff = [](std::uint16_t orientation) {
    return Join({Text("MM"), BigEndian16(42), BigEndian32(8), BigEndian16(1), BigEndian16(0x0112),
                 BigEndian16(3), BigEndian32(1), BigEndian16(orientation), BigEndian16(0),
                 BigEndian32(0)});
  };
  const auto exif = [&](const Bytes& body) {
    return Segment(0xE1, Join({Text("Exif"), {0, 0}, body}));
  };
  const Bytes frame = FrameHeader(0xC0, 30, 40);
  const Bytes scan = Segment(0xDA, Bytes(4));
  const auto png = [&](const char* before, const char* after) {
    return Png({Ihdr(40, 30), PngChunk(before, tiff(6)), PngChunk(after, Bytes(4))});
  };
  ExpectSizes(
      {{"broken first, 6 second", Jpeg({exif(Text("XX")), exif(tiff(6)), frame, scan}),
        Size(40, 30)},
       {"none first, 6 second", Jpeg({exif(tiff(1)), exif(tiff(6)), frame, scan}), Size(40, 30)},
       {"after the frame header", Jpeg({frame, exif(tiff(6)), scan}), Size(30, 40)},
       {"after the scan", Jpeg({frame, scan, exif(tiff(6))}), Size(40, 30)},
       {"file ends after the frame", Jpeg({frame}), Size(40, 30)},
       {"PNG eXIf before IDAT", png("eXIf", "IDAT"), Size(30, 40)},
       {"PNG eXIf after IDAT",
        Png({Ihdr(40, 30), PngChunk("IDAT", Bytes(4)), PngChunk("eXIf", tiff(6))}), Size(40, 30)},
       {"PNG other chunk", png("tEXt", "IDAT"), Size(40, 30)}},
      kBoth);
  EXPECT_EQ(Fields(Measure("image", png("eXIf", "IDAT"), kMoreFormats)), Fields(Size(40, 30)));
}

// JPEG XL size headers, written bit by bit, least significant first.
class Bits {
 public:
  Bits& Put(std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i, ++at_) {
      if (at_ % 8 == 0) bytes_.push_back(0);
      bytes_.back() |= static_cast<std::uint8_t>((value >> i & 1) << (at_ % 8));
    }
    return *this;
  }
  Bytes bytes() const { return Join({{0xFF, 0x0A}, bytes_, Bytes(4)}); }

 private:
  Bytes bytes_;
  int at_ = 0;
};

// A large side: selector, then that many bits of side - 1.
Bits& Side(Bits& bits, int selector, std::uint64_t side) {
  constexpr int kWidths[] = {9, 13, 18, 30};
  return bits.Put(static_cast<std::uint64_t>(selector), 2).Put(side - 1, kWidths[selector]);
}

Bytes JxlBox(const char* type, const Bytes& body) {
  return IsoBox(type, body);
}

TEST_F(MoreFormatsTest, JpegXlSizeHeaderBareAndInItsContainer) {
  Bits small, stored, wide, oriented, ratio_16_9;
  small.Put(1, 1).Put(7, 5).Put(3, 3).Put(1, 1);                            // 64 high, 4:3
  stored.Put(1, 1).Put(4, 5).Put(0, 3).Put(7, 5).Put(1, 1);                 // 40 high, 64 wide
  Side(Side(wide.Put(0, 1), 3, 300000).Put(0, 3), 2, 40000).Put(1, 1);      // 30 bits, 18 bits
  Side(oriented.Put(0, 1), 0, 30).Put(3, 3).Put(0, 1).Put(1, 1).Put(5, 3);  // 4:3, orientation 6
  Side(ratio_16_9.Put(0, 1), 1, 1000).Put(5, 3).Put(1, 1);                  // 1777.7 rounded down
  const Bytes signature = {0, 0, 0, 12, 'J', 'X', 'L', ' ', 0x0D, 0x0A, 0x87, 0x0A};
  const Bytes ftyp = JxlBox("ftyp", Text("jxl \0\0\0\0jxl "sv));
  const Bytes codestream = oriented.bytes();
  const Bytes parts = Join(
      {signature, ftyp,
       JxlBox("jxlp", Join({BigEndian32(0), Bytes(codestream.begin(), codestream.begin() + 3)})),
       JxlBox("jxlp",
              Join({BigEndian32(0x8000'0001), Bytes(codestream.begin() + 3, codestream.end())}))});
  ExpectSizes({
      {"small, ratio 4:3", small.bytes(), Size(85, 64)},
      {"small, width stored", stored.bytes(), Size(64, 40)},
      {"30- and 18-bit sides", wide.bytes(), Size(40000, 300000)},
      {"ratio 16:9 rounded down", ratio_16_9.bytes(), Size(1777, 1000)},
      {"orientation without the size as displayed", codestream, Size(40, 30)},
      {"container", Join({signature, ftyp, JxlBox("jxlc", codestream)}), Size(40, 30)},
      {"container, header split across parts", parts, Size(40, 30)},
      {"container of a malformed box", Join({signature, ftyp, BigEndian32(4), Text("jxlc")}),
       Failure("jxl ファイルがおかしい")},
      {"container ends before the codestream", Join({signature, ftyp, JxlBox("jxli", Bytes(8))}),
       Failure(kUnsuitable)},
  });
  ExpectSizes({{"orientation 6", codestream, Size(30, 40)}, {"in parts", parts, Size(30, 40)}},
              kBoth);

  // Cut anywhere in the header, the file is damaged or no JPEG XL at all;
  // the reader never reads beyond the few bytes it wants.
  for (const Bytes& whole : {wide.bytes(), parts}) {
    const std::size_t header_end = whole.size() - 4;
    for (std::size_t cut = 0; cut < header_end; ++cut) {
      const auto [width, height, message] =
          Fields(Measure("image", Bytes(whole.begin(), whole.begin() + cut), kBoth));
      EXPECT_TRUE(message == kUnsuitable || message == kUnknown) << cut << ": " << message;
    }
  }
}

TEST_F(MoreFormatsTest, SvgFontSizesReferencesAndUtf16) {
  const auto svg = [](const std::string& attributes, const std::string& doctype = "") {
    return Text(doctype + "<svg xmlns=\"http://www.w3.org/2000/svg\" " + attributes + "/>");
  };
  std::string laughs = "<!DOCTYPE svg [<!ENTITY l0 \"1\">";
  for (int i = 1; i <= 30; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "\">";
  }
  laughs += "]>";
  const auto utf16 = [](const std::string& text, bool little) {
    Bytes out = little ? Bytes{0xFF, 0xFE} : Bytes{0xFE, 0xFF};
    for (const char c : text) {
      const Bytes unit = {static_cast<std::uint8_t>(c), 0};
      out = Join({out, little ? unit : Bytes{0, unit[0]}});
    }
    return out;
  };
  const std::string plain = "<svg width=\"120\" height=\"80\"/>";
  ExpectSizes({
      {"em of 16 px, with a view box", svg("width=\"10em\" height=\"5em\" viewBox=\"0 0 4 2\""),
       Size(160, 80)},
      {"em without a view box", svg("width=\"10em\" height=\"80\""), Size(160, 80)},
      {"rem of the root's font size", svg("width=\"2rem\" height=\"1\" font-size=\"12pt\""),
       Size(32, 1)},
      {"font size in em", svg("width=\"1em\" height=\"1\" font-size=\"3em\""), Size(48, 1)},
      {"character references", svg("width=\"&#49;2&#x30;\" height=\"&#x38;0\""), Size(120, 80)},
      {"internal entity",
       svg("width=\"&w;\" height=\"8&z;\"",
           "<!DOCTYPE svg [<!-- <!ENTITY w \"1\"> --><!ENTITY w \"1&z;&z;\">"
           "<!ENTITY z \"0\"><!ENTITY w \"9\">]>"),
       Size(100, 80)},
      {"entity of a length",
       svg("width=\"&w;\" height=\"80\"", "<!DOCTYPE svg [<!ENTITY w '120'>]>"), Size(120, 80)},
      {"undefined entity", svg("width=\"&w;\" height=\"80\""), Failure(kSvgWrong)},
      {"a billion laughs and more", svg("width=\"&l30;\" height=\"1\"", laughs),
       Failure(kSvgWrong)},
      {"0e400 is no number", svg("width=\"0e400\" height=\"1e400\""), Failure(kSvgWrong)},
      {"view box side of 1e400", svg("height=\"5\" viewBox=\"0 0 1e400 1e400\""),
       Failure(kSvgWrong)},
      {"UTF-16, little-endian", utf16(plain, true), Size(120, 80)},
      {"UTF-16, big-endian", utf16(plain, false), Size(120, 80)},
  });
}

}  // namespace
}  // namespace tagsmit::testing
