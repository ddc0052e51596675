#include "platform/storage/StorageWriter.h"

#include "platform/storage/ClassId.h"
#include "platform/storage/GsfSupport.h"
#include "platform/storage/StorageName.h"
#include "platform/storage/StorageReader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelmora {

using gsf_support::Ref;

namespace {

StorageError InvalidName(std::string_view name)
{
    return { StorageErrorCode::InvalidName, "invalid element name \"" + std::string(name) + "\"" };
}

StorageError WriteFailed(const char* what)
{
    return { StorageErrorCode::Io, std::string("cannot build the compound file: ") + what };
}

// What a copy may still read: a sound file never holds more stream bytes than its size.
struct CopyBudget {
    uint64_t bytesLeft;
};

StorageStatus CopyInto(StorageWriter& target, const StorageReader& source, CopyBudget& budget)
{
    if (source.Depth() > StorageWriter::kMaxCopyDepth)
        return StorageError { StorageErrorCode::Corrupt, "storages nested too deeply" };
    target.SetClassId(source.ClassId());
    auto elements = source.Elements();
    if (!elements)
        return elements.Error();
    for (const StorageElement& element : *elements) {
        if (element.kind == StorageElementKind::Storage) {
            auto sub = source.OpenStorage(element.name);
            if (!sub)
                return sub.Error();
            auto created = target.CreateStorage(element.name);
            if (!created)
                return created.Error();
            if (auto status = CopyInto(**created, **sub, budget); !status)
                return status;
        } else {
            if (element.size > budget.bytesLeft)
                return StorageError { StorageErrorCode::Corrupt, "storage holds more data than its file" };
            auto bytes = source.ReadStream(element.name);
            if (!bytes)
                return bytes.Error();
            budget.bytesLeft -= std::min<uint64_t>(budget.bytesLeft, bytes->size());
            if (auto status = target.WriteStream(element.name, *bytes); !status)
                return status;
        }
    }
    return {};
}

} // namespace

// Writes the in-memory tree through libgsf; a friend so it can walk the elements.
struct StorageWriterEmitter {
    // Writes the elements of `node` into the directory `dir` of the output, depth first.
    static bool WriteElements(GsfOutfile* dir, const StorageWriter& node)
    {
        for (const StorageWriter::Element& element : node.m_elements) {
            Ref<GsfOutput> child(gsf_outfile_new_child(dir, element.name.c_str(), element.storage != nullptr));
            if (!child)
                return false;
            bool ok = true;
            if (element.storage) {
                ClassIdBytes clsid = GuidToBytes(element.storage->ClassId());
                gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(child.get()), clsid.data());
                ok = WriteElements(GSF_OUTFILE(child.get()), *element.storage);
            } else if (!element.bytes.empty()) {
                ok = gsf_output_write(child.get(), element.bytes.size(), element.bytes.data());
            }
            ok = gsf_output_close(child.get()) && ok;
            if (!ok)
                return false;
        }
        return true;
    }
};

std::unique_ptr<StorageWriter> StorageWriter::Create(std::filesystem::path path)
{
    std::unique_ptr<StorageWriter> root(new StorageWriter(nullptr));
    root->m_path = std::move(path);
    return root;
}

StorageWriter::~StorageWriter() = default;

StorageWriter::Element* StorageWriter::Find(std::string_view name)
{
    for (Element& element : m_elements) {
        if (StorageNamesEqual(element.name, name))
            return &element;
    }
    return nullptr;
}

const StorageWriter::Element* StorageWriter::Find(std::string_view name) const
{
    return const_cast<StorageWriter*>(this)->Find(name);
}

StorageWriter::Element& StorageWriter::Place(std::string_view name)
{
    if (Element* existing = Find(name)) {
        existing->name = std::string(name);
        existing->bytes.clear();
        existing->storage.reset();
        return *existing;
    }
    return m_elements.emplace_back(Element { std::string(name), {}, nullptr });
}

std::vector<StorageElement> StorageWriter::Elements() const
{
    std::vector<StorageElement> list;
    list.reserve(m_elements.size());
    for (const Element& element : m_elements) {
        if (element.storage)
            list.push_back({ element.name, StorageElementKind::Storage, 0 });
        else
            list.push_back({ element.name, StorageElementKind::Stream, element.bytes.size() });
    }
    return list;
}

StorageResult<StorageWriter*> StorageWriter::CreateStorage(std::string_view name)
{
    if (!IsValidStorageName(name))
        return InvalidName(name);
    Element& element = Place(name);
    element.storage.reset(new StorageWriter(this));
    return element.storage.get();
}

