// How many readers the read-ahead keeps at work. A local disk is fastest with
// a few dozen; a network share answers each request after milliseconds and
// serves hundreds at once. The tuner climbs: while the judge waits for the
// readers it doubles them and keeps the doubling only if the files a second
// the pool can read rose with it; now and then it tries half as many and
// keeps that if they hold. What the pool can read is the readers over the
// time a probe takes (Little's law): a saturated disk or server answers more
// readers later, a busy processor too, and the estimate stays flat. Readers
// kept idle meanwhile (a full window, a walk behind) make it look better than
// it is, so a growth must also raise the probes actually done a second, and a
// shrink must keep them. Only probes slower than a local disk's make the pool
// grow: on a local disk more than the start never paid (see ordered_probes.h).
// A doubling that nearly doubled it is followed by a quadrupling: a share far
// from its limit is reached in a few steps. Pure: time and counts come in as
// arguments.
#pragma once

#include <cstdint>

struct ReaderPoolLimits {
    int start;  // also the fewest: tuned for a local disk (see ordered_probes.h)
    int most;
};

class ReaderPoolTuner {
public:
    explicit ReaderPoolTuner(ReaderPoolLimits limits);

    // What the judge and the readers counted since the start.
    struct Counts {
        double waited = 0;        // seconds the judge waited for readers
        int64_t probes = 0;       // probes done
        double probeSeconds = 0;  // the seconds they took, all readers together
    };

    // Told by the judge after it took rows, at `now` seconds from any fixed
    // point. Returns the readers wanted from now on.
    int Observe(double now, const Counts& counts);

    int Readers() const { return m_readers; }

    // An epoch is long enough to count a few hundred rows on a share and
    // short enough that a run of a few seconds climbs to the top.
    static constexpr double kEpochSeconds = 0.06;
    static constexpr int64_t kEpochRows = 24;
    // How long a size that proved no faster is not tried again, and how long
    // a grown pool runs before it tries half as many readers.
    static constexpr int kQuietEpochs = 25;

private:
    enum class Trial { None, Grown, Shrunk };

    void Change(int readers, Trial trial);
    // One epoch's figures: files a second the pool could read, files a second
    // it did read, the share of the time the judge waited, the seconds a probe took.
    struct Epoch {
        double capacity;
        double throughput;
        double starved;
        double probeSeconds;
    };
    void Judge(const Epoch& epoch);

    ReaderPoolLimits m_limits;
    int m_readers;
    bool m_started = false;
    double m_epochStart = 0;
    Counts m_epoch;  // the counts when the epoch began
    bool m_settling = false;  // the epoch after a change counts nothing: its probes began under the pool before
    Trial m_trial = Trial::None;
    int m_trialFrom = 0;
    Epoch m_before{};           // the epoch before the trial
    int m_ceiling;              // a size that proved no faster, not tried again for a while
    int m_epochsSinceChange = 0;
    int m_shrinkQuiet = kQuietEpochs;  // epochs before half the readers are tried
    int m_growth = 2;                   // the factor of the next growth
};
