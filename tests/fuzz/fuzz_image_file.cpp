// The file layer in front of the image decoders: whatever a path names (a regular file of
// any bytes, a link to one, a folder, a named pipe, nothing) loads without hanging or
// crashing, and a regular file loads exactly as its bytes decode. The first byte chooses
// what the path names and how large a file the limits take; the rest is the file.

#include "platform/base/TempFile.h"
#include "platform/imaging/ImageFile.h"
#include "tests/fuzz/FuzzSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace {

using namespace kelmora;

// The folder the target's files go in: one of this process's own.
std::filesystem::path Folder()
{
    fuzz::UsePrivateTempFolder("kelmora-fuzz-image-file");
    return TempDirectory();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t choice = data[0];
    const std::span<const uint8_t> bytes(data + 1, size - 1);
    const std::filesystem::path file = Folder() / "picture";
    const std::filesystem::path named = Folder() / "named";
    std::error_code ignored;
    std::filesystem::remove_all(named, ignored);
    if (!fuzz::WriteInputFile(file, bytes))
        return 0;

    DecoderLimits limits;
    limits.maxPixelBytes = size_t(16) << 20;
    limits.maxWorkingBytes = size_t(64) << 20;
    // Sometimes a file limit the input is over.
    if (choice & 0x80)
        limits.maxFileBytes = bytes.size() / 2;

    std::filesystem::path path = file;
    switch (choice & 0x7) {
    case 1:
        std::filesystem::create_symlink(file, named, ignored);
        path = named;
        break;
    case 2:
        std::filesystem::create_directory(named, ignored);
        path = named;
        break;
    case 3:
        ::mkfifo(named.c_str(), 0600);
        path = named;
        break;
    case 4:
        path = named;   // nothing there
        break;
    default:
        break;
    }

    Bitmap loaded = LoadImageFile(path, limits);
    if ((choice & 0x7) == 0 && !(choice & 0x80)) {
        Bitmap decoded = DecodeImage(bytes, limits);
        if (loaded.Status() != decoded.Status() || loaded.Width() != decoded.Width()
            || loaded.Height() != decoded.Height()
            || !std::equal(loaded.Pixels().begin(), loaded.Pixels().end(), decoded.Pixels().begin(),
                           decoded.Pixels().end()))
            __builtin_trap();
    }
    if (((choice & 0x7) == 2 || (choice & 0x7) == 3 || (choice & 0x7) == 4) && loaded.IsOk())
        __builtin_trap();
    return 0;
}