StorageResult<StorageWriter*> StorageWriter::OpenStorage(std::string_view name)
{
    Element* element = Find(name);
    if (!element || !element->storage)
        return StorageError { StorageErrorCode::NotFound, "no storage named \"" + std::string(name) + "\"" };
    return element->storage.get();
}

StorageStatus StorageWriter::WriteStream(std::string_view name, std::span<const uint8_t> bytes)
{
    if (!IsValidStorageName(name))
        return InvalidName(name);
    Element& element = Place(name);
    element.bytes.assign(bytes.begin(), bytes.end());
    return {};
}

StorageStatus StorageWriter::AdoptStream(std::string_view name, std::vector<uint8_t>&& bytes)
{
    if (!IsValidStorageName(name))
        return InvalidName(name);
    Place(name).bytes = std::move(bytes);
    return {};
}

StorageResult<std::span<const uint8_t>> StorageWriter::ReadStream(std::string_view name) const
{
    const Element* element = Find(name);
    if (!element || element->storage)
        return StorageError { StorageErrorCode::NotFound, "no stream named \"" + std::string(name) + "\"" };
    return std::span<const uint8_t>(element->bytes);
}

StorageStatus StorageWriter::CopyStorage(const StorageReader& source, std::string_view name)
{
    if (!IsValidStorageName(name))
        return InvalidName(name);
    // Build the copy on the side so that a damaged source adds nothing.
    std::unique_ptr<StorageWriter> copy(new StorageWriter(this));
    CopyBudget budget { source.FileSize() };
    if (auto status = CopyInto(*copy, source, budget); !status)
        return status;
    Place(name).storage = std::move(copy);
    return {};
}

StorageStatus StorageWriter::WriteTo(GsfOutput* sink) const
{
    Ref<GsfOutfile> root(gsf_outfile_msole_new(sink));
    if (!root)
        return WriteFailed("cannot start the compound file");
    ClassIdBytes clsid = GuidToBytes(m_classId);
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root.get()), clsid.data());
    bool ok = StorageWriterEmitter::WriteElements(root.get(), *this);
    ok = gsf_output_close(GSF_OUTPUT(root.get())) && ok;
    if (!ok)
        return WriteFailed("the writer refused an element");
    return {};
}

StorageResult<std::vector<uint8_t>> StorageWriter::ToBytes() const
{
    if (!IsRoot())
        return StorageError { StorageErrorCode::Io, "only a root storage can be written as a file" };
    gsf_support::EnsureInitialised();
    Ref<GsfOutput> sink(gsf_output_memory_new());
    if (!sink)
        return WriteFailed("out of memory");
    if (StorageStatus written = WriteTo(sink.get()); !written)
        return written.Error();
    if (!gsf_output_is_closed(sink.get()))
        gsf_output_close(sink.get());
    const guint8* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    gsf_off_t size = gsf_output_size(sink.get());
    if (!data || size <= 0)
        return WriteFailed("no output");
    return std::vector<uint8_t>(data, data + size);
}

StorageStatus StorageWriter::Commit()
{
    if (!IsRoot())
        return {};
    if (m_path.empty())
        return StorageError { StorageErrorCode::Io, "no file to write to" };
    gsf_support::EnsureInitialised();
    auto fail = [this](const char* what, int error) {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
        return StorageError { StorageErrorCode::Io,
            std::string(what) + " \"" + m_path.string() + "\": " + std::strerror(error) };
    };
    // The compound file goes straight to the file as it is made, so that a large stream
    // is not held a second time as the bytes of the whole file.
    std::FILE* file = std::fopen(m_path.c_str(), "wbe");
    if (!file)
        return StorageError { StorageErrorCode::Io,
            "cannot create \"" + m_path.string() + "\": " + std::strerror(errno) };
    StorageStatus written;
    {
        Ref<GsfOutput> sink(gsf_output_stdio_new_FILE(m_path.c_str(), file, TRUE));
        if (!sink) {
            std::fclose(file);
            return fail("cannot write", ENOMEM);
        }
        errno = 0;
        written = WriteTo(sink.get());
        if (!gsf_output_is_closed(sink.get()))
            gsf_output_close(sink.get());
    }
    const int writeError = errno ? errno : EIO;
    const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
    const int flushError = errno ? errno : EIO;
    const bool closed = std::fclose(file) == 0;
    if (!written)
        return fail("cannot write", writeError);
    if (!flushed)
        return fail("cannot write", flushError);
    if (!closed)
        return fail("cannot finish writing", errno);
    return {};
}

} // namespace kelmora
