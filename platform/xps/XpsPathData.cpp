#include "platform/xps/XpsPathData.h"

#include <charconv>
#include <cmath>

namespace kelmora {

int XpsSegmentDataCount(XpsSegmentType type)
{
    switch (type) {
    case XpsSegmentType::ArcLargeClockwise:
    case XpsSegmentType::ArcLargeCounterClockwise:
    case XpsSegmentType::ArcSmallClockwise:
    case XpsSegmentType::ArcSmallCounterClockwise:
        return 5;
    case XpsSegmentType::Bezier:
        return 6;
    case XpsSegmentType::Line:
        return 2;
    case XpsSegmentType::QuadraticBezier:
        return 4;
    }
    return 0;
}

namespace {

// A number longer than this is refused rather than scanned.
constexpr size_t kMaxNumberLength = 64;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; }

// The length of the number at the start of `text` by the markup's number syntax, or 0.
size_t ScanNumber(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        size_t exponentDigits = 0;
        while (j < text.size() && IsDigit(text[j]))
            ++j, ++exponentDigits;
        if (exponentDigits == 0)
            return 0;
        i = j;
    }
    return i;
}

bool ConvertNumber(std::string_view text, float& value)
{
    if (text.empty() || text.size() > kMaxNumberLength)
        return false;
    // from_chars takes no leading '+'.
    std::string_view digits = text[0] == '+' ? text.substr(1) : text;
    double parsed = 0.0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (error != std::errc() || end != digits.data() + digits.size())
        return false;
    if (!std::isfinite(parsed) || std::fabs(parsed) > 3.0e38)
        return false;
    value = float(parsed);
    return true;
}

class PathParser {
public:
    PathParser(std::string_view text, XpsGeometry& out) : m_text(text), m_out(out) { }

    bool Parse();
    const std::string& Error() const { return m_error; }

private:
    // White space with at most one comma in it.
    void SkipSeparators()
    {
        bool comma = false;
        while (m_pos < m_text.size() && IsSeparator(m_text[m_pos])) {
            if (m_text[m_pos] == ',') {
                if (comma)
                    return;
                comma = true;
            }
            ++m_pos;
        }
    }
    bool AtEnd()
    {
        SkipSeparators();
        return m_pos >= m_text.size();
    }
    // Whether a number follows (after separators).
    bool NumberFollows()
    {
        SkipSeparators();
        return m_pos < m_text.size() && ScanNumber(m_text.substr(m_pos)) > 0;
    }
    bool Fail(const char* message)
    {
        if (m_error.empty())
            m_error = std::string(message) + " at offset " + std::to_string(m_pos);
        return false;
    }
    bool Number(float& value)
    {
        SkipSeparators();
        size_t length = m_pos < m_text.size() ? ScanNumber(m_text.substr(m_pos)) : 0;
        if (length == 0)
            return Fail("number expected");
        if (!ConvertNumber(m_text.substr(m_pos, length), value))
            return Fail("number out of range");
        m_pos += length;
        return true;
    }
    bool Point(PointF& point, bool relative)
    {
        float x = 0, y = 0;
        if (!Number(x) || !Number(y))
            return false;
        point = relative ? PointF(m_current.X + x, m_current.Y + y) : PointF(x, y);
        if (!std::isfinite(point.X) || !std::isfinite(point.Y))
            return Fail("coordinate out of range");
        return true;
    }
    // The figure that drawing commands extend; after Z a new one starts at the old start.
    bool Figure(XpsFigure*& figure)
    {
        if (!m_hasFigure)
            return Fail("drawing command before the first move");
        if (m_out.figures.back().closed) {
            XpsFigure next;
            next.start = m_out.figures.back().start;
            m_out.figures.push_back(std::move(next));
        }
        figure = &m_out.figures.back();
        return true;
    }
    bool AddSegment(XpsSegmentType type, std::initializer_list<float> data)
    {
        m_numbers += data.size();
        if (m_numbers > kMaxXpsPathNumbers)
            return Fail("too much path data");
        XpsFigure* figure = nullptr;
        if (!Figure(figure))
            return false;
        figure->segmentTypes.push_back(type);
        figure->segmentStrokes.push_back(true);
        figure->segmentData.insert(figure->segmentData.end(), data);
        return true;
    }
    bool Command(char letter);

    std::string_view m_text;
    XpsGeometry& m_out;
    size_t m_pos = 0;
    size_t m_numbers = 0;
    std::string m_error;
    bool m_hasFigure = false;
    PointF m_current;
    PointF m_lastControl;      // the second control of the last cubic segment
    bool m_lastWasCubic = false;
};

