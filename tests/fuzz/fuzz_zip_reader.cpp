// Feeds the zip reader hostile files. An input whose first byte is odd is the archive
// itself; otherwise the input supplies the fields and data of a one-entry archive with
// trailing bytes, so that the header checks, the extra-field walk, inflation and the CRC
// check are reached often. Invariants: no crash, no leaked descriptor, and a failed
// extraction leaves no target behind.

#include "document/zip/ZipReader.h"
#include "platform/base/TempFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

using namespace kelmora;

namespace {

struct Reader {
    explicit Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) { }
    uint32_t Take(int bytes)
    {
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= uint32_t(m_position < m_size ? m_data[m_position++] : 0) << (8 * i);
        return value;
    }
    std::vector<uint8_t> Bytes(size_t count)
    {
        count = std::min(count, m_size - m_position);
        std::vector<uint8_t> bytes(m_data + m_position, m_data + m_position + count);
        m_position += count;
        return bytes;
    }
    std::vector<uint8_t> Rest() { return Bytes(m_size - m_position); }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

std::vector<uint8_t> StructuredArchive(const uint8_t* data, size_t size)
{
    Reader in(data, size);
    uint32_t flags = in.Take(1) & 0x09;
    uint32_t method = (in.Take(1) & 1) ? 8 : 0;
    uint32_t crc = in.Take(4);
    uint32_t sizeSkew = in.Take(1);
    std::vector<uint8_t> name = in.Bytes(in.Take(1) % 16);
    std::vector<uint8_t> extra = in.Bytes(in.Take(1) % 32);
    uint32_t attributes = in.Take(4);
    std::vector<uint8_t> payload = in.Bytes(in.Take(2));
    std::vector<uint8_t> trailer = in.Rest();
    uint32_t compressedSize = uint32_t(payload.size()) + (sizeSkew & 0x80 ? sizeSkew & 0x7F : 0);
    uint32_t uncompressedSize = method == 0 ? compressedSize : uint32_t(payload.size()) * (1 + (sizeSkew & 7));

    std::vector<uint8_t> out;
    Put(out, 0x04034B50, 4);
    Put(out, 20, 2);
    Put(out, flags, 2);
    Put(out, method, 2);
    Put(out, 0x00210000, 4);
    Put(out, crc, 4);
    Put(out, compressedSize, 4);
    Put(out, uncompressedSize, 4);
    Put(out, uint32_t(name.size()), 2);
    Put(out, uint32_t(extra.size()), 2);
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), extra.begin(), extra.end());
    out.insert(out.end(), payload.begin(), payload.end());
    uint32_t directory = uint32_t(out.size());
    Put(out, 0x02014B50, 4);
    Put(out, 0x0B17, 2);
    Put(out, 20, 2);
    Put(out, flags, 2);
    Put(out, method, 2);
    Put(out, 0x00210000, 4);
    Put(out, crc, 4);
    Put(out, compressedSize, 4);
    Put(out, uncompressedSize, 4);
    Put(out, uint32_t(name.size()), 2);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, attributes, 4);
    Put(out, 0, 4);
    out.insert(out.end(), name.begin(), name.end());
    uint32_t directorySize = uint32_t(out.size()) - directory;
    Put(out, 0x06054B50, 4);
    Put(out, 0, 4);
    Put(out, 1, 2);
    Put(out, 1, 2);
    Put(out, directorySize, 4);
    Put(out, directory, 4);
    Put(out, 0, 2);
    out.insert(out.end(), trailer.begin(), trailer.end());
    return out;
}

int OpenDescriptors()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::optional<TempFile> archive = TempFile::Create("zip");
    static std::optional<TempFile> target = TempFile::Create("out");
    static unsigned runs = 0;
    if (!archive || !target)
        std::abort();

    std::vector<uint8_t> bytes = size > 0 && (data[0] & 1) ? std::vector<uint8_t>(data + 1, data + size)
                                                          : StructuredArchive(data + (size > 0), size - (size > 0));
    if (FILE* file = std::fopen(archive->Path().c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    std::filesystem::remove(target->Path());

    // Descriptors are counted around the reader's calls every so often (listing them
    // costs more than a run).
    bool countDescriptors = ++runs % 16 == 0;
    int before = countDescriptors ? OpenDescriptors() : 0;
    if (ZipHandle* zip = OpenZip(archive->Path())) {
        ZipResult result = UnzipItem(zip, target->Path());
        if (result != ZipResult::Success && std::filesystem::exists(target->Path())) {
            std::fprintf(stderr, "a failed extraction (%s) left its target behind\n", ZipResultText(result));
            std::abort();
        }
        CloseUnzip(zip);
    }
    if (countDescriptors && OpenDescriptors() != before) {
        std::fprintf(stderr, "descriptor leaked\n");
        std::abort();
    }
    return 0;
}
