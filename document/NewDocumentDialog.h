#pragma once
// The new-document dialog as the document sees it: shown modally, it yields the title,
// display unit, page size and, optionally, a template to start from.

#include "document/DrawUnit.h"

#include <string>

namespace kelmora {

class NewDocumentDialog {
public:
    // What DoModal returns when the user confirms.
    static constexpr int kOk = 1;
    // m_nCreateMode values.
    static constexpr int kCreateFromTemplate = 0;
    static constexpr int kCreateBlank = 1;

    virtual ~NewDocumentDialog() = default;

    // Shows the dialog; kOk or another code.
    virtual int DoModal() = 0;

    std::string m_strName;          // in: the document's title; out: the new title
    DrawUnit m_nUnit = DrawUnit::Inches;
    int m_nCreateMode = kCreateBlank;
    std::string m_strTemplatePath;  // may be empty
    float m_fWidth = 0.0f;          // page size in inches
    float m_fHeight = 0.0f;
};

} // namespace kelmora
