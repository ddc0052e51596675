#include "platform/storage/StorageReader.h"

#include "platform/storage/ClassId.h"
#include "platform/storage/GsfSupport.h"
#include "platform/storage/StorageName.h"

#include <algorithm>

namespace kelmora {

using gsf_support::Ref;

namespace {

// Streams are read in pieces of this size, so that a size field that lies about a
// damaged stream never turns into one large allocation.
constexpr size_t kReadChunk = 64 * 1024;

StorageError Corrupt(std::string message) { return { StorageErrorCode::Corrupt, std::move(message) }; }
// A name that is not in a directory the reader found damaged may well have been in its
// damaged part: that is damage, not a missing element.
StorageError NotFound(std::string_view name, const char* what, bool damagedDirectory)
{
    std::string message = std::string("no ") + what + " named \"" + std::string(name) + "\"";
    if (damagedDirectory)
        return Corrupt("its directory is damaged, and " + message + " can be read");
    return { StorageErrorCode::NotFound, std::move(message) };
}

bool IsStorage(GsfInput* child)
{
    return GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0;
}

} // namespace

struct StorageReader::Impl {
    Ref<GsfInfile> infile;
    uint64_t fileSize = 0;
    int depth = 0;
    // The reader left out entries of the directory that it could not trust.
    bool damagedDirectory = false;

    // Index of the element of that name, or -1.
    int IndexOf(std::string_view name) const
    {
        int count = gsf_infile_num_children(infile.get());
        for (int i = 0; i < count; ++i) {
            const char* childName = gsf_infile_name_by_index(infile.get(), i);
            if (childName && StorageNamesEqual(childName, name))
                return i;
        }
        return -1;
    }

    Ref<GsfInput> OpenChild(int index) const
    {
        return Ref<GsfInput>(gsf_infile_child_by_index(infile.get(), index));
    }

    // The listing entry of the element at `index`; nothing when it cannot be opened.
    std::optional<StorageElement> Describe(int index) const
    {
        const char* name = gsf_infile_name_by_index(infile.get(), index);
        Ref<GsfInput> child = OpenChild(index);
        if (!name || !child)
            return std::nullopt;
        StorageElement element { name, StorageElementKind::Stream, 0 };
        if (IsStorage(child.get()))
            element.kind = StorageElementKind::Storage;
        else
            element.size = uint64_t(std::max<gsf_off_t>(0, gsf_input_size(child.get())));
        return element;
    }
};

StorageReader::StorageReader(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) { }
StorageReader::~StorageReader() = default;

// Reads the header and directory of the compound file in `rawSource`, taking over that
// reference.
static StorageResult<std::unique_ptr<StorageReader::Impl>> OpenRoot(GsfInput* rawSource)
{
    Ref<GsfInput> source(rawSource);
    GError* error = nullptr;
    const unsigned reportsBefore = gsf_support::DamageReports();
    GsfInfile* infile = gsf_infile_msole_new(source.get(), &error);
    if (!infile)
        return Corrupt("not a readable compound file: "
            + gsf_support::TakeErrorMessage(error, "unknown error"));
    if (error)
        g_error_free(error);
    auto impl = std::make_unique<StorageReader::Impl>();
    impl->infile = Ref<GsfInfile>(infile);
    impl->fileSize = uint64_t(std::max<gsf_off_t>(0, gsf_input_size(source.get())));
    impl->damagedDirectory = gsf_support::DamageReports() != reportsBefore;
    return impl;
}

StorageResult<std::unique_ptr<StorageReader>> StorageReader::OpenFile(const std::filesystem::path& path)
{
    gsf_support::EnsureInitialised();
    GError* error = nullptr;
    GsfInput* source = gsf_input_stdio_new(path.c_str(), &error);
    if (!source)
        return StorageError { StorageErrorCode::Io, "cannot open \"" + path.string() + "\": "
            + gsf_support::TakeErrorMessage(error, "unknown error") };
    if (error)
        g_error_free(error);
    auto root = OpenRoot(source);
    if (!root)
        return root.Error();
    return std::unique_ptr<StorageReader>(new StorageReader(std::move(*root)));
}

StorageResult<std::unique_ptr<StorageReader>> StorageReader::OpenMemory(std::span<const uint8_t> bytes)
{
    gsf_support::EnsureInitialised();
    if (bytes.empty())
        return Corrupt("not a readable compound file: no data");
    GsfInput* source = gsf_input_memory_new_clone(bytes.data(), gsf_off_t(bytes.size()));
    if (!source)
        return StorageError { StorageErrorCode::Io, "out of memory" };
    auto root = OpenRoot(source);
    if (!root)
        return root.Error();
    return std::unique_ptr<StorageReader>(new StorageReader(std::move(*root)));
}

Guid StorageReader::ClassId() const
{
    uint8_t bytes[16] = {};
    if (GSF_IS_INFILE_MSOLE(m_impl->infile.get())
        && gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(m_impl->infile.get()), bytes))
        return GuidFromBytes(bytes);
    return Guid {};
}

