#pragma once
// The value of a ribbon edit box that takes numbers within a range. Typed text is read as
// every edit box reads it (ParseNumberText: a point whatever the desktop's locale); text
// that is not such a number, or one outside the range, is refused and the last good text
// stays. Plain data.

#include "platform/base/NumberText.h"

#include <optional>
#include <string>
#include <string_view>

namespace kelmora {

class NumericEditValue {
public:
    NumericEditValue(double minimum, double maximum, NumberKind kind, std::string initial);

    const std::string& Text() const { return m_text; }
    double Minimum() const { return m_minimum; }
    double Maximum() const { return m_maximum; }

    // The number the text stands for when it is one within the range; blanks around it
    // are allowed.
    std::optional<double> Parse(std::string_view text) const;

    // Takes typed text: a good number becomes the text, written in its plain form ("7"
    // for "007", "10.5" for "10.50"); anything else is refused. Whether it was taken.
    bool Commit(std::string_view typed);
    // Shows a value the program sets, as it stands.
    void Set(std::string text) { m_text = std::move(text); }
    // Moves the value by `steps` whole units, held within the range; a text that is no
    // number starts from the minimum. Whether the text changed.
    bool Step(int steps);

private:
    std::string Format(double value) const;

    double m_minimum;
    double m_maximum;
    NumberKind m_kind;
    std::string m_text;
};

} // namespace kelmora
