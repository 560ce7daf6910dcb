#pragma once
// Random edits of a file's bytes for the loaders' mutation runs.
#include <cstddef>
#include <random>
#include <string>
#include <string_view>

namespace hlv_io_test {

// A uniformly drawn number from 0 to n - 1.
inline std::size_t Pick(std::mt19937& random, std::size_t n)
{
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
}

// 1 to `maxEdits` edits of `bytes`, each at a random place: a cut, a byte
// overwritten with any value or with one of `interesting`, a run deleted, a
// run copied elsewhere, or the format's own edit, `own(out, at)`.
template <class OwnEdit>
std::string MutateBytes(const std::string& bytes, std::mt19937& random, std::string_view interesting,
                        std::size_t maxEdits, OwnEdit&& own)
{
    std::string out = bytes;
    const std::size_t edits = 1 + Pick(random, maxEdits);
    for (std::size_t e = 0; e < edits && !out.empty(); ++e) {
        const std::size_t at = Pick(random, out.size());
        switch (Pick(random, 6)) {
        case 0: out.resize(at); break;
        case 1: out[at] = static_cast<char>(Pick(random, 256)); break;
        case 2: out[at] = interesting[Pick(random, interesting.size())]; break;
        case 3: out.erase(at, 1 + Pick(random, 16)); break;
        case 4: out.insert(Pick(random, out.size()), out.substr(at, 1 + Pick(random, 40))); break;
        default: own(out, at); break;
        }
    }
    return out;
}

}  // namespace hlv_io_test
