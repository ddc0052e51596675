#include "platform/ui/RibbonEdit.h"

#include <algorithm>

namespace kelmora {

RibbonEdit::RibbonEdit(RibbonId id, std::string caption, int width, std::string text)
    : RibbonElement(RibbonElementKind::Edit, id, std::move(caption)), m_width(width), m_text(std::move(text))
{
}

void RibbonEdit::SetSpinRange(double minimum, double maximum, NumberKind kind)
{
    m_number.emplace(minimum, maximum, kind, m_text);
}

const std::string& RibbonEdit::GetText() const
{
    return m_number ? m_number->Text() : m_text;
}

void RibbonEdit::SetText(std::string text)
{
    if (text == GetText())
        return;
    if (m_number)
        m_number->Set(std::move(text));
    else
        m_text = std::move(text);
    Changed();
}

bool RibbonEdit::CommitTyped(const std::string& typed)
{
    if (!m_number) {
        if (typed != m_text) {
            m_text = typed;
            Changed();
        }
        return true;
    }
    const std::string before = m_number->Text();
    const bool taken = m_number->Commit(typed);
    // Either way the edit shows the value it holds now: the normalised number, or the
    // last good one again.
    if (m_number->Text() != before || !taken || typed != m_number->Text())
        Changed();
    return taken;
}

bool RibbonEdit::Step(int steps)
{
    if (!m_number || !m_number->Step(steps))
        return false;
    Changed();
    return true;
}

RibbonComboBox::RibbonComboBox(RibbonId id, std::string caption, int width)
    : RibbonElement(RibbonElementKind::ComboBox, id, std::move(caption)), m_width(width)
{
}

void RibbonComboBox::SetItems(std::vector<std::string> items)
{
    m_items = std::move(items);
    m_selected = -1;
    Changed();
}

void RibbonComboBox::SetSelected(int index)
{
    const int selected = index >= 0 && size_t(index) < m_items.size() ? index : -1;
    if (selected == m_selected)
        return;
    m_selected = selected;
    Changed();
}

bool RibbonComboBox::SelectItem(const std::string& text)
{
    const auto it = std::find(m_items.begin(), m_items.end(), text);
    if (it == m_items.end())
        return false;
    SetSelected(int(it - m_items.begin()));
    return true;
}

std::string RibbonComboBox::GetText() const
{
    return m_selected >= 0 ? m_items[size_t(m_selected)] : std::string();
}

} // namespace kelmora
