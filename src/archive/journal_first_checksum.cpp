#include "archive/journal_file.h"

#include "archive/little_endian.h"

#include <algorithm>
#include <array>
#include <bit>

// The checksum of the first journals, written by hand before the library's
// xxHash64 took its place. Only read: a journal left by a crash of a build
// that wrote them must still be put back after an update.
namespace tessaro::archive {

namespace {

constexpr std::uint64_t Prime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t Prime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t Prime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t Prime5 = 0x27D4EB2F165667C5ULL;

std::uint64_t load64(const std::uint8_t* p)
{
    return readLittleEndian(std::span(p, 8));
}

class Checksum {
public:
    void add(std::span<const std::uint8_t> bytes)
    {
        m_length += bytes.size();
        std::size_t at = 0;
        if (m_pending > 0) {
            const std::size_t take = std::min(bytes.size(), m_stripe.size() - m_pending);
            std::copy_n(bytes.begin(), take, m_stripe.begin() + static_cast<std::ptrdiff_t>(m_pending));
            m_pending += take;
            at = take;
            if (m_pending < m_stripe.size())
                return;
            stripe(m_stripe.data());
            m_pending = 0;
        }
        // The lanes in locals, so the four multiplications of a stripe overlap.
        std::uint64_t l0 = m_lanes[0], l1 = m_lanes[1], l2 = m_lanes[2], l3 = m_lanes[3];
        const auto round
            = [](std::uint64_t lane, std::uint64_t word) { return std::rotl(lane + word * Prime2, 31) * Prime1; };
        for (; at + m_stripe.size() <= bytes.size(); at += m_stripe.size()) {
            const std::uint8_t* p = bytes.data() + at;
            l0 = round(l0, load64(p));
            l1 = round(l1, load64(p + 8));
            l2 = round(l2, load64(p + 16));
            l3 = round(l3, load64(p + 24));
        }
        m_lanes = {l0, l1, l2, l3};
        std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end(), m_stripe.begin());
        m_pending = bytes.size() - at;
    }

    std::uint64_t value() const
    {
        std::uint64_t h = std::rotl(m_lanes[0], 1) + std::rotl(m_lanes[1], 7) + std::rotl(m_lanes[2], 12)
            + std::rotl(m_lanes[3], 18);
        h ^= m_length * Prime5;
        for (std::size_t i = 0; i < m_pending; ++i)
            h = std::rotl(h ^ (m_stripe[i] * Prime5), 11) * Prime1;
        h ^= h >> 33;
        h *= Prime2;
        h ^= h >> 29;
        h *= Prime3;
        h ^= h >> 32;
        return h;
    }

private:
    void stripe(const std::uint8_t* p)
    {
        for (std::size_t lane = 0; lane < m_lanes.size(); ++lane)
            m_lanes[lane] = std::rotl(m_lanes[lane] + load64(p + 8 * lane) * Prime2, 31) * Prime1;
    }

    std::array<std::uint64_t, 4> m_lanes = {Prime1 + Prime2, Prime2, 0, 0 - Prime1};
    std::array<std::uint8_t, 32> m_stripe {};
    std::size_t m_pending = 0;
    std::uint64_t m_length = 0;
};

} // namespace

std::uint64_t firstJournalChecksum(std::span<const std::uint8_t> bytes)
{
    Checksum sum;
    sum.add(bytes);
    return sum.value();
}

} // namespace tessaro::archive
