// Whole XPS packages. Input that starts like a zip archive is imported from a file
// through the zip reader; any other input is cut at "\n@@\n" into the package's parts
// (relationships, sequence, document, two pages, a dictionary, an image), which are read
// from memory so that the markup readers get most of the attention.
#include "document/XPSMan.h"
#include "platform/base/TempFile.h"
#include "platform/xps/XpsPackage.h"

#include <cstdint>
#include <fstream>
#include <map>
#include <string>

using namespace kelmora;

namespace {

class MemorySource : public XpsPackageSource {
public:
    std::optional<std::vector<uint8_t>> ReadPart(const std::string& name, size_t maxSize) override
    {
        auto found = parts.find(name);
        if (found == parts.end() || found->second.size() > maxSize)
            return std::nullopt;
        return std::vector<uint8_t>(found->second.begin(), found->second.end());
    }
    std::map<std::string, std::string> parts;
};

const char* const kPartNames[] = { "/_rels/.rels", "/s.fdseq", "/d.fdoc", "/p1.fpage", "/p2.fpage", "/r.dict", "/i.png" };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    if (input.rfind("PK", 0) == 0) {
        std::optional<TempFile> file = TempFile::Create("xps");
        if (!file)
            return 0;
        {
            std::ofstream out(file->Path(), std::ios::binary | std::ios::trunc);
            out.write(input.data(), std::streamsize(input.size()));
        }
        CXPSMan importer;
        importer.Import(file->Path());
        return 0;
    }
    MemorySource source;
    size_t start = 0;
    for (const char* name : kPartNames) {
        size_t end = input.find("\n@@\n", start);
        source.parts[name] = input.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end == std::string::npos)
            break;
        start = end + 4;
    }
    std::unique_ptr<XpsPackage> package = XpsPackage::Open(source);
    if (!package)
        return 0;
    CXPSMan importer;
    importer.ImportPackage(*package);
    return 0;
}
