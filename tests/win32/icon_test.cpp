// The six embedded images: their ICO files, the 16 x 16 icons they make, the
// alpha channel of the 32-bit ones, and the loader's refusal of files that
// are cut short or make no sense.
#include "resources/icons.h"
#include "toolkit/ico_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// The colour a picture mostly shows, by a rough class of each opaque pixel.
enum class Hue { Red, Yellow, Green, Grey, Other };

struct ImageCase {
    int image;
    const char* name;
    unsigned bitCount;
    Hue hue;
    // One uncompressed 16 x 16 image with its mask: 22 bytes of directory,
    // the 40-byte bitmap header, the colour table (8 bits only), the colour
    // rows and the mask rows.
    std::size_t fileSize;
};

constexpr ImageCase kImages[] = {
    {1, "TagIcon", 8, Hue::Yellow, 1406},  {2, "BubbleIcon", 32, Hue::Yellow, 1150},
    {3, "CopyIcon", 32, Hue::Green, 1150}, {4, "AboutIcon", 32, Hue::Yellow, 1150},
    {5, "KeysIcon", 8, Hue::Grey, 1406},   {6, "HelpIcon", 32, Hue::Red, 1150},
};

constexpr std::pair<int, int> kCorners[] = {{0, 0}, {15, 0}, {0, 15}, {15, 15}};

Bytes FileOf(int image) {
    const resources::IcoFile file = resources::ImageIcoFile(image);
    return file.bytes == nullptr ? Bytes() : Bytes(file.bytes, file.bytes + file.size);
}

unsigned U16(const Bytes& b, std::size_t at) {
    return b.at(at) | (b.at(at + 1) << 8);
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return U16(b, at) | (static_cast<std::uint32_t>(U16(b, at + 2)) << 16);
}

// The offset of the bitmap of the file's first image.
std::size_t BitmapOffset(const Bytes& file) {
    return U32(file, 6 + 12);
}

// The straight (not premultiplied) BGRA pixel at x, y (y down) of a 32-bit
// 16 x 16 file; the rows are stored bottom-up after the bitmap header.
const unsigned char* PixelOf(const Bytes& file, int x, int y) {
    return &file.at(BitmapOffset(file) + 40 + ((15 - y) * 16 + x) * 4);
}

// Whether the AND mask of a 16 x 16 file marks the pixel at x, y (y down)
// transparent; the mask rows follow the colour table and the colour rows.
bool Transparent(const Bytes& file, unsigned bitCount, int x, int y) {
    const std::size_t mask =
        BitmapOffset(file) + 40 + (bitCount == 8 ? 1024 : 0) + 16 * 2 * bitCount;
    return (file.at(mask + (15 - y) * 4 + x / 8) & (0x80 >> (x % 8))) != 0;
}

Hue HueOf(int r, int g, int b) {
    if (r >= 128 && 2 * g < r && 2 * b < r) {
        return Hue::Red;
    }
    if (r >= 160 && 10 * g >= 6 * r && 10 * b < 6 * g) {
        return Hue::Yellow;
    }
    if (g > r + 25 && g > b + 25) {
        return Hue::Green;
    }
    if (std::max({r, g, b}) - std::min({r, g, b}) < 16) {
        return Hue::Grey;
    }
    return Hue::Other;
}

// The hue that most opaque pixels of a 16 x 16 bitmap (header, colour
// table, colour rows, mask rows, as an ICO file or an RT_ICON holds it) show,
// leaving out those of no clear hue; Other when fewer than a quarter of the
// pixels show it.
Hue MainHueOf(const unsigned char* bitmap, unsigned bitCount) {
    const unsigned char* rows = bitmap + 40 + (bitCount == 8 ? 1024 : 0);
    int counts[5] = {};
    int opaque = 0;
    for (int i = 0; i < 256; ++i) {
        const unsigned char* bgr =
            bitCount == 8 ? bitmap + 40 + 4 * rows[i] : rows + 4 * static_cast<std::size_t>(i);
        if (bitCount == 32 ? bgr[3] < 128
                           : (rows[256 + (i / 16) * 4 + (i % 16) / 8] & (0x80 >> (i % 8))) != 0) {
            continue;
        }
        ++opaque;
        ++counts[static_cast<int>(HueOf(bgr[2], bgr[1], bgr[0]))];
    }
    const int best = static_cast<int>(std::max_element(counts, counts + 4) - counts);
    return 4 * counts[best] >= opaque ? static_cast<Hue>(best) : Hue::Other;
}

