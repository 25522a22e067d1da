#pragma once

#include <cstring>
#include <string_view>

// Walks a built text piece by piece; each piece must follow byte for byte.
class TextReader final {
public:
    explicit TextReader(std::string_view text)
        : text_(text) {}

    // True if `piece` comes next; reads past it.
    bool Next(std::string_view piece) {
        if (text_.size() - at_ < piece.size() ||
            (!piece.empty() && std::memcmp(text_.data() + at_, piece.data(), piece.size()) != 0)) {
            return false;
        }
        at_ += piece.size();
        return true;
    }

    bool AtEnd() const { return at_ == text_.size(); }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};
