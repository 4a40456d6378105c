// Measures two costs of a driver against their floors, on the same machine and
// platform, interleaved so that both see the same load:
// - the acquisition round trip (Start, report 2, idle again) against two
//   threads handing a token back and forth through a pair of events, the least
//   any cross-thread start-and-report protocol costs;
// - a read of one channel through CRVDEV_GetChannelData against the same table
//   samples converted to double and stored without noise.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <iomanip>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "bench/synthesis_timing.h"
#include "driver/synthesis/reference_tables.h"
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

constexpr int ChannelReads = 2000;

double ChannelRead(const DriverSession& session, std::vector<double>& buffer)
{
    const auto start = Clock::now();
    for (int i = 0; i < ChannelReads; ++i) {
        if (session.Api().GetChannelData(0, buffer.data()) <= 0) {
            throw std::runtime_error("CRVDEV_GetChannelData refused the read");
        }
    }
    return NanosecondsPer(Clock::now() - start, ChannelReads);
}

// The floor of a read: channel 0's table of the default spectrum type, no
// baseline offset, into the same buffer.
double ChannelFloor(std::int32_t points, std::vector<double>& buffer)
{
    void (*volatile floorCall)(const std::uint32_t*, std::int32_t, std::int32_t, double*) = bench::SynthesisFloor;
    const std::uint32_t* table = spectra::SelectReferenceTable(spectra::SpecBandwidthLimited, 0);
    const auto start = Clock::now();
    for (int i = 0; i < ChannelReads; ++i) {
        floorCall(table, points, 0, buffer.data());
    }
    return NanosecondsPer(Clock::now() - start, ChannelReads);
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
    const std::int32_t points = session.Info().ChannelSizes[0];
    std::vector<double> buffer(static_cast<std::size_t>(points));
    std::vector<double> pingPong, roundTrip, read, readFloor;
    for (int r = 0; r < Repeats; ++r) {
        pingPong.push_back(EventPingPong(options.count));
        roundTrip.push_back(AcquisitionRoundTrip(session, recorder, options.count));
        read.push_back(ChannelRead(session, buffer));
        readFloor.push_back(ChannelFloor(points, buffer));
    }
    const double pingPongNs = Median(pingPong);
    const double roundTripNs = Median(roundTrip);
    const double readNs = Median(read);
    const double readFloorNs = Median(readFloor);
    std::cout << std::fixed << std::setprecision(0)                                           //
              << "event ping-pong:        " << pingPongNs << " ns per round trip\n"          //
              << "acquisition round trip: " << roundTripNs << " ns (start, report 2, idle)\n"  //
              << std::setprecision(2) << "  ratio:                " << roundTripNs / pingPongNs << '\n'
              << std::setprecision(0) << "channel read floor:     " << readFloorNs << " ns (" << points
              << " table samples to double)\n"
              << "channel read:           " << readNs << " ns (CRVDEV_GetChannelData)\n"
              << std::setprecision(2) << "  ratio:                " << readNs / readFloorNs << '\n';
    return 0;
}

}  // namespace crvhost
