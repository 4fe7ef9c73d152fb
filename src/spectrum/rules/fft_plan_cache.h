#pragma once

// Pure rules (library kv_rules): the standard library, QtCore and FFTW only; no QObject, widget,
// control or window.

#include <complex>
#include <cstddef>
#include <map>
#include <memory>
#include <span>

namespace kv {

// A real-to-complex FFT of one fixed length, planned once, with its own aligned buffers.
// FFTW's planner is not thread safe; the program runs on one thread, so plans are made and
// used there only.
class FftPlan
{
  public:
    explicit FftPlan(std::size_t length);
    ~FftPlan();
    FftPlan(const FftPlan&) = delete;
    FftPlan& operator=(const FftPlan&) = delete;

    std::size_t length() const { return length_; }

    // Transforms a record of length() samples and returns its length() / 2 + 1 bins
    // (unnormalised: bin 0 is the sum of the samples). The span stays valid until the next
    // call on this plan.
    std::span<const std::complex<double>> transform(std::span<const double> record);

  private:
    struct Impl;
    std::size_t length_;
    std::unique_ptr<Impl> impl_;
};

// The plans by length, made on first use and kept for the life of the cache, so each record
// length is planned once. shared() is the program's one cache, used by the measurement
// read-outs and the spectrum window alike.
class FftPlanCache
{
  public:
    // The plan for a length of at least 1; the same object for every call with that length.
    FftPlan& planFor(std::size_t length);
    std::size_t planCount() const { return plans_.size(); }

    static FftPlanCache& shared();

  private:
    std::map<std::size_t, std::unique_ptr<FftPlan>> plans_;
};

} // namespace kv
