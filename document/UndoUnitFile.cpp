#include "document/UndoUnitFile.h"

#include "platform/archive/FileException.h"
#include "platform/archive/FileStream.h"
#include "platform/archive/MemoryStream.h"
#include "platform/base/TempFile.h"

#include <optional>

namespace kelmora {

std::unique_ptr<CUndoFile> CUndoFile::Create(const std::filesystem::path& folder)
{
    std::optional<TempFile> temp = TempFile::Create(folder.empty() ? TempDirectory() : folder, "undo");
    if (temp) {
        try {
            std::unique_ptr<FileStream> stream = FileStream::Open(temp->Path(), FileOpenMode::ReadWrite);
            // The open stream keeps the bytes; the name goes now, so neither a close nor
            // a crash can leave the file in the folder.
            temp->Remove();
            return std::unique_ptr<CUndoFile>(new CUndoFile(std::move(stream), true));
        } catch (const FileException&) {
            // Fall through to memory; the TempFile removes what it created.
        }
    }
    return std::unique_ptr<CUndoFile>(new CUndoFile(std::make_unique<MemoryStream>(), false));
}

} // namespace kelmora