// The colour and mask bitmaps of an icon, as GetIconInfo hands them out.
struct IconBitmaps {
    ICONINFO info{};
    BOOL ok = FALSE;
    explicit IconBitmaps(HICON icon) : ok(GetIconInfo(icon, &info)) {}
    ~IconBitmaps() {
        if (info.hbmColor != nullptr) {
            DeleteObject(info.hbmColor);
        }
        if (info.hbmMask != nullptr) {
            DeleteObject(info.hbmMask);
        }
    }
    IconBitmaps(const IconBitmaps&) = delete;
    IconBitmaps& operator=(const IconBitmaps&) = delete;
};

BITMAP BitmapInfo(HBITMAP bitmap) {
    BITMAP result{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof result, &result), static_cast<int>(sizeof result));
    return result;
}

// A 16 x 16 32-bit drawing surface filled with one colour, to draw icons on.
class Surface {
  public:
    explicit Surface(COLORREF background) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 16;
        info.bmiHeader.biHeight = -16;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < 256; ++i) {
            static_cast<std::uint32_t*>(bits_)[i] = (GetRValue(background) << 16) |
                                                    (GetGValue(background) << 8) |
                                                    GetBValue(background);
        }
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    bool Draw(HICON icon) { return DrawIconEx(dc_, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL); }
    // The drawn pixel at x, y as B, G, R.
    const unsigned char* Pixel(int x, int y) const {
        return static_cast<const unsigned char*>(bits_) + (y * 16 + x) * 4;
    }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

