#include "document/zip/ZipResult.h"

namespace kelmora {

std::atomic<ZipResult> g_zipLastResult { ZipResult::Success };
std::atomic<ZipResult> g_unzipLastResult { ZipResult::Success };

const char* ZipResultText(ZipResult result)
{
    switch (result) {
    case ZipResult::Success: return "Success";
    case ZipResult::DuplicateHandleFailed: return "Culdn't duplicate handle";
    case ZipResult::CannotOpenFile: return "Couldn't create/open file";
    case ZipResult::OutOfMemory: return "Failed to allocate memory";
    case ZipResult::WriteFailed: return "Error writing to file";
    case ZipResult::EntryNotFound: return "File not found in the zipfile";
    case ZipResult::MoreData: return "Still more data to unzip";
    case ZipResult::Corrupt: return "Zipfile is corrupt or not a zipfile";
    case ZipResult::ReadFailed: return "Error reading file";
    case ZipResult::EntryTooLarge: return "The file in the zipfile is larger than an extraction writes";
    case ZipResult::NoRoomForEntry: return "Not enough free space for the file in the zipfile";
    case ZipResult::BadArguments: return "Caller: faulty arguments";
    case ZipResult::NotMemoryZip: return "Caller: can only get memory of a memory zipfile";
    case ZipResult::MemoryTooSmall: return "Caller: not enough space allocated for memory zipfile";
    case ZipResult::PreviousError: return "Caller: there was a previous error";
    case ZipResult::AlreadyEnded: return "Caller: additions to the zip have already been ended";
    case ZipResult::SizeChanged: return "Zip-bug: the anticipated size turned out wrong";
    case ZipResult::PartlyUnzipped: return "Caller: the file had already been partially unzipped";
    case ZipResult::WrongHandleKind: return "Caller: mixing creation and opening of zip";
    case ZipResult::NotInitialised: return "Zip-bug: internal initialisation not completed";
    case ZipResult::SeekFailed: return "Zip-bug: trying to seek the unseekable";
    case ZipResult::MindChangeRefused: return "Zip-bug: tried to change mind, but not allowed";
    case ZipResult::FlateFailed: return "Zip-bug: an internal error during flation";
    case ZipResult::ArchiveUnreadable:
    case ZipResult::ArchiveInconsistent:
        break;
    }
    return "unknown zip result code";
}

} // namespace kelmora
