#include "speech.h"

#include "texts.h"
#include "tokenizer.h"
#include "utf.h"

namespace quorvel {

std::string SpokenMessage(const WindowModel& w)
{
    if (w.outcome != Outcome::SyntaxMessage) return {};
    std::string said = w.title;
    const std::optional<TokenSpan>& m = w.marked;
    if (m && m->end <= static_cast<int>(w.text1.size()))
        said += texts::kMarkedToken + Utf16ToUtf8(std::u16string_view(w.text1).substr(
                                          static_cast<size_t>(m->start), static_cast<size_t>(m->end - m->start)));
    return said;
}

std::string Speech::After(Happened what, const WindowModel& w, const std::string& copied)
{
    std::string outcome = SpokenMessage(w);
    if (outcome.empty()) outcome = w.label1;
    // Only the tokens count: a space or an ignored character changes nothing
    // the calculation sees. A text too long for them leaves none.
    RowList tokens;
    Tokenize(w.text1, tokens);
    const bool unchanged = tokens == heardTokens_ && outcome == heard_;
    heardTokens_ = std::move(tokens);
    heard_ = outcome;
    switch (what) {
    case Happened::Paused: return unchanged ? std::string() : outcome;
    case Happened::Calculated:
    case Happened::Loaded:
    case Happened::FileFailed: return outcome;
    case Happened::Recalled: return Utf16ToUtf8(w.text1) + ' ' + outcome;
    case Happened::Copied: return texts::kCopied + (' ' + copied);
    }
    return {};
}

}  // namespace quorvel