// Bytes placed so that they end where an inaccessible page begins: reading
// one byte past them faults.
class GuardedBytes {
  public:
    explicit GuardedBytes(const Bytes& bytes) {
        SYSTEM_INFO system{};
        GetSystemInfo(&system);
        page_ = system.dwPageSize;
        base_ = static_cast<unsigned char*>(
            VirtualAlloc(nullptr, 2 * page_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(base_ + page_, page_, PAGE_NOACCESS, &old);
        start_ = base_ + page_ - bytes.size();
        if (!bytes.empty()) {
            std::memcpy(start_, bytes.data(), bytes.size());
        }
        size_ = bytes.size();
    }
    ~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    toolkit::IconHandle Load(int width = 16, int height = 16) const {
        return toolkit::IconFromIcoFile(start_, size_, width, height);
    }

  private:
    DWORD page_ = 0;
    unsigned char* base_ = nullptr;
    unsigned char* start_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace

TEST(IconFiles, EachImageIsOneSixteenPixelImageOfItsDepth) {
    for (const ImageCase& c : kImages) {
        SCOPED_TRACE(c.name);
        const Bytes file = FileOf(c.image);
        ASSERT_EQ(file.size(), c.fileSize);
        // Header: reserved 0, type 1 (icon), one image.
        EXPECT_EQ(U16(file, 0), 0u);
        EXPECT_EQ(U16(file, 2), 1u);
        EXPECT_EQ(U16(file, 4), 1u);
        // Directory entry: 16 x 16, one plane, the bit count, the image's
        // size and place.
        EXPECT_EQ(file[6], 16);
        EXPECT_EQ(file[7], 16);
        EXPECT_EQ(U16(file, 6 + 4), 1u);
        EXPECT_EQ(U16(file, 6 + 6), c.bitCount);
        EXPECT_EQ(U32(file, 6 + 8), file.size() - 22);
        EXPECT_EQ(BitmapOffset(file), 22u);
        // Bitmap header: 16 wide, 32 high (colour rows and mask), the same
        // bit count, uncompressed, with a full palette for 8 bits.
        const std::size_t info = BitmapOffset(file);
        EXPECT_EQ(U32(file, info), 40u);
        EXPECT_EQ(U32(file, info + 4), 16u);
        EXPECT_EQ(U32(file, info + 8), 32u);
        EXPECT_EQ(U16(file, info + 14), c.bitCount);
        EXPECT_EQ(U32(file, info + 16), 0u);
        EXPECT_EQ(U32(file, info + 32), 0u);
    }
}

// A picture in the colour of its description: also catches two images of the
// same format swapped in the numbering.
TEST(IconFiles, EachPictureShowsTheColourOfItsDescription) {
    for (const ImageCase& c : kImages) {
        SCOPED_TRACE(c.name);
        const Bytes file = FileOf(c.image);
        ASSERT_EQ(file.size(), c.fileSize);
        EXPECT_EQ(MainHueOf(&file[BitmapOffset(file)], c.bitCount), c.hue);
    }
}

TEST(IconFiles, AboutIconHoldsTheImageDataOfBubbleIcon) {
    EXPECT_EQ(FileOf(4), FileOf(2));
}

TEST(IconFiles, UnknownImageNumbersHaveNoFile) {
    for (int image : {0, 7, -1, 100}) {
        const resources::IcoFile file = resources::ImageIcoFile(image);
        EXPECT_EQ(file.bytes, nullptr) << image;
        EXPECT_EQ(file.size, 0u) << image;
    }
}

TEST(IconFiles, ThirtyTwoBitImagesHaveSoftEdgesAndClearCorners) {
    for (const ImageCase& c : kImages) {
        if (c.bitCount != 32) {
            continue;
        }
        SCOPED_TRACE(c.name);
        const Bytes file = FileOf(c.image);
        int partial = 0;
        int opaque = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const unsigned char alpha = PixelOf(file, x, y)[3];
                partial += alpha > 0 && alpha < 255;
                opaque += alpha == 255;
            }
        }
        EXPECT_GE(partial, 4);
        EXPECT_GE(opaque, 40);
        for (auto [x, y] : kCorners) {
            EXPECT_EQ(PixelOf(file, x, y)[3], 0) << x << "," << y;
            EXPECT_TRUE(Transparent(file, c.bitCount, x, y)) << x << "," << y;
        }
    }
}

TEST(IconLoading, EachImageMakesASixteenPixelColourIcon) {
    for (const ImageCase& c : kImages) {
        SCOPED_TRACE(c.name);
        const resources::IcoFile file = resources::ImageIcoFile(c.image);
        const toolkit::IconHandle icon = toolkit::IconFromIcoFile(file.bytes, file.size, 16, 16);
        ASSERT_TRUE(icon);
        const IconBitmaps bitmaps(icon.get());
        ASSERT_TRUE(bitmaps.ok);
        EXPECT_TRUE(bitmaps.info.fIcon);
        ASSERT_NE(bitmaps.info.hbmColor, nullptr);
        const BITMAP colour = BitmapInfo(bitmaps.info.hbmColor);
        EXPECT_EQ(colour.bmWidth, 16);
        EXPECT_EQ(colour.bmHeight, 16);
        const BITMAP mask = BitmapInfo(bitmaps.info.hbmMask);
        EXPECT_EQ(mask.bmWidth, 16);
        EXPECT_EQ(mask.bmHeight, 16);
    }
}

// Drawn over blue, every pixel that the mask marks transparent stays blue,
// and a 32-bit pixel of partial alpha comes out as the mix of its colour and
// the blue: the icon keeps its alpha channel instead of drawing it opaque.
TEST(IconLoading, DrawnIconsLetTheBackgroundShowThrough) {
    const unsigned char blue[] = {255, 0, 0}; // B, G, R
    for (const ImageCase& c : kImages) {
        SCOPED_TRACE(c.name);
        const Bytes file = FileOf(c.image);
        const toolkit::IconHandle icon = toolkit::IconFromIcoFile(file.data(), file.size(), 16, 16);
        ASSERT_TRUE(icon);
        Surface surface(RGB(blue[2], blue[1], blue[0]));
        ASSERT_TRUE(surface.Draw(icon.get()));
        int clear = 0;
        int blended = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const unsigned char* drawn = surface.Pixel(x, y);
                if (Transparent(file, c.bitCount, x, y)) {
                    EXPECT_EQ(std::memcmp(drawn, blue, 3), 0) << "pixel " << x << "," << y;
                    ++clear;
                    continue;
                }
                const int alpha = c.bitCount == 32 ? PixelOf(file, x, y)[3] : 255;
                if (alpha < 16 || alpha > 240) {
                    continue;
                }
                const unsigned char* source = PixelOf(file, x, y);
                for (int channel = 0; channel < 3; ++channel) {
                    const int expected =
                        (source[channel] * alpha + blue[channel] * (255 - alpha)) / 255;
                    EXPECT_NEAR(drawn[channel], expected, 3)
                        << "pixel " << x << "," << y << " channel " << channel;
                }
                ++blended;
            }
        }
        EXPECT_GE(clear, 4);
        if (c.bitCount == 32) {
            EXPECT_GT(blended, 0);
        }
    }
}

struct BadFileCase {
    const char* name;
    std::function<void(Bytes&)> spoil;
};

