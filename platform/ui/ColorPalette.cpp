#include "platform/ui/ColorPalette.h"

namespace kelmora {

ColorPaletteModel::ColorPaletteModel(ColorPaletteSpec spec, uint32_t initial) : m_spec(std::move(spec)), m_chosen(initial)
{
}

int ColorPaletteModel::ItemCount() const
{
    int count = 1;
    for (const ColorGroup& group : m_spec.groups)
        count += int(group.colors.size());
    return count;
}

std::optional<NamedColor> ColorPaletteModel::Item(int index) const
{
    if (index < 0)
        return std::nullopt;
    if (index == 0)
        return NamedColor{m_spec.automaticColor, m_spec.automaticLabel};
    int rest = index - 1;
    for (const ColorGroup& group : m_spec.groups) {
        if (rest < int(group.colors.size()))
            return group.colors[size_t(rest)];
        rest -= int(group.colors.size());
    }
    return std::nullopt;
}

int ColorPaletteModel::ChosenItem() const
{
    if (m_chosen == kAutomaticColor)
        return 0;
    const int count = ItemCount();
    for (int i = 1; i < count; ++i) {
        if (Item(i)->color == m_chosen)
            return i;
    }
    return -1;
}

} // namespace kelmora
