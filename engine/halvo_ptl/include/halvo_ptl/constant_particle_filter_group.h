#pragma once
// A chain of at most N filters applied in order.
#include <array>
#include <cstdint>

#include <halvo_ptl/particle_filter.h>

namespace hlv_ptl::ptl_cpu {

template <typename P, std::uint64_t N>
class CConstantParticleFilterGroup : public TBaseParticleFilter<P> {
public:
    static constexpr std::uint64_t kCapacity = N;

    CConstantParticleFilterGroup() = default;
    CConstantParticleFilterGroup(const CConstantParticleFilterGroup&) = delete;
    CConstantParticleFilterGroup& operator=(const CConstantParticleFilterGroup&) = delete;

    ~CConstantParticleFilterGroup() override
    {
        for (std::uint64_t i = 0; i < m_count; ++i)
            if (m_entries[i].owns) delete m_entries[i].filter;
    }

    // Takes the next place for the filter, which the group then owns.
    // PTLR_FILTER_FULL when all N places are taken (nothing changes);
    // PTLR_NULL_PTR for a null filter, whose place stays empty but is used up.
    PTL_RESULT AddFilter(IParticleFilter<P>* filter)
    {
        if (m_count == N) return PTLR_FILTER_FULL;
        Entry& entry = m_entries[m_count++];
        if (filter == nullptr) return PTLR_NULL_PTR;
        entry.filter = filter;
        entry.owns = true;
        return PTLR_OK;
    }

    // Copies in to out (all but the index), then applies the filters in
    // order to out, stopping at the first that fails. Returns the last
    // result: PTLR_FAIL for a group without filters.
    PTL_RESULT Apply(const P& in, P& out) override
    {
        out = in;
        PTL_RESULT result = PTLR_FAIL;
        for (std::uint64_t i = 0; i < m_count; ++i) {
            if (m_entries[i].filter == nullptr) continue;
            result = m_entries[i].filter->Apply(out, out);
            if (result != PTLR_OK) break;
        }
        return result;
    }

    std::uint64_t GetCount() const { return m_count; }
    IParticleFilter<P>* GetFilter(std::uint64_t i) const { return i < m_count ? m_entries[i].filter : nullptr; }

private:
    struct Entry {
        IParticleFilter<P>* filter = nullptr;
        bool owns = false;
    };

    std::array<Entry, N> m_entries{};
    std::uint64_t m_count = 0;
};

}  // namespace hlv_ptl::ptl_cpu
