#include "platform/listview/ColumnTexts.h"

#include <algorithm>
#include <cstring>

namespace tessaro::listview {
namespace {

// A run of equal texts is found by comparing with the last one; a column whose values keep
// changing stops paying for that comparison after a run of misses, then compares now and then,
// and a hit makes it compare every text again.
constexpr std::uint32_t kMissesBeforeProbing = 16;
constexpr std::uint32_t kProbeEvery = 64;
constexpr std::uint32_t kMissesSaturated = kMissesBeforeProbing * kProbeEvery * 1024;

// Texts further back are found in a table of recent texts by their hash, two per bucket. A short
// list never builds one; a column that shows too few repeats in its first lookups drops its own.
constexpr std::uint32_t kTextsBeforeCache = 1024;
constexpr unsigned kBucketBits = 14;
constexpr std::uint32_t kBucketMask = (std::uint32_t(1) << kBucketBits) - 1;
constexpr std::size_t kWays = 2;
constexpr std::uint32_t kTrialLookups = 65536;
constexpr std::uint32_t kFewestHitsPerLookups = 32; // at least one hit in this many lookups

std::uint32_t hashOf(std::string_view bytes)
{
    constexpr std::uint64_t kSeed = 0x9E3779B97F4A7C15u;
    constexpr std::uint64_t kMultiplier = 0xFF51AFD7ED558CCDu;
    constexpr unsigned kHalf = 32;
    std::uint64_t hash = bytes.size() * kSeed;
    const auto mix = [&](std::uint64_t word) {
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> kHalf;
    };
    std::size_t at = 0;
    for (; at + sizeof(std::uint64_t) <= bytes.size(); at += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, sizeof word);
        mix(word);
    }
    if (at < bytes.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, bytes.size() - at);
        mix(word);
    }
    return static_cast<std::uint32_t>(hash);
}

} // namespace

TextArena::Ref ColumnTexts::add(TextArena& arena, std::string_view bytes)
{
    const bool compare = m_lastMisses < kMissesBeforeProbing || m_lastMisses % kProbeEvery == 0;
    if (compare && m_lastSize == bytes.size() && arena.equals(m_lastRef, bytes)) {
        m_lastMisses = 0;
        m_prefetched = nullptr;
        return m_lastRef;
    }
    m_lastRef = recent(arena, bytes);
    m_lastSize = bytes.size();
    m_lastMisses = std::min(m_lastMisses + 1, kMissesSaturated);
    return m_lastRef;
}

TextArena::Ref ColumnTexts::recent(TextArena& arena, std::string_view bytes)
{
    if (m_recall == Recall::Watching && ++m_stored >= kTextsBeforeCache)
        startCache();
    if (m_recall != Recall::Caching)
        return arena.add(bytes);
    const std::uint32_t hash = hashFor(bytes);
    Way* bucket = m_ways.get() + std::size_t(hash & kBucketMask) * kWays;
    ++m_lookups;
    for (std::size_t way = 0; way < kWays; ++way) {
        if (bucket[way].hash == hash && arena.equals(bucket[way].ref, bytes)) {
            ++m_hits;
            return bucket[way].ref;
        }
    }
    const TextArena::Ref ref = arena.add(bytes);
    if (m_lookups == kTrialLookups && m_hits * kFewestHitsPerLookups < m_lookups) {
        m_ways.reset();
        m_recall = Recall::GivenUp;
        return ref;
    }
    // The newest text takes the first way; the one it pushes aside keeps the second.
    bucket[1] = bucket[0];
    bucket[0] = {hash, ref};
    return ref;
}

void ColumnTexts::prefetch(std::string_view bytes)
{
    if (m_recall != Recall::Caching || bytes.empty())
        return;
    m_prefetched = bytes.data();
    m_prefetchedHash = hashOf(bytes);
    __builtin_prefetch(m_ways.get() + std::size_t(m_prefetchedHash & kBucketMask) * kWays);
}

// The hash prefetch() took serves the one add() that follows it, for the same text.
std::uint32_t ColumnTexts::hashFor(std::string_view bytes)
{
    const bool prefetched = bytes.data() == m_prefetched;
    m_prefetched = nullptr;
    return prefetched ? m_prefetchedHash : hashOf(bytes);
}

void ColumnTexts::startCache()
{
    // calloc: a table this size comes as zeroed pages mapped on first touch. A zero entry never
    // matches, since no text is stored under TextArena::Empty.
    m_ways.reset(static_cast<Way*>(std::calloc((std::size_t(kBucketMask) + 1) * kWays, sizeof(Way))));
    m_recall = m_ways ? Recall::Caching : Recall::GivenUp;
}

} // namespace tessaro::listview
