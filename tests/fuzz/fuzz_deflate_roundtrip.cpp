// Compresses arbitrary input at every level, with arbitrary read and output-buffer
// sizes, and checks that zlib inflates the stream back to the input exactly and that
// the stream does not depend on how the input was read or the output staged.

#include "document/zip/Deflate.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace kelmora;

namespace {

class ChunkedSource final : public DeflateSource {
public:
    ChunkedSource(const uint8_t* data, size_t size, size_t chunk) : m_data(data), m_size(size), m_chunk(chunk) { }
    size_t Read(std::span<uint8_t> buffer) override
    {
        size_t count = std::min({ buffer.size(), m_size - m_position, m_chunk });
        std::copy_n(m_data + m_position, count, buffer.begin());
        m_position += count;
        return count;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_chunk;
    size_t m_position = 0;
};

class VectorSink final : public DeflateSink {
public:
    bool Write(std::span<const uint8_t> bytes) override
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return true;
    }
    std::vector<uint8_t> m_bytes;
};

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    int level = 1 + data[0] % 8;
    size_t bufferSize = 64 + size_t(data[1]) * 61;
    size_t chunk = 1 + size_t(data[2]) * 257;
    const uint8_t* input = data + 3;
    size_t inputSize = size - 3;

    ChunkedSource source(input, inputSize, chunk);
    VectorSink sink;
    std::vector<uint8_t> buffer(bufferSize);
    DeflateOutcome outcome = Deflate(level, source, sink, buffer);
    if (!outcome.Succeeded())
        Fail(outcome.error);
    if (outcome.compressedSize != sink.m_bytes.size())
        Fail("compressed size miscounted");

    std::vector<uint8_t> whole;
    if (!DeflateBytes(level, std::span(input, inputSize), whole).Succeeded() || whole != sink.m_bytes)
        Fail("the stream depends on how the input was read");

    std::vector<uint8_t> inflated(inputSize + 1);
    z_stream stream {};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        Fail("inflateInit2");
    stream.next_in = sink.m_bytes.data();
    stream.avail_in = uInt(sink.m_bytes.size());
    stream.next_out = inflated.data();
    stream.avail_out = uInt(inflated.size());
    int status = inflate(&stream, Z_FINISH);
    size_t produced = stream.total_out;
    bool allInputUsed = stream.avail_in == 0;
    inflateEnd(&stream);
    if (status != Z_STREAM_END || !allInputUsed)
        Fail("zlib rejects the stream");
    if (produced != inputSize || !std::equal(input, input + inputSize, inflated.begin()))
        Fail("the stream does not give the input back");
    return 0;
}