bool PathParser::Parse()
{
    SkipSeparators();
    if (m_pos < m_text.size() && m_text[m_pos] == 'F') {
        ++m_pos;
        SkipSeparators();
        if (m_pos < m_text.size() && (m_text[m_pos] == '0' || m_text[m_pos] == '1')) {
            m_out.fillRule = m_text[m_pos] == '1' ? XpsFillRule::NonZero : XpsFillRule::EvenOdd;
            ++m_pos;
        } else {
            return Fail("fill rule must be 0 or 1");
        }
    }
    char command = 0;
    while (!AtEnd()) {
        char c = m_text[m_pos];
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            command = c;
            ++m_pos;
        } else if (command == 0 || command == 'Z' || command == 'z' || !NumberFollows()) {
            return Fail("command expected");
        }
        // Repeated pairs after a move are lines of the same kind (absolute or relative).
        char current = command;
        if (!Command(current))
            return false;
        if (command == 'M')
            command = 'L';
        else if (command == 'm')
            command = 'l';
    }
    return true;
}

bool PathParser::Command(char letter)
{
    bool relative = letter >= 'a' && letter <= 'z';
    char upper = relative ? char(letter - 'a' + 'A') : letter;
    bool cubic = false;
    switch (upper) {
    case 'M': {
        PointF p;
        if (!Point(p, relative))
            return false;
        if (m_out.figures.size() >= kMaxXpsPathNumbers / 2)
            return Fail("too many figures");
        XpsFigure figure;
        figure.start = p;
        m_out.figures.push_back(std::move(figure));
        m_hasFigure = true;
        m_current = p;
        break;
    }
    case 'L': {
        PointF p;
        if (!Point(p, relative) || !AddSegment(XpsSegmentType::Line, { p.X, p.Y }))
            return false;
        m_current = p;
        break;
    }
    case 'H':
    case 'V': {
        float v = 0;
        if (!Number(v))
            return false;
        PointF p = m_current;
        float& axis = upper == 'H' ? p.X : p.Y;
        axis = relative ? axis + v : v;
        if (!std::isfinite(axis))
            return Fail("coordinate out of range");
        if (!AddSegment(XpsSegmentType::Line, { p.X, p.Y }))
            return false;
        m_current = p;
        break;
    }
    case 'C':
    case 'S': {
        PointF c1, c2, end;
        if (upper == 'C') {
            if (!Point(c1, relative))
                return false;
        } else {
            // The reflection of the last cubic's second control, or the current point.
            c1 = m_lastWasCubic ? PointF(2 * m_current.X - m_lastControl.X, 2 * m_current.Y - m_lastControl.Y)
                                : m_current;
        }
        if (!Point(c2, relative) || !Point(end, relative))
            return false;
        if (!AddSegment(XpsSegmentType::Bezier, { c1.X, c1.Y, c2.X, c2.Y, end.X, end.Y }))
            return false;
        m_lastControl = c2;
        m_current = end;
        cubic = true;
        break;
    }
    case 'Q': {
        PointF control, end;
        if (!Point(control, relative) || !Point(end, relative))
            return false;
        if (!AddSegment(XpsSegmentType::QuadraticBezier, { control.X, control.Y, end.X, end.Y }))
            return false;
        m_current = end;
        break;
    }
    case 'A': {
        float rx = 0, ry = 0, rotation = 0, large = 0, sweep = 0;
        PointF end;
        if (!Number(rx) || !Number(ry) || !Number(rotation) || !Number(large) || !Number(sweep))
            return false;
        if ((large != 0 && large != 1) || (sweep != 0 && sweep != 1))
            return Fail("arc flags must be 0 or 1");
        if (!Point(end, relative))
            return false;
        // The sweep flag 1 runs in the positive angle direction, clockwise on the page.
        XpsSegmentType type = large != 0 ? (sweep != 0 ? XpsSegmentType::ArcLargeClockwise
                                                       : XpsSegmentType::ArcLargeCounterClockwise)
                                         : (sweep != 0 ? XpsSegmentType::ArcSmallClockwise
                                                       : XpsSegmentType::ArcSmallCounterClockwise);
        if (!AddSegment(type, { end.X, end.Y, std::fabs(rx), std::fabs(ry), rotation }))
            return false;
        m_current = end;
        break;
    }
    case 'Z': {
        if (!m_hasFigure)
            return Fail("close before the first move");
        m_out.figures.back().closed = true;
        m_current = m_out.figures.back().start;
        break;
    }
    default:
        return Fail("unknown command");
    }
    m_lastWasCubic = cubic;
    return true;
}

} // namespace

bool ParseXpsNumber(std::string_view text, float& value)
{
    size_t length = ScanNumber(text);
    return length != 0 && length == text.size() && ConvertNumber(text, value);
}

bool ParseXpsPathData(std::string_view text, XpsGeometry& out, std::string* error)
{
    out = XpsGeometry();
    PathParser parser(text, out);
    if (parser.Parse())
        return true;
    if (error)
        *error = parser.Error();
    out = XpsGeometry();
    return false;
}

} // namespace kelmora
