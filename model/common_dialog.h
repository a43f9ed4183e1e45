#pragma once
// The common file dialog as Command3_Click sees it: a few properties set
// before the dialog is shown, and the chosen name read back afterwards.
// Texts are UTF-8.
#include <string>

namespace quorvel {

class CommonDialog {
public:
    virtual ~CommonDialog() = default;

    std::string DialogTitle;
    std::string Filter;    // in Qt's form: a description, then the patterns in brackets
    std::string FileName;  // the chosen full name; empty when nothing was chosen

    // Modal; afterwards FileName holds the choice, or the empty text after a
    // cancel, whatever it held before.
    virtual void ShowOpen() = 0;
    virtual void ShowSave() = 0;
};

}  // namespace quorvel
