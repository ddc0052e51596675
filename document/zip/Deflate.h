#pragma once
// The deflate compressor of the zip writer: raw deflate streams (RFC 1951, no zlib or
// gzip wrapper) at levels 1 to 8.
//
// Levels 1 to 3 match greedily, 4 to 8 lazily; the level sets how hard the matcher
// searches its hash chains over the 32 KiB dictionary. The chains link strings by their
// first four bytes; three-byte matches come from the latest string with the same three.
// The system compresses at kSystemDeflateLevel. Each block is sent stored, with the
// fixed codes or with its own length-limited Huffman codes, whichever the estimate says
// is smallest.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kelmora {

inline constexpr int kSystemDeflateLevel = 8;

// Where the compressor reads its input.
class DeflateSource {
public:
    virtual ~DeflateSource() = default;
    // Fills the front of `buffer` and returns the count; 0 means the input has ended.
    virtual size_t Read(std::span<uint8_t> buffer) = 0;
};

// Where the compressor writes its output.
class DeflateSink {
public:
    virtual ~DeflateSink() = default;
    // Writes all of `bytes`; false when they could not all be written.
    virtual bool Write(std::span<const uint8_t> bytes) = 0;
};

struct DeflateOutcome {
    uint64_t compressedSize = 0; // bytes handed to the sink
    // Why the compression failed ("bad pack level", "short write", an internal
    // consistency check); null when it succeeded.
    const char* error = nullptr;

    bool Succeeded() const { return error == nullptr; }
};

// The zip general-purpose flag bits that describe a level: 2 for levels 8 and above
// (maximum compression), 4 for levels 1 and 2 (super fast), none otherwise.
uint16_t DeflateLevelFlags(int level);

// Compresses everything `source` gives into one raw deflate stream written to `sink`,
// staging the output in `outputBuffer` (at least 64 bytes; the sink sees it filled and
// flushed). A level outside 1 to 8 fails with "bad pack level" before anything is read.
// The working state (about 440 KiB) is allocated once per call; nothing else is.
DeflateOutcome Deflate(int level, DeflateSource& source, DeflateSink& sink, std::span<uint8_t> outputBuffer);

// Compresses a buffer in memory, appending the stream to `output`.
DeflateOutcome DeflateBytes(int level, std::span<const uint8_t> input, std::vector<uint8_t>& output);

} // namespace kelmora
