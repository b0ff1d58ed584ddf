#include "toolkit/ico_image.h"

#include <cstdint>
#include <vector>

namespace toolkit {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t ReadU16(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadU32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t ReadI32(const unsigned char* p) {
    return static_cast<std::int32_t>(ReadU32(p));
}

// One image of the file, as far as its directory entry and its bitmap header
// vouch for it.
struct IcoImage {
    const unsigned char* bits = nullptr;
    std::size_t size = 0;
    std::uint32_t bitCount = 0;
};

// The bytes an uncompressed icon bitmap of the given header needs: header,
// colour table, colour rows and mask rows. 0 for a header that makes no sense.
std::uint64_t BitmapBytes(const unsigned char* info, int width, int height) {
    const std::uint32_t headerSize = ReadU32(info);
    const std::int32_t bitmapWidth = ReadI32(info + 4);
    const std::int32_t bitmapHeight = ReadI32(info + 8);
    const std::uint32_t planes = ReadU16(info + 12);
    const std::uint32_t bitCount = ReadU16(info + 14);
    const std::uint32_t compression = ReadU32(info + 16);
    const std::uint32_t colorsUsed = ReadU32(info + 32);
    const bool knownDepth = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                            bitCount == 24 || bitCount == 32;
    // The height counts the colour image and the mask.
    if (headerSize < kInfoHeaderSize || bitmapWidth != width || bitmapHeight != 2 * height ||
        planes != 1 || !knownDepth || compression != BI_RGB) {
        return 0;
    }
    // Up to 8 bits a pixel indexes the colour table; deeper bitmaps may carry
    // an optional table of at most 256 entries before their pixels.
    const std::uint64_t fullTable = bitCount <= 8 ? (1u << bitCount) : 0;
    if (colorsUsed > (bitCount <= 8 ? fullTable : 256)) {
        return 0;
    }
    const std::uint64_t colors = colorsUsed != 0 ? colorsUsed : fullTable;
    const std::uint64_t colorRow = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t maskRow = (static_cast<std::uint64_t>(width) + 31) / 32 * 4;
    return headerSize + colors * 4 + (colorRow + maskRow) * static_cast<std::uint64_t>(height);
}

// The image of the directory entry at entry, or an empty one when the entry is
// of another size or points outside the file.
IcoImage ImageOfEntry(const unsigned char* bytes, std::size_t size, const unsigned char* entry,
                      int width, int height) {
    const int entryWidth = entry[0] == 0 ? 256 : entry[0];
    const int entryHeight = entry[1] == 0 ? 256 : entry[1];
    const std::uint32_t imageSize = ReadU32(entry + 8);
    const std::uint32_t offset = ReadU32(entry + 12);
    if (entryWidth != width || entryHeight != height || offset > size ||
        imageSize > size - offset || imageSize < kInfoHeaderSize) {
        return {};
    }
    const unsigned char* bits = bytes + offset;
    const std::uint64_t needed = BitmapBytes(bits, width, height);
    if (needed == 0 || needed > imageSize) {
        return {};
    }
    return {bits, imageSize, ReadU16(bits + 14)};
}

IcoImage FindImage(const unsigned char* bytes, std::size_t size, int width, int height) {
    if (bytes == nullptr || size < kHeaderSize || ReadU16(bytes) != 0 || ReadU16(bytes + 2) != 1) {
        return {};
    }
    const std::size_t count = ReadU16(bytes + 4);
    if (count > (size - kHeaderSize) / kEntrySize) {
        return {};
    }
    IcoImage best;
    for (std::size_t i = 0; i < count; ++i) {
        const IcoImage image =
            ImageOfEntry(bytes, size, bytes + kHeaderSize + i * kEntrySize, width, height);
        if (image.bits != nullptr && image.bitCount > best.bitCount) {
            best = image;
        }
    }
    return best;
}

} // namespace

IconHandle IconFromIcoFile(const unsigned char* bytes, std::size_t size, int width, int height) {
    if (width <= 0 || height <= 0 || width > 256 || height > 256) {
        return IconHandle();
    }
    const IcoImage image = FindImage(bytes, size, width, height);
    if (image.bits == nullptr) {
        return IconHandle();
    }
    // The call takes a writable, DWORD-aligned resource; the ICO file gives neither.
    std::vector<BYTE> bits(image.bits, image.bits + image.size);
    return IconHandle(CreateIconFromResourceEx(bits.data(), static_cast<DWORD>(bits.size()), TRUE,
                                               0x00030000, width, height, LR_DEFAULTCOLOR));
}

} // namespace toolkit
