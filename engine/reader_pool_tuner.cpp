#include "engine/reader_pool_tuner.h"

#include <algorithm>

namespace {

// A doubling must buy at least this much of what the pool could read, and
// raise what it did read by the second; less is noise or a saturated disk.
constexpr double kGainToGrow = 1.1;
constexpr double kDoneGainToGrow = 1.05;
// Half the readers may lose this much of what they read and still be enough.
constexpr double kLossToShrink = 0.9;
// The judge waited this share of an epoch: the readers are what holds it up.
constexpr double kStarved = 0.25;
// A doubling that bought this much had readers to spare: the next step is larger.
constexpr double kGainToLeap = 1.6;
// A probe that takes this long waits on a network, not on a local disk.
constexpr double kSlowProbeSeconds = 0.001;

}  // namespace

ReaderPoolTuner::ReaderPoolTuner(ReaderPoolLimits limits)
    : m_limits{std::max(1, limits.start), std::max(std::max(1, limits.start), limits.most)},
      m_readers(m_limits.start),
      m_ceiling(m_limits.most + 1) {}

int ReaderPoolTuner::Observe(double now, const Counts& counts) {
    if (!m_started) {
        m_started = true;
        m_epochStart = now;
        m_epoch = counts;
        return m_readers;
    }
    const double elapsed = now - m_epochStart;
    const int64_t done = counts.probes - m_epoch.probes;
    const double busy = counts.probeSeconds - m_epoch.probeSeconds;
    if (elapsed < kEpochSeconds || done < kEpochRows || busy <= 0) return m_readers;
    const double starved = (counts.waited - m_epoch.waited) / elapsed;
    m_epochStart = now;
    m_epoch = counts;
    if (m_settling) {
        m_settling = false;
    } else {
        Judge({m_readers * static_cast<double>(done) / busy, static_cast<double>(done) / elapsed, starved,
               busy / static_cast<double>(done)});
    }
    return m_readers;
}

void ReaderPoolTuner::Change(int readers, Trial trial) {
    m_trialFrom = m_readers;
    m_readers = readers;
    m_trial = trial;
    m_settling = true;
    m_epochsSinceChange = 0;
}

void ReaderPoolTuner::Judge(const Epoch& epoch) {
    switch (m_trial) {
        case Trial::Grown:
            m_trial = Trial::None;
            m_growth = epoch.capacity >= m_before.capacity * kGainToLeap ? 4 : 2;
            if (epoch.capacity < m_before.capacity * kGainToGrow ||
                epoch.throughput < m_before.throughput * kDoneGainToGrow) {
                m_growth = 2;
                m_ceiling = m_readers;
                Change(m_trialFrom, Trial::None);
            }
            return;
        case Trial::Shrunk:
            m_trial = Trial::None;
            if (epoch.throughput < m_before.throughput * kLossToShrink) {
                // The pool was needed: ask again later, and later each time it is.
                m_shrinkQuiet = std::min(m_shrinkQuiet * 2, 8 * kQuietEpochs);
                Change(m_trialFrom, Trial::None);
            } else {
                m_shrinkQuiet = kQuietEpochs;
                m_ceiling = m_trialFrom;
            }
            return;
        case Trial::None: break;
    }
    if (++m_epochsSinceChange > kQuietEpochs) m_ceiling = m_limits.most + 1;
    int grown = std::min(m_readers * m_growth, m_limits.most);
    if (grown >= m_ceiling) grown = std::min(m_readers * 2, m_limits.most);
    if (m_readers > m_limits.start && m_epochsSinceChange > m_shrinkQuiet) {
        m_before = epoch;
        Change(std::max(m_limits.start, m_readers / 2), Trial::Shrunk);
    } else if (epoch.starved >= kStarved && epoch.probeSeconds >= kSlowProbeSeconds && grown > m_readers &&
               grown < m_ceiling) {
        m_before = epoch;
        Change(grown, Trial::Grown);
    }
}
