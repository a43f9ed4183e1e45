#pragma once
// Fuzz inputs as a flags byte and fields: 0xFF ends a field, 0xFF 0xFF is a
// 0xFF byte of the field. Seeds stay readable and mutations stay local.
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvel::fuzz {

class Fields {
public:
    Fields(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    bool AtEnd() const { return pos_ >= size_; }

    std::string Next()
    {
        std::string out;
        while (pos_ < size_) {
            const std::uint8_t b = data_[pos_++];
            if (b != 0xFF) {
                out.push_back(static_cast<char>(b));
                continue;
            }
            if (pos_ < size_ && data_[pos_] == 0xFF) {
                out.push_back(static_cast<char>(0xFF));
                ++pos_;
                continue;
            }
            break;
        }
        return out;
    }

    // The rest of the input, unescaped.
    std::string Rest()
    {
        std::string out(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Byte pairs as little-endian UTF-16 code units; an odd last byte is dropped.
inline std::u16string CodeUnits(const std::string& bytes)
{
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t k = 0; k + 1 < bytes.size(); k += 2) {
        const auto lo = static_cast<unsigned char>(bytes[k]);
        const auto hi = static_cast<unsigned char>(bytes[k + 1]);
        out.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return out;
}

}  // namespace quorvel::fuzz
