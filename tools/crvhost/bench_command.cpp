// Measures the acquisition round trip (Start, report 2, idle again) against
// its floor on the same machine and platform: two threads handing a token back
// and forth through a pair of events, which is the least any cross-thread
// start-and-report protocol costs.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <iomanip>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "platform/sync.h"
#include "tools/crvhost/commands.h"
#include "tools/crvhost/session.h"

namespace crvhost {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int Repeats = 7;

double NanosecondsPer(Clock::duration elapsed, int count)
{
    return std::chrono::duration<double, std::nano>(elapsed).count() / count;
}

double EventPingPong(int count)
{
    auto ping = platform::Event::Create(platform::Event::Mode::AutoReset);
    auto pong = platform::Event::Create(platform::Event::Mode::AutoReset);
    if (!ping || !pong) {
        throw std::runtime_error("cannot create events");
    }
    std::atomic<bool> quit{false};
    auto partner = platform::Thread::Start([&] {
        for (;;) {
            ping->Wait();
            if (quit.load()) {
                return;
            }
            pong->Set();
        }
    });
    if (!partner) {
        throw std::runtime_error("cannot start a thread");
    }
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        ping->Set();
        pong->Wait();
    }
    const auto elapsed = Clock::now() - start;
    quit.store(true);
    ping->Set();
    return NanosecondsPer(elapsed, count);
}

double AcquisitionRoundTrip(const DriverSession& session, AcquisitionRecorder& recorder, int count)
{
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        session.Acquire(recorder, static_cast<std::uint32_t>(i));
    }
    return NanosecondsPer(Clock::now() - start, count);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int RunBench(const BenchOptions& options)
{
    DriverSession session(options.driver, nullptr, nullptr);
    AcquisitionRecorder recorder;
    std::vector<double> pingPong;
    std::vector<double> roundTrip;
    // Interleaved, so that both see the same machine load.
    for (int r = 0; r < Repeats; ++r) {
        pingPong.push_back(EventPingPong(options.count));
        roundTrip.push_back(AcquisitionRoundTrip(session, recorder, options.count));
    }
    const double floor = Median(pingPong);
    const double acquisition = Median(roundTrip);
    std::cout << std::fixed << std::setprecision(0) << "event ping-pong:        " << floor << " ns per round trip\n"
              << "acquisition round trip: " << acquisition << " ns (start, report 2, idle)\n"
              << std::setprecision(2) << "ratio:                  " << acquisition / floor << '\n';
    return 0;
}

}  // namespace crvhost
