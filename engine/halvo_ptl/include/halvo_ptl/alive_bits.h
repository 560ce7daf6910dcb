#pragma once
// One bit per particle slot of a limited system, packed into 32-bit words
// (bit i lives in word i / 32 at position i % 32); set = alive.
//
// Neighbouring slots are handled by different workers, so single bits are
// set, cleared and read with atomic operations on their word. Resizing is
// serial.
#include <atomic>
#include <bit>
#include <cstdint>
#include <vector>

namespace hlv_ptl {

class CAliveBits {
public:
    using word_type = std::uint32_t;
    static constexpr std::uint64_t kWordBits = 32;

    void Reserve(std::uint64_t bits) { m_words.reserve(WordsFor(bits)); }

    // Makes room for exactly `bits` bits. New bits are clear, and so is every
    // bit at or beyond the new size: bits dropped by a shrink never come back
    // as alive when the set grows again.
    void Resize(std::uint64_t bits)
    {
        m_words.resize(WordsFor(bits), 0u);
        const std::uint64_t used = bits % kWordBits;
        if (used != 0) m_words.back() &= (word_type(1) << used) - 1u;
        m_size = bits;
    }

    std::uint64_t Size() const { return m_size; }

    // Bits beyond the size read as clear and are not written.
    bool Test(std::uint64_t i) const { return i < m_size && (Load(m_words[i / kWordBits]) & Mask(i)) != 0; }
    void Set(std::uint64_t i)
    {
        if (i < m_size) Word(i).fetch_or(Mask(i), std::memory_order_relaxed);
    }
    void Reset(std::uint64_t i)
    {
        if (i < m_size) Word(i).fetch_and(~Mask(i), std::memory_order_relaxed);
    }

    // The number of set bits.
    std::uint64_t Count() const
    {
        std::uint64_t count = 0;
        for (std::uint64_t i = 0; i < m_words.size(); ++i)
            count += static_cast<std::uint64_t>(std::popcount(Load(m_words[i])));
        return count;
    }

    const std::vector<word_type>& Words() const { return m_words; }

private:
    static std::uint64_t WordsFor(std::uint64_t bits) { return (bits + kWordBits - 1) / kWordBits; }
    static word_type Mask(std::uint64_t i) { return word_type(1) << (i % kWordBits); }

    std::atomic_ref<word_type> Word(std::uint64_t i) { return std::atomic_ref<word_type>(m_words[i / kWordBits]); }
    // The words are never const objects, so a load through a non-const
    // reference is sound.
    static word_type Load(const word_type& word)
    {
        return std::atomic_ref<word_type>(const_cast<word_type&>(word)).load(std::memory_order_relaxed);
    }

    std::vector<word_type> m_words;
    std::uint64_t m_size = 0;
};

}  // namespace hlv_ptl
