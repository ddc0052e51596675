#include "platform/ui/RibbonElement.h"

#include <wx/window.h>

#include <algorithm>
#include <cctype>

namespace kelmora {

RibbonElement::RibbonElement(RibbonElementKind kind, RibbonId id, std::string caption)
    : m_kind(kind), m_id(id), m_caption(std::move(caption))
{
}

RibbonElement::~RibbonElement() = default;

bool CommandEnabled(wxWindow& window, int wxId)
{
    wxUpdateUIEvent event(wxId);
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
    return !event.GetSetEnabled() || event.GetEnabled();
}

std::string StripMnemonics(std::string_view caption)
{
    std::string plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&')
                plain += caption[++i];
            continue;
        }
        plain += caption[i];
    }
    return plain;
}

char MnemonicLetter(std::string_view caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return char(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        ++i;
    }
    return 0;
}

std::string RibbonElement::PlainCaption() const
{
    return StripMnemonics(m_caption);
}

std::string RibbonElement::Title() const
{
    return toolTipTitle.empty() ? PlainCaption() : toolTipTitle;
}

std::string RibbonElement::ToolTip() const
{
    std::string tip = Title();
    if (!description.empty())
        tip += "\n" + description;
    return tip;
}

RibbonElement& RibbonElement::AddSubItem(std::unique_ptr<RibbonElement> item)
{
    RibbonElement& added = *item;
    m_subItems.push_back(std::move(item));
    return added;
}

int RibbonElement::Watch(std::function<void()> onChange)
{
    const int token = m_nextToken++;
    m_watchers.emplace_back(token, std::move(onChange));
    return token;
}

void RibbonElement::Unwatch(int token)
{
    std::erase_if(m_watchers, [token](const auto& watcher) { return watcher.first == token; });
}

void RibbonElement::Changed()
{
    // A watcher may unwatch itself or another while it runs: walk the tokens and call
    // only those still watching.
    std::vector<int> tokens;
    for (const auto& watcher : m_watchers)
        tokens.push_back(watcher.first);
    for (int token : tokens) {
        const auto it = std::find_if(m_watchers.begin(), m_watchers.end(),
                                     [token](const auto& watcher) { return watcher.first == token; });
        if (it != m_watchers.end()) {
            const std::function<void()> onChange = it->second;
            onChange();
        }
    }
}

void RibbonElement::OpenPopup(wxWindow*, const wxRect&, RibbonHost&)
{
}

std::vector<RibbonElement*> RibbonElementSet::All() const
{
    std::vector<RibbonElement*> all;
    for (const auto& element : m_elements) {
        all.push_back(element.get());
        for (const auto& sub : element->SubItems())
            all.push_back(sub.get());
    }
    return all;
}

std::vector<RibbonElement*> RibbonElementSet::FindAll(int id) const
{
    std::vector<RibbonElement*> found;
    if (id < 0)
        return found;
    for (RibbonElement* element : All()) {
        if (element->Id() == id)
            found.push_back(element);
    }
    return found;
}

RibbonElement* RibbonElementSet::Find(int id) const
{
    const std::vector<RibbonElement*> found = FindAll(id);
    return found.empty() ? nullptr : found.front();
}

RibbonElement* RibbonElementSet::FindByWxId(int wxId) const
{
    if (wxId < 0)
        return nullptr;
    for (RibbonElement* element : All()) {
        if (element->WxId() == wxId)
            return element;
    }
    return nullptr;
}

} // namespace kelmora
