#pragma once
// The expressions a user calculated, loaded, saved or copied, newest last,
// kept in a JSON array of strings in the user's state folder. Every entry
// added is written at once, atomically, merged with what other windows
// added meanwhile; the file is read only when the entries are first asked
// for. A file that cannot be read or written (a file where the folder must
// be, a full disk, a corrupt or huge file) is left exactly as it is: the
// history is then kept in memory only, without a word to the user.
#include <string>
#include <vector>

#include <QString>

namespace quorvel {

class History {
public:
    static constexpr int kMaxEntries = 1000;

    // $XDG_STATE_HOME/quorvel/history.json, by default under
    // ~/.local/state; empty when neither variable names a folder.
    static QString DefaultFile();

    // An empty name keeps the history in memory only.
    explicit History(QString file = {});

    // Adds text unless it is empty, longer than an expression may be, or
    // the same as the newest entry.
    void Add(const std::u16string& text);

    // Newest last.
    const std::vector<std::u16string>& Entries();

    // Empties the history and its file.
    void Clear();

private:
    // Reads the file into entries, which a missing file leaves alone; false
    // when it cannot be read.
    bool Read(std::vector<std::u16string>& entries) const;
    bool Write(const std::vector<std::u16string>& entries) const;

    QString file_;  // empty once the file has failed
    bool read_ = false;
    std::vector<std::u16string> entries_;
};

}  // namespace quorvel
