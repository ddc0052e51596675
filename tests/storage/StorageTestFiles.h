#pragma once
// A small compound file used by the storage tests, and helpers to compare trees.

#include "platform/storage/StorageReader.h"
#include "platform/storage/StorageWriter.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace kelmora::test {

inline std::vector<uint8_t> Bytes(std::string_view text) { return { text.begin(), text.end() }; }

// Deterministic filler bytes, different per seed.
inline std::vector<uint8_t> Pattern(size_t size, uint8_t seed)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t(seed + i * 7 + (i >> 8));
    return bytes;
}

inline std::string PatternText(size_t size, uint8_t seed)
{
    std::vector<uint8_t> bytes = Pattern(size, seed);
    return std::string(bytes.begin(), bytes.end());
}

inline const Guid kRootClass { 0x00020906, 0x0001, 0x0002, { 0xC0, 0, 0, 0, 0, 0, 0, 0x46 } };
inline const Guid kItemClass { 0xA1B2C3D4, 0x1122, 0x3344, { 1, 2, 3, 4, 5, 6, 7, 8 } };
inline const Guid kInnerClass { 0x0BADF00D, 0xCAFE, 0xBEEF, { 9, 8, 7, 6, 5, 4, 3, 2 } };

// Root with a big stream (past the small-stream limit), a small one, the summary name and
// an embedded item with a nested storage.
inline void FillSample(StorageWriter& root)
{
    root.SetClassId(kRootClass);
    ASSERT_TRUE(root.WriteStream("Contents", Pattern(10000, 1)));
    ASSERT_TRUE(root.WriteStream("\x05SummaryInformation", Pattern(300, 2)));
    ASSERT_TRUE(root.WriteStream("Empty", {}));
    auto item = root.CreateStorage("Item 1");
    ASSERT_TRUE(item);
    (*item)->SetClassId(kItemClass);
    ASSERT_TRUE((*item)->WriteStream("\x01Ole", Pattern(20, 3)));
    ASSERT_TRUE((*item)->WriteStream("CONTENTS", Pattern(5000, 4)));
    auto inner = (*item)->CreateStorage("Inner");
    ASSERT_TRUE(inner);
    (*inner)->SetClassId(kInnerClass);
    ASSERT_TRUE((*inner)->WriteStream("Data", Pattern(700, 5)));
}

inline std::vector<uint8_t> SampleFileBytes()
{
    auto root = StorageWriter::Create("");
    FillSample(*root);
    auto bytes = root->ToBytes();
    EXPECT_TRUE(bytes);
    return bytes ? *bytes : std::vector<uint8_t>();
}

// Everything a storage holds, flattened: "path" -> content for streams, "path/" -> class
// id digits for storages.
inline void Flatten(const StorageReader& storage, const std::string& prefix, std::map<std::string, std::string>& out)
{
    out[prefix + "/"] = FormatGuidDigits(storage.ClassId());
    auto elements = storage.Elements();
    ASSERT_TRUE(elements) << elements.Error().message;
    for (const StorageElement& element : *elements) {
        std::string path = prefix + "/" + element.name;
        if (element.kind == StorageElementKind::Storage) {
            auto sub = storage.OpenStorage(element.name);
            ASSERT_TRUE(sub);
            Flatten(**sub, path, out);
        } else {
            auto bytes = storage.ReadStream(element.name);
            ASSERT_TRUE(bytes) << bytes.Error().message;
            EXPECT_EQ(bytes->size(), element.size);
            out[path] = std::string(bytes->begin(), bytes->end());
        }
    }
}

} // namespace kelmora::test
