#pragma once
// Times our operation and its hand-written baseline once per iteration, in the same run, and
// reports our time with both averages and their ratio as counters.
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>

namespace bench {

inline double secondsOf(const std::function<void()>& action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class Comparison {
public:
    explicit Comparison(benchmark::State& state) : state_(state) {}
    Comparison(const Comparison&) = delete;
    Comparison& operator=(const Comparison&) = delete;

    void run(const std::function<void()>& ours, const std::function<void()>& baseline)
    {
        const double o = secondsOf(ours);
        const double b = secondsOf(baseline);
        oursTotal_ += o;
        baselineTotal_ += b;
        state_.SetIterationTime(o);
    }
    ~Comparison()
    {
        const double n = double(state_.iterations());
        state_.counters["ours_ms"] = 1000.0 * oursTotal_ / n;
        state_.counters["sql_ms"] = 1000.0 * baselineTotal_ / n;
        state_.counters["ratio"] = baselineTotal_ > 0 ? oursTotal_ / baselineTotal_ : 0.0;
    }

private:
    benchmark::State& state_;
    double oursTotal_ = 0;
    double baselineTotal_ = 0;
};

} // namespace bench
