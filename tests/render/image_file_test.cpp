// PCX and TGA images made by netpbm from one PPM: the decoded colours must
// be the PPM's, pixel for pixel.
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "base/message_log.h"
#include "render/image.h"
#include "../files/game_test_util.h"

namespace tolv::test {
namespace {

struct Rgb {
  std::vector<uint8_t> bytes;
  uint32_t width = 0, height = 0;
};

// A binary PPM with maxval 255 and no comments, as the fixture has.
Rgb ReadPpm(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::string magic;
  int maxval = 0;
  Rgb out;
  in >> magic >> out.width >> out.height >> maxval;
  in.get();
  out.bytes.assign(std::istreambuf_iterator<char>(in), {});
  return out;
}

class ImageFileTest : public GameDirTest {
 protected:
  void SetUp() override {
    GameDirTest::SetUp();
    std::filesystem::copy(std::filesystem::path(TOLV_TEST_DATA) / "full" / "images", game());
  }
  void TearDown() override {
    FreeImage(&image);
    GameDirTest::TearDown();
  }
  // The image's colours against the PPM's.
  void ExpectColours(const char* name) {
    SCOPED_TRACE(name);
    ASSERT_EQ(LoadImageFile(name, &image, 0), 1);
    Rgb ppm = ReadPpm(game() / "sheet.ppm");
    ASSERT_EQ(image.width, ppm.width);
    ASSERT_EQ(image.height, ppm.height);
    for (uint32_t i = 0; i < ppm.width * ppm.height; i++) {
      const uint8_t* c = image.palette + 3 * image.pixels[i];
      ASSERT_EQ(std::vector<uint8_t>(c, c + 3), std::vector<uint8_t>(&ppm.bytes[3 * i], &ppm.bytes[3 * i + 3]))
          << "pixel " << i;
    }
  }
  Image image;
};

TEST_F(ImageFileTest, PcxAndBothTgaForms) {
  ExpectColours("sheet.pcx");
  ExpectColours("sheet.tga");
  ExpectColours("sheet_raw.tga");
}

// The same through netpbm run now, when it is installed (make deps).
TEST_F(ImageFileTest, FreshlyConvertedImages) {
  if (std::system("command -v ppmtopcx >/dev/null && command -v pamtotga >/dev/null") != 0)
    GTEST_SKIP() << "netpbm is not installed";
  std::string ppm = (game() / "sheet.ppm").string(), out = game().string();
  ASSERT_EQ(std::system(("ppmtopcx -8bit " + ppm + " > " + out + "/fresh.pcx 2>/dev/null").c_str()), 0);
  ASSERT_EQ(std::system(("pamtotga -cmap < " + ppm + " > " + out + "/fresh.tga 2>/dev/null").c_str()), 0);
  ExpectColours("fresh.pcx");
  ExpectColours("fresh.tga");
}

TEST_F(ImageFileTest, MissingAndMalformedFilesLeaveTheImage) {
  ASSERT_EQ(LoadImageFile("sheet.pcx", &image, 0), 1);
  uint8_t* pixels = image.pixels;
  ClearMessages();
  EXPECT_EQ(LoadImageFile("none.pcx", &image, 0), 0);
  EXPECT_STREQ(MessageLine(kMessageLines - 1), "Image file not found");
  std::string pcx = ReadFileBytes(game() / "sheet.pcx");
  WriteFile(game() / "short.pcx", pcx.substr(0, 200));  // data and palette cut off
  EXPECT_EQ(LoadImageFile("short.pcx", &image, 0), 0);
  pcx[8] = char(0xFF), pcx[9] = char(0x7F);  // 32768 pixels wide
  WriteFile(game() / "wide.pcx", pcx);
  EXPECT_EQ(LoadImageFile("wide.pcx", &image, 0), 0);
  EXPECT_STREQ(MessageLine(kMessageLines - 1), "PCX size is out of range");
  std::string tga = ReadFileBytes(game() / "sheet.tga");
  tga[2] = 2;  // true-colour
  WriteFile(game() / "rgb.tga", tga);
  EXPECT_EQ(LoadImageFile("rgb.tga", &image, 0), 0);
  WriteFile(game() / "cut.tga", ReadFileBytes(game() / "sheet.tga").substr(0, 100));
  EXPECT_EQ(LoadImageFile("cut.tga", &image, 0), 0);
  EXPECT_STREQ(MessageLine(kMessageLines - 1), "TGA data ends early");
  EXPECT_EQ(image.pixels, pixels);
  EXPECT_EQ(OpenGameFileCount(), 0);
}

}  // namespace
}  // namespace tolv::test
