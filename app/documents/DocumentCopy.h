#pragma once
// A copy of a drawing written as a document file without touching the document: its
// modified flag, its file name and its summary information stay as they are. Recovery
// copies and mail attachments are written this way. The copy carries no thumbnail.

#include <filesystem>

namespace kelmora {

class CDrawDoc;

// Writes the copy at `path`, replacing a file there only once the copy is complete. False
// on any failure, with nothing left behind.
bool WriteDocumentCopy(CDrawDoc& document, const std::filesystem::path& path);

} // namespace kelmora
