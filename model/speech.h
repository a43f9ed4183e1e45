#pragma once
// What a screen reader hears unasked, decided from what happened and what it
// heard last: everything new once, nothing old again.
#include <string>

#include "row_list.h"
#include "window_model.h"

namespace quorvel {

enum class Happened {
    Paused,      // the typing paused
    Calculated,  // Return or 计算
    Recalled,    // Up or Down brought an expression back
    Loaded,
    FileFailed,  // opening or saving failed; Label1 says why
    Copied,      // Ctrl+C copied the result
};

// The check's message with the token it is about, while the last cycle ended
// in one; otherwise empty. A reader's own keys find it in the window's name
// and the expression box's description.
std::string SpokenMessage(const WindowModel& w);

class Speech {
public:
    // What to announce after what happened, empty for nothing. A pause says
    // nothing when neither the tokens nor the outcome changed since they
    // were last heard; the rest always speak. copied: what Ctrl+C copied.
    std::string After(Happened what, const WindowModel& w, const std::string& copied = {});

private:
    RowList heardTokens_;   // the tokens when the outcome was last heard
    std::string heard_;     // that outcome, as it was said
};

}  // namespace quorvel
