#include "app/documents/DocumentCopy.h"

#include "document/DrawDocFile.h"
#include "platform/base/FileReplace.h"
#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"

#include <exception>
#include <optional>

namespace kelmora {

bool WriteDocumentCopy(CDrawDoc& document, const std::filesystem::path& path)
{
    const std::string entryName = path.filename().string();
    if (entryName.empty())
        return false;
    try {
        const std::vector<uint8_t> compound = BuildDocumentCompoundFile(document);
        std::optional<TempFile> content = TempFile::Create(NewGuidString());
        if (!content || !WriteFileContents(content->Path(), compound))
            return false;
        std::optional<TempFile> archive = TempFile::Create(ReplacementFolder(path), NewGuidString());
        if (!archive || !PackDocumentArchive(archive->Path(), entryName, content->Path()))
            return false;
        if (!CommitReplacement(archive->Path(), path))
            return false;
        archive->Keep();
        return true;
    } catch (const std::exception&) {
        // A drawing that cannot be stored gives no copy; the document itself is unchanged.
        return false;
    }
}

} // namespace kelmora
