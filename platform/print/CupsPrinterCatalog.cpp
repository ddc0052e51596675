#include "platform/print/CupsPrinterCatalog.h"

#include <cups/cups.h>

#include <cstring>
#include <memory>
#include <span>
#include <utility>

namespace kelmora {

namespace {

// The destinations of the print system, freed with their list.
class DestinationList {
public:
    DestinationList() { m_count = cupsGetDests2(CUPS_HTTP_DEFAULT, &m_dests); }
    ~DestinationList() { cupsFreeDests(m_count, m_dests); }
    DestinationList(const DestinationList&) = delete;
    DestinationList& operator=(const DestinationList&) = delete;

    std::span<cups_dest_t> All() const
    {
        return m_dests && m_count > 0 ? std::span<cups_dest_t>(m_dests, size_t(m_count)) : std::span<cups_dest_t>();
    }

private:
    cups_dest_t* m_dests = nullptr;
    int m_count = 0;
};

// "name", or "name/instance" for an instance of a printer: how the print dialogs name it.
std::string NameOf(const cups_dest_t& dest)
{
    std::string name = dest.name ? dest.name : "";
    if (dest.instance && *dest.instance)
        name += std::string("/") + dest.instance;
    return name;
}

// The paper the print system gave; nothing for one without a size.
std::optional<PrinterPaper> PaperOf(const cups_size_t& size)
{
    if (size.width <= 0 || size.length <= 0)
        return std::nullopt;
    return PrinterPaper{std::string(size.media, strnlen(size.media, sizeof size.media)), size.width, size.length};
}

struct DestInfoFree {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};

} // namespace

std::vector<std::string> CupsPrinterCatalog::PrinterNames()
{
    DestinationList list;
    std::vector<std::string> names;
    for (const cups_dest_t& dest : list.All())
        names.push_back(NameOf(dest));
    return names;
}

std::string CupsPrinterCatalog::DefaultPrinterName()
{
    DestinationList list;
    for (const cups_dest_t& dest : list.All()) {
        if (dest.is_default)
            return NameOf(dest);
    }
    return {};
}

std::optional<PrinterPapers> CupsPrinterCatalog::Papers(const std::string& printer)
{
    DestinationList list;
    cups_dest_t* dest = nullptr;
    for (cups_dest_t& candidate : list.All()) {
        if (NameOf(candidate) == printer) {
            dest = &candidate;
            break;
        }
    }
    if (!dest)
        return std::nullopt;
    std::unique_ptr<cups_dinfo_t, DestInfoFree> info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest));
    if (!info)
        return std::nullopt;
    const int count = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info.get(), CUPS_MEDIA_FLAGS_DEFAULT);
    if (count < 0)
        return std::nullopt;

    PrinterPapers result;
    for (int i = 0; i < count; ++i) {
        cups_size_t size{};
        if (cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info.get(), i, CUPS_MEDIA_FLAGS_DEFAULT, &size)) {
            if (std::optional<PrinterPaper> paper = PaperOf(size))
                result.papers.push_back(std::move(*paper));
        }
    }
    cups_size_t size{};
    if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info.get(), CUPS_MEDIA_FLAGS_DEFAULT, &size))
        result.defaultPaper = PaperOf(size);
    return result;
}

} // namespace kelmora
