#include "ZipTestSupport.h"

#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"

#include <array>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <zlib.h>

namespace kelmora::ziptest {

ScratchFolder::ScratchFolder()
    : m_path(TempDirectory() / ("kelmora-zip-" + NewGuidString()))
{
    std::filesystem::create_directories(m_path);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

void WriteFile(const std::filesystem::path& path, std::span<const uint8_t> bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    WriteFile(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int OpenDescriptorCount()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

const char* DataKindName(DataKind kind)
{
    switch (kind) {
    case DataKind::Zeros: return "zeros";
    case DataKind::Text: return "text";
    case DataKind::Random: return "random";
    }
    return "?";
}

Bytes MakeData(DataKind kind, size_t size, uint32_t seed)
{
    Bytes data;
    data.reserve(size);
    std::mt19937 random(seed);
    switch (kind) {
    case DataKind::Zeros:
        data.assign(size, 0);
        break;
    case DataKind::Random:
        while (data.size() < size)
            data.push_back(uint8_t(random()));
        break;
    case DataKind::Text: {
        static const std::array<const char*, 24> kWords = { "the", "logo", "drawing", "outline", "fill",
            "gradient", "shadow", "of", "a", "and", "with", "curve", "text", "page", "colour", "layer", "is",
            "in", "to", "ellipse", "star", "polygon", "group", "brush" };
        while (data.size() < size) {
            std::string word = kWords[random() % kWords.size()];
            word += random() % 11 == 0 ? ".\n" : " ";
            for (char c : word) {
                if (data.size() < size)
                    data.push_back(uint8_t(c));
            }
        }
        break;
    }
    }
    return data;
}

std::optional<Bytes> Inflate(std::span<const uint8_t> compressed)
{
    z_stream stream {};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    Bytes output;
    std::array<uint8_t, 65536> buffer;
    stream.next_in = const_cast<Bytef*>(compressed.data());
    stream.avail_in = uInt(compressed.size());
    int status;
    do {
        stream.next_out = buffer.data();
        stream.avail_out = uInt(buffer.size());
        status = inflate(&stream, Z_NO_FLUSH);
        output.insert(output.end(), buffer.data(), buffer.data() + (buffer.size() - stream.avail_out));
    } while (status == Z_OK);
    bool complete = status == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    if (!complete)
        return std::nullopt;
    return output;
}

uint32_t Crc32(std::span<const uint8_t> bytes)
{
    return uint32_t(crc32_z(crc32_z(0, nullptr, 0), bytes.data(), bytes.size()));
}

namespace {

void Put16(Bytes& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void Put32(Bytes& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

uint16_t Get16(const Bytes& in, size_t at) { return uint16_t(in.at(at) | (in.at(at + 1) << 8)); }
uint32_t Get32(const Bytes& in, size_t at) { return Get16(in, at) | (uint32_t(Get16(in, at + 2)) << 16); }

} // namespace

RawEntry StoredEntry(const std::string& name, const Bytes& content)
{
    RawEntry entry;
    entry.name = name;
    entry.data = content;
    entry.crc = Crc32(content);
    entry.compressedSize = entry.uncompressedSize = uint32_t(content.size());
    entry.externalAttributes = 0x81A40020;
    return entry;
}

Bytes BuildArchive(const std::vector<RawEntry>& entries)
{
    Bytes archive;
    std::vector<uint32_t> offsets;
    for (const RawEntry& e : entries) {
        offsets.push_back(uint32_t(archive.size()));
        Put32(archive, 0x04034B50);
        Put16(archive, 20);
        Put16(archive, e.flags);
        Put16(archive, e.localMethodOverride != 0xFFFF ? e.localMethodOverride : e.method);
        Put32(archive, e.dosTime);
        Put32(archive, e.crc);
        Put32(archive, e.compressedSize);
        Put32(archive, e.uncompressedSize);
        Put16(archive, uint32_t(e.name.size()));
        Put16(archive, uint32_t(e.localExtra.size()));
        archive.insert(archive.end(), e.name.begin(), e.name.end());
        archive.insert(archive.end(), e.localExtra.begin(), e.localExtra.end());
        archive.insert(archive.end(), e.data.begin(), e.data.end());
    }
    size_t directoryStart = archive.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        const RawEntry& e = entries[i];
        Put32(archive, 0x02014B50);
        Put16(archive, 0x0317);
        Put16(archive, 20);
        Put16(archive, e.flags);
        Put16(archive, e.method);
        Put32(archive, e.dosTime);
        Put32(archive, e.crc);
        Put32(archive, e.compressedSize);
        Put32(archive, e.uncompressedSize);
        Put16(archive, uint32_t(e.name.size()));
        Put16(archive, 0);
        Put16(archive, 0);
        Put16(archive, 0);
        Put16(archive, 0);
        Put32(archive, e.externalAttributes);
        Put32(archive, offsets[i]);
        archive.insert(archive.end(), e.name.begin(), e.name.end());
    }
    size_t directorySize = archive.size() - directoryStart;
    Put32(archive, 0x06054B50);
    Put16(archive, 0);
    Put16(archive, 0);
    Put16(archive, uint32_t(entries.size()));
    Put16(archive, uint32_t(entries.size()));
    Put32(archive, uint32_t(directorySize));
    Put32(archive, uint32_t(directoryStart));
    Put16(archive, 0);
    return archive;
}

std::vector<ListedEntry> ListArchive(const Bytes& archive)
{
    size_t end = archive.size() - 22;
    if (Get32(archive, end) != 0x06054B50)
        throw std::runtime_error("no end record at the end");
    uint16_t count = Get16(archive, end + 10);
    size_t position = Get32(archive, end + 16);
    std::vector<ListedEntry> entries;
    for (uint16_t i = 0; i < count; ++i) {
        if (Get32(archive, position) != 0x02014B50)
            throw std::runtime_error("bad central entry");
        ListedEntry e;
        e.versionMadeBy = Get16(archive, position + 4);
        e.versionNeeded = Get16(archive, position + 6);
        e.flags = Get16(archive, position + 8);
        e.method = Get16(archive, position + 10);
        e.dosTime = Get32(archive, position + 12);
        e.crc = Get32(archive, position + 16);
        e.compressedSize = Get32(archive, position + 20);
        e.uncompressedSize = Get32(archive, position + 24);
        uint16_t nameLength = Get16(archive, position + 28);
        uint16_t extraLength = Get16(archive, position + 30);
        uint16_t commentLength = Get16(archive, position + 32);
        e.externalAttributes = Get32(archive, position + 38);
        e.localHeaderOffset = Get32(archive, position + 42);
        e.name.assign(archive.begin() + long(position + 46), archive.begin() + long(position + 46 + nameLength));
        e.centralExtra.assign(archive.begin() + long(position + 46 + nameLength),
            archive.begin() + long(position + 46 + nameLength + extraLength));
        entries.push_back(e);
        position += 46 + nameLength + extraLength + commentLength;
    }
    return entries;
}

namespace {

class BitReader {
public:
    explicit BitReader(std::span<const uint8_t> data) : m_data(data) { }
    uint32_t Bits(int count)
    {
        uint32_t value = m_buffer;
        while (m_count < count) {
            if (m_position >= m_data.size()) {
                m_overrun = true;
                return 0;
            }
            value |= uint32_t(m_data[m_position++]) << m_count;
            m_count += 8;
        }
        // count is at most 16, so fewer than 8 bits are left over between calls.
        m_buffer = value >> count;
        m_count -= count;
        return value & ((1u << count) - 1);
    }
    void Align()
    {
        m_buffer = 0;
        m_count = 0;
    }
    bool Overrun() const { return m_overrun; }

private:
    std::span<const uint8_t> m_data;
    size_t m_position = 0;
    uint32_t m_buffer = 0;
    int m_count = 0;
    bool m_overrun = false;
};

struct Code {
    std::array<uint16_t, 16> count {};
    std::vector<uint16_t> symbols;
};

Code MakeCode(const uint8_t* lengths, int n)
{
    Code code;
    for (int i = 0; i < n; ++i)
        ++code.count[lengths[i]];
    code.count[0] = 0;
    std::array<uint16_t, 16> offsets {};
    for (int len = 1; len < 15; ++len)
        offsets[size_t(len + 1)] = uint16_t(offsets[size_t(len)] + code.count[size_t(len)]);
    code.symbols.assign(size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        if (lengths[i] != 0)
            code.symbols[offsets[lengths[i]]++] = uint16_t(i);
    }
    return code;
}

int DecodeSymbol(BitReader& in, const Code& code)
{
    int value = 0, first = 0, index = 0;
    for (int len = 1; len <= 15; ++len) {
        value |= int(in.Bits(1));
        int count = code.count[size_t(len)];
        if (value - count < first)
            return code.symbols[size_t(index + (value - first))];
        index += count;
        first += count;
        first <<= 1;
        value <<= 1;
    }
    return -1;
}

constexpr std::array<uint16_t, 29> kLengthBase
    = { 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258 };
constexpr std::array<uint8_t, 29> kLengthExtra
    = { 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0 };
constexpr std::array<uint16_t, 30> kDistanceBase = { 1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257,
    385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577 };
constexpr std::array<uint8_t, 30> kDistanceExtra
    = { 0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13 };

bool DecodeCodedBlock(BitReader& in, const Code& literals, const Code& distances, DeflateBlock& block)
{
    for (;;) {
        int symbol = DecodeSymbol(in, literals);
        if (symbol < 0 || in.Overrun())
            return false;
        if (symbol < 256) {
            block.symbols.push_back({ 0, 0, uint8_t(symbol) });
            continue;
        }
        if (symbol == 256)
            return true;
        symbol -= 257;
        if (symbol >= 29)
            return false;
        DeflateSymbol match;
        match.length = uint16_t(kLengthBase[size_t(symbol)] + in.Bits(kLengthExtra[size_t(symbol)]));
        int distanceSymbol = DecodeSymbol(in, distances);
        if (distanceSymbol < 0 || distanceSymbol >= 30)
            return false;
        match.distance
            = uint16_t(kDistanceBase[size_t(distanceSymbol)] + in.Bits(kDistanceExtra[size_t(distanceSymbol)]));
        block.symbols.push_back(match);
    }
}

} // namespace

std::optional<std::vector<DeflateBlock>> DecodeDeflate(std::span<const uint8_t> stream)
{
    BitReader in(stream);
    std::vector<DeflateBlock> blocks;
    for (;;) {
        DeflateBlock block;
        block.final = in.Bits(1) != 0;
        block.type = int(in.Bits(2));
        if (block.type == 0) {
            in.Align();
            block.storedLength = in.Bits(16);
            if ((in.Bits(16) ^ 0xFFFF) != block.storedLength)
                return std::nullopt;
            for (uint32_t i = 0; i < block.storedLength; ++i)
                block.symbols.push_back({ 0, 0, uint8_t(in.Bits(8)) });
        } else if (block.type == 1) {
            std::array<uint8_t, 288> literalLengths;
            for (int i = 0; i < 288; ++i)
                literalLengths[size_t(i)] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
            std::array<uint8_t, 30> distanceLengths;
            distanceLengths.fill(5);
            if (!DecodeCodedBlock(in, MakeCode(literalLengths.data(), 288), MakeCode(distanceLengths.data(), 30), block))
                return std::nullopt;
        } else if (block.type == 2) {
            int literalCount = int(in.Bits(5)) + 257;
            int distanceCount = int(in.Bits(5)) + 1;
            int lengthCount = int(in.Bits(4)) + 4;
            static constexpr std::array<uint8_t, 19> kOrder
                = { 16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15 };
            std::array<uint8_t, 19> lengthLengths {};
            for (int i = 0; i < lengthCount; ++i)
                lengthLengths[kOrder[size_t(i)]] = uint8_t(in.Bits(3));
            Code lengthCode = MakeCode(lengthLengths.data(), 19);
            std::vector<uint8_t> lengths;
            while (int(lengths.size()) < literalCount + distanceCount) {
                int symbol = DecodeSymbol(in, lengthCode);
                if (symbol < 0 || in.Overrun())
                    return std::nullopt;
                if (symbol < 16) {
                    lengths.push_back(uint8_t(symbol));
                } else if (symbol == 16) {
                    if (lengths.empty())
                        return std::nullopt;
                    lengths.insert(lengths.end(), 3 + in.Bits(2), lengths.back());
                } else if (symbol == 17) {
                    lengths.insert(lengths.end(), 3 + in.Bits(3), 0);
                } else {
                    lengths.insert(lengths.end(), 11 + in.Bits(7), 0);
                }
            }
            if (int(lengths.size()) != literalCount + distanceCount)
                return std::nullopt;
            if (!DecodeCodedBlock(in, MakeCode(lengths.data(), literalCount),
                    MakeCode(lengths.data() + literalCount, distanceCount), block))
                return std::nullopt;
        } else {
            return std::nullopt;
        }
        if (in.Overrun())
            return std::nullopt;
        bool final = block.final;
        blocks.push_back(std::move(block));
        if (final)
            return blocks;
    }
}

} // namespace kelmora::ziptest
