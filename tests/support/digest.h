#pragma once

#include <cstdint>

namespace signova::testing {

// FNV-1a over 64-bit words: a whole run's numbers pinned in one value.
class Digest {
public:
    void Mix(std::uint64_t word) {
        hash_ ^= word;
        hash_ *= 1099511628211ULL;
    }
    std::uint64_t Value() const { return hash_; }

private:
    std::uint64_t hash_ = 14695981039346656037ULL;
};

} // namespace signova::testing
