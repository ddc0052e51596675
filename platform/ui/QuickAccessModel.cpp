#include "platform/ui/QuickAccessModel.h"

#include <algorithm>
#include <charconv>

namespace kelmora {

QuickAccessModel::QuickAccessModel(std::vector<QuickAccessEntry> defaults)
    : m_defaults(std::move(defaults)), m_entries(m_defaults)
{
}

std::vector<int> QuickAccessModel::ShownIds() const
{
    std::vector<int> ids;
    for (const QuickAccessEntry& entry : m_entries) {
        if (entry.shown)
            ids.push_back(entry.id);
    }
    return ids;
}

std::vector<QuickAccessEntry>::iterator QuickAccessModel::Find(int id)
{
    return std::find_if(m_entries.begin(), m_entries.end(), [id](const QuickAccessEntry& e) { return e.id == id; });
}

bool QuickAccessModel::Contains(int id) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [id](const QuickAccessEntry& e) { return e.id == id; });
}

bool QuickAccessModel::IsShown(int id) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [id](const QuickAccessEntry& e) { return e.id == id && e.shown; });
}

void QuickAccessModel::Add(int id)
{
    if (auto it = Find(id); it != m_entries.end())
        it->shown = true;
    else
        m_entries.push_back({id, true});
}

void QuickAccessModel::Remove(int id)
{
    if (auto it = Find(id); it != m_entries.end())
        m_entries.erase(it);
}

void QuickAccessModel::SetShown(int id, bool shown)
{
    if (auto it = Find(id); it != m_entries.end())
        it->shown = shown;
}

bool QuickAccessModel::Move(size_t index, int delta)
{
    if (index >= m_entries.size())
        return false;
    const long target = std::clamp(long(index) + delta, 0L, long(m_entries.size()) - 1);
    if (size_t(target) == index)
        return false;
    const QuickAccessEntry entry = m_entries[index];
    m_entries.erase(m_entries.begin() + long(index));
    m_entries.insert(m_entries.begin() + target, entry);
    return true;
}

void QuickAccessModel::Assign(std::vector<QuickAccessEntry> entries)
{
    m_entries.clear();
    for (const QuickAccessEntry& entry : entries) {
        if (!Contains(entry.id))
            m_entries.push_back(entry);
    }
}

std::string QuickAccessModel::Save() const
{
    std::string text;
    for (const QuickAccessEntry& entry : m_entries) {
        if (!text.empty())
            text += ';';
        text += std::to_string(entry.id);
        text += entry.shown ? ":1" : ":0";
    }
    return text;
}

bool QuickAccessModel::Load(std::string_view text, const std::function<bool(int)>& isKnown)
{
    if (text.empty()) {
        m_entries.clear();
        return true;
    }
    std::vector<QuickAccessEntry> loaded;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(';', start), text.size());
        const std::string_view item = text.substr(start, end - start);
        start = end + 1;
        const size_t colon = item.find(':');
        if (colon == std::string_view::npos)
            continue;
        int id = 0;
        int shown = 0;
        const std::string_view idText = item.substr(0, colon);
        const std::string_view shownText = item.substr(colon + 1);
        const auto idParse = std::from_chars(idText.data(), idText.data() + idText.size(), id);
        const auto shownParse = std::from_chars(shownText.data(), shownText.data() + shownText.size(), shown);
        if (idParse.ec != std::errc() || idParse.ptr != idText.data() + idText.size() || shownParse.ec != std::errc()
            || shownParse.ptr != shownText.data() + shownText.size() || (shown != 0 && shown != 1))
            continue;
        if (isKnown && !isKnown(id))
            continue;
        if (std::any_of(loaded.begin(), loaded.end(), [id](const QuickAccessEntry& e) { return e.id == id; }))
            continue;
        loaded.push_back({id, shown == 1});
    }
    if (loaded.empty())
        return false;
    m_entries = std::move(loaded);
    return true;
}

} // namespace kelmora
