#pragma once
// What the document core does with its summary information (title, author, times and
// counts kept in the file's summary stream). The summary-information module implements it.

namespace kelmora {

class DocumentSummary {
public:
    virtual ~DocumentSummary() = default;

    // Remembers now as the time the document was opened (editing time counts from it).
    virtual void RecordOpenTime() = 0;
    // What a new drawing starts with: created now, one page, the application's name and
    // an empty author.
    virtual void StartNewDrawing() = 0;
};

} // namespace kelmora
