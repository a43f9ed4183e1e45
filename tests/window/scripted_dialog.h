#pragma once
// A file dialog that answers from a script and remembers how it was shown.
#include <deque>
#include <string>
#include <vector>

#include "common_dialog.h"

namespace quorvel::test {

class ScriptedDialog final : public CommonDialog {
public:
    struct Shown {
        std::string call;  // "ShowOpen" or "ShowSave"
        std::string title;
        bool cancelError;
        std::string filter;
    };

    std::deque<std::string> answers;  // one name per dialog; "" cancels
    std::vector<Shown> shown;

    void ShowOpen() override { Show("ShowOpen"); }
    void ShowSave() override { Show("ShowSave"); }

private:
    void Show(const char* call)
    {
        shown.push_back({call, DialogTitle, CancelError, Filter});
        FileName = answers.empty() ? std::string() : answers.front();
        if (!answers.empty()) answers.pop_front();
    }
};

}  // namespace quorvel::test
