#include "spectrum/rules/fft_plan_cache.h"

#include <algorithm>
#include <fftw3.h>
#include <limits>
#include <stdexcept>

namespace kv {

struct FftPlan::Impl
{
    double* input = nullptr;
    fftw_complex* output = nullptr;
    fftw_plan plan = nullptr;
};

FftPlan::FftPlan(std::size_t length) : length_(length), impl_(std::make_unique<Impl>())
{
    if (length == 0 || length > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw std::invalid_argument("FFT length out of range");
    }
    const std::size_t bins = length / 2 + 1;
    impl_->input = fftw_alloc_real(length);
    impl_->output = fftw_alloc_complex(bins);
    if (impl_->input != nullptr && impl_->output != nullptr) {
        // FFTW_ESTIMATE plans without touching the buffers and in microseconds; the lengths
        // used here (512, 750, 1024, 1500) factor into small primes, for which it is fast.
        impl_->plan = fftw_plan_dft_r2c_1d(static_cast<int>(length), impl_->input, impl_->output,
                                           FFTW_ESTIMATE);
    }
    if (impl_->plan == nullptr) {
        if (impl_->input != nullptr) {
            fftw_free(impl_->input);
        }
        if (impl_->output != nullptr) {
            fftw_free(impl_->output);
        }
        throw std::runtime_error("FFT plan could not be made");
    }
}

FftPlan::~FftPlan()
{
    fftw_destroy_plan(impl_->plan);
    fftw_free(impl_->input);
    fftw_free(impl_->output);
}

std::span<const std::complex<double>> FftPlan::transform(std::span<const double> record)
{
    if (record.size() != length_) {
        throw std::invalid_argument("record length differs from the plan's");
    }
    std::copy(record.begin(), record.end(), impl_->input);
    fftw_execute(impl_->plan);
    // fftw_complex is laid out as std::complex<double> (FFTW documents the compatibility).
    return {reinterpret_cast<const std::complex<double>*>(impl_->output), length_ / 2 + 1};
}

FftPlan& FftPlanCache::planFor(std::size_t length)
{
    auto& slot = plans_[length];
    if (!slot) {
        try {
            slot = std::make_unique<FftPlan>(length);
        } catch (...) {
            plans_.erase(length);
            throw;
        }
    }
    return *slot;
}

FftPlanCache& FftPlanCache::shared()
{
    static FftPlanCache cache;
    return cache;
}

} // namespace kv
