#pragma once
// Native icons made from complete ICO files held in memory.
#include "toolkit/handles.h"

#include <cstddef>

namespace toolkit {

// The icon of the given size from an ICO file: the file's directory entry of
// exactly width x height (the deepest one if there are several), made into
// an icon by CreateIconFromResourceEx. The directory and the chosen image's
// bitmap header are checked against size first, so a truncated or bogus file
// yields an empty handle and nothing is read beyond bytes + size. Entries
// other than uncompressed bitmaps (PNG, RLE) are not used.
IconHandle IconFromIcoFile(const unsigned char* bytes, std::size_t size, int width, int height);

} // namespace toolkit