StorageResult<std::vector<StorageElement>> StorageReader::Elements() const
{
    std::vector<StorageElement> elements;
    int count = gsf_infile_num_children(m_impl->infile.get());
    for (int i = 0; i < count; ++i) {
        std::optional<StorageElement> element = m_impl->Describe(i);
        if (!element)
            return Corrupt("element " + std::to_string(i) + " cannot be opened");
        elements.push_back(std::move(*element));
    }
    return elements;
}

std::optional<StorageElement> StorageReader::Find(std::string_view name) const
{
    int index = m_impl->IndexOf(name);
    return index < 0 ? std::nullopt : m_impl->Describe(index);
}

StorageResult<std::unique_ptr<StorageReader>> StorageReader::OpenStorage(std::string_view name) const
{
    int index = m_impl->IndexOf(name);
    if (index < 0)
        return NotFound(name, "storage", m_impl->damagedDirectory);
    Ref<GsfInput> child = m_impl->OpenChild(index);
    if (!child)
        return Corrupt("storage \"" + std::string(name) + "\" cannot be opened");
    if (!IsStorage(child.get()))
        return NotFound(name, "storage", false);
    g_object_ref(child.get());
    auto impl = std::make_unique<Impl>();
    impl->infile = Ref<GsfInfile>(GSF_INFILE(child.get()));
    impl->fileSize = m_impl->fileSize;
    impl->depth = m_impl->depth + 1;
    impl->damagedDirectory = m_impl->damagedDirectory;
    return std::unique_ptr<StorageReader>(new StorageReader(std::move(impl)));
}

StorageResult<std::vector<uint8_t>> StorageReader::ReadStream(std::string_view name) const
{
    int index = m_impl->IndexOf(name);
    if (index < 0)
        return NotFound(name, "stream", m_impl->damagedDirectory);
    Ref<GsfInput> child = m_impl->OpenChild(index);
    if (!child)
        return Corrupt("stream \"" + std::string(name) + "\" cannot be opened");
    if (IsStorage(child.get()))
        return NotFound(name, "stream", false);
    gsf_off_t size = gsf_input_size(child.get());
    if (size < 0 || uint64_t(size) > m_impl->fileSize)
        return Corrupt("stream \"" + std::string(name) + "\" claims more bytes than the file holds");
    std::vector<uint8_t> bytes;
    size_t remaining = size_t(size);
    while (remaining > 0) {
        size_t piece = std::min(remaining, kReadChunk);
        size_t at = bytes.size();
        bytes.resize(at + piece);
        if (!gsf_input_read(child.get(), piece, bytes.data() + at))
            return Corrupt("stream \"" + std::string(name) + "\" is truncated or damaged");
        remaining -= piece;
    }
    return bytes;
}

uint64_t StorageReader::FileSize() const { return m_impl->fileSize; }

int StorageReader::Depth() const { return m_impl->depth; }

} // namespace kelmora
