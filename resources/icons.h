#pragma once
// The six 16 x 16 images the program shows, embedded as complete ICO files
// by the build (resources/make_icons.py draws them).
#include <cstddef>

namespace resources {

struct IcoFile {
    const unsigned char* bytes;
    std::size_t size;
};

// The complete ICO file of image n: 1 TagIcon, 2 BubbleIcon, 3 CopyIcon, 4 AboutIcon, 5 KeysIcon,
// 6 HelpIcon; {nullptr, 0} for any other n.
IcoFile ImageIcoFile(int image);

} // namespace resources
