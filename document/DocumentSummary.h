#pragma once
// What the document core does with its summary information (title, author, times and
// counts kept in the file's summary stream). The summary-information module implements it.

namespace kelmora {

class StorageReader;
class StorageWriter;

class DocumentSummary {
public:
    virtual ~DocumentSummary() = default;

    // Remembers now as the time the document was opened (editing time counts from it).
    virtual void RecordOpenTime() = 0;
    // What a new drawing starts with: created now, one page, the application's name and
    // an empty author.
    virtual void StartNewDrawing() = 0;
    // What a save records before it writes: saved now, the revision one up, the author as
    // last author, the editing time since the open time added, and the count restarted.
    virtual void RefreshForSave() = 0;
    // The summary stream in a compound file's root storage; false when it cannot be
    // written, or (reading) is missing or unreadable, the values then staying as they were.
    virtual bool WriteToStorage(StorageWriter* root) = 0;
    virtual bool ReadFromStorage(const StorageReader* root) = 0;
};

} // namespace kelmora
