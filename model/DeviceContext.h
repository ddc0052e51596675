#pragma once
// The output device of a drawing step, as far as drawing code needs to know it: whether
// it is a printer page (print preview included). The view hands one to the document's
// drawing; embedded objects paint their cached picture through it.

namespace kelmora {

class DeviceContext {
public:
    explicit DeviceContext(bool printing = false) : m_bPrinting(printing) { }
    virtual ~DeviceContext() = default;

    bool IsPrinting() const { return m_bPrinting; }

private:
    bool m_bPrinting;
};

} // namespace kelmora