// Each case spoils a good file; the loader must refuse it without reading past
// its end (the bytes end at an inaccessible page).
TEST(IconLoading, TruncatedOrBogusFilesMakeNoIcon) {
    const Bytes good = FileOf(1);
    const std::size_t info = BitmapOffset(good);
    const BadFileCase cases[] = {
        {"empty", [](Bytes& b) { b.clear(); }},
        {"header cut short", [](Bytes& b) { b.resize(5); }},
        {"directory cut short", [](Bytes& b) { b.resize(6 + 15); }},
        {"no bitmap", [](Bytes& b) { b.resize(22); }},
        {"bitmap header cut short", [](Bytes& b) { b.resize(22 + 39); }},
        {"last byte missing", [](Bytes& b) { b.pop_back(); }},
        {"a cursor, not an icon", [](Bytes& b) { b[2] = 2; }},
        {"no images", [](Bytes& b) { b[4] = 0; }},
        {"more entries than the file holds",
         [](Bytes& b) {
             b[4] = 0xFF;
             b[5] = 0xFF;
         }},
        {"image size beyond the end", [](Bytes& b) { b[6 + 9] = 0x7F; }},
        {"image size smaller than its bitmap", [](Bytes& b) { --b[6 + 8]; }},
        {"offset beyond the end", [](Bytes& b) { b[6 + 15] = 0x80; }},
        {"bitmap height without the mask rows", [info](Bytes& b) { b[info + 8] = 16; }},
        {"colour table larger than the file", [info](Bytes& b) { b[info + 33] = 0x10; }},
        {"compressed bitmap", [info](Bytes& b) { b[info + 16] = BI_RLE8; }},
    };
    for (const BadFileCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes spoilt = good;
        c.spoil(spoilt);
        const GuardedBytes guarded(spoilt);
        EXPECT_FALSE(guarded.Load());
    }
}

TEST(IconLoading, AGoodFileLoadsOnlyAtItsOwnSize) {
    const GuardedBytes guarded(FileOf(2));
    EXPECT_TRUE(guarded.Load(16, 16));
    EXPECT_FALSE(guarded.Load(32, 32));
    EXPECT_FALSE(guarded.Load(16, 32));
    EXPECT_FALSE(toolkit::IconFromIcoFile(nullptr, 1150, 16, 16));
}

// tarvelo.exe (its path in TARVELO_EXE) carries AppIcon as icon group 1, one
// 16 x 16 image of 256 colours showing red, and the manifest as resource 1 of
// type 24.
class ProgramResources : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* path = std::getenv("TARVELO_EXE");
        ASSERT_NE(path, nullptr) << "TARVELO_EXE names the program to inspect";
        module_ = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << path;
    }
    void TearDown() override {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    // The bytes of a resource, empty when there is none.
    Bytes Resource(int name, LPCSTR type) const {
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(name), type);
        if (found == nullptr) {
            return {};
        }
        const auto* data =
            static_cast<const unsigned char*>(LockResource(LoadResource(module_, found)));
        return Bytes(data, data + SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, AppIconIsGroupOneWithOneSixteenPixelImageOf256Colours) {
    // Group directory: reserved, type 1, count, then 14-byte entries of
    // width, height, colour count, reserved, planes, bit count, size, id.
    const Bytes group = Resource(1, MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_EQ(group.size(), 6u + 14u);
    EXPECT_EQ(U16(group, 2), 1u);
    ASSERT_EQ(U16(group, 4), 1u);
    EXPECT_EQ(group[6], 16);
    EXPECT_EQ(group[7], 16);
    EXPECT_EQ(group[8], 0); // 256 colours or more
    EXPECT_EQ(U16(group, 6 + 6), 8u);
    const Bytes image = Resource(static_cast<int>(U16(group, 6 + 12)), MAKEINTRESOURCEA(3));
    ASSERT_EQ(image.size(), 1384u);
    EXPECT_EQ(U16(image, 14), 8u);
    EXPECT_EQ(MainHueOf(image.data(), 8), Hue::Red);

    const toolkit::IconHandle icon(static_cast<HICON>(
        LoadImageA(module_, MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    ASSERT_TRUE(icon);
    const IconBitmaps bitmaps(icon.get());
    ASSERT_TRUE(bitmaps.ok);
    ASSERT_NE(bitmaps.info.hbmColor, nullptr);
    EXPECT_EQ(BitmapInfo(bitmaps.info.hbmColor).bmWidth, 16);
    EXPECT_EQ(BitmapInfo(bitmaps.info.hbmColor).bmHeight, 16);
}

TEST_F(ProgramResources, ManifestAsksForCommonControlsSixWithoutDpiAwareness) {
    const Bytes manifest = Resource(1, MAKEINTRESOURCEA(24)); // RT_MANIFEST
    const std::string text(manifest.begin(), manifest.end());
    for (
        const char* part : {
            R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
            R"(processorArchitecture="x86" publicKeyToken="6595b64144ccf1df")",
            R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">false</dpiAware>)",
            R"(<requestedExecutionLevel level="asInvoker")",
            "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // Windows 7
            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // Windows 10
        }) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
}
