#pragma once
// A file dialog that answers from a script and notes how it was shown.
#include <deque>
#include <string>
#include <vector>

#include "common_dialog.h"

namespace quorvel::test {

class ScriptedDialog final : public CommonDialog {
public:
    std::deque<std::string> answers;  // one name per dialog; "" cancels
    std::vector<std::string> shown;   // "open|save title filter"

    void ShowOpen() override { Show("open "); }
    void ShowSave() override { Show("save "); }

private:
    void Show(const std::string& call)
    {
        shown.push_back(call + DialogTitle + " " + Filter);
        FileName = answers.empty() ? std::string() : answers.front();
        if (!answers.empty()) answers.pop_front();
    }
};

}  // namespace quorvel::test
