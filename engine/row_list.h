#pragma once
// A list of text rows as the window's list controls hold them: the token
// list, the name list and the value list all share these semantics.
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

class RowList {
public:
    int Count() const { return static_cast<int>(rows_.size()); }
    // A row at or past the end (or before the start) reads as the empty text.
    const std::string& Read(int i) const
    {
        return i >= 0 && i < Count() ? rows_[static_cast<size_t>(i)] : Empty();
    }
    // Writing the row whose number equals the count appends; writing further
    // out is a programming error and throws std::out_of_range.
    void Write(int i, std::string text)
    {
        if (i >= 0 && i < Count()) rows_[static_cast<size_t>(i)] = std::move(text);
        else WriteAtEnd(i, std::move(text));
    }
    void Remove(int i);
    void Append(std::string text) { rows_.push_back(std::move(text)); }
    // A row of one character, made in place, so that the tokenizer's
    // common case calls no memcpy.
    void AppendCharacter(char c) { rows_.emplace_back(1, c); }
    void Clear() { rows_.clear(); }
    void Reserve(int n) { rows_.reserve(static_cast<size_t>(n)); }

    const std::vector<std::string>& Rows() const { return rows_; }

    bool operator==(const RowList&) const = default;

private:
    static const std::string& Empty();
    void WriteAtEnd(int i, std::string text);
    std::vector<std::string> rows_;
};

// Largest row index and count the 16-bit list controls can address.
inline constexpr int kMaxRows = 32767;

}  // namespace quorvel
