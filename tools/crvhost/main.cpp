// crvhost: a reference host for drivers of the crvdev interface. It loads a
// driver by path, describes and checks it, runs acquisitions and measures them.
#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

#include "tools/crvhost/commands.h"

int main(int argc, char** argv)
{
    CLI::App app{"crvhost - reference host for crvdev drivers"};
    app.require_subcommand(1);
    // Driver paths may start with a slash, also on Windows (Wine maps them).
    app.allow_windows_style_options(false);

    std::string infoDriver;
    auto* info = app.add_subcommand("info", "Describe a driver and check it against the interface");
    info->add_option("DRIVER", infoDriver, "Path of the driver library")->required();

    crvhost::AcquireOptions acquire;
    auto* acquireCmd = app.add_subcommand("acquire", "Run acquisitions and print the reports");
    acquireCmd->add_option("DRIVER", acquire.driver, "Path of the driver library")->required();
    acquireCmd->add_option("--count", acquire.count, "Number of acquisitions")->check(CLI::Range(1, 100000000));
    acquireCmd->add_option("--type", acquire.type, "Spectrum type: 0 bandwidth limited, 1 chirped, "
                                                   "2 spectral calibration, 3 baseline calibration");
    acquireCmd->add_option("--ratio", acquire.ratio, "Signal-to-noise ratio");
    acquireCmd->add_flag("--baseline", acquire.baseline, "Add the channels' baseline offsets");
    acquireCmd->add_option("--points", acquire.points, "Points per channel (stored beside the driver)")
        ->check(CLI::Range(2, 2048));
    acquireCmd->add_option("--out", acquire.out, "Folder for one CSV file per channel");

    crvhost::BenchOptions bench;
    auto* benchCmd = app.add_subcommand("bench", "Measure the acquisition round trip against an event ping-pong");
    benchCmd->add_option("DRIVER", bench.driver, "Path of the driver library")->required();
    benchCmd->add_option("--count", bench.count, "Round trips per measurement")->check(CLI::Range(100, 100000000));

    CLI11_PARSE(app, argc, argv);
    try {
        if (*info) {
            return crvhost::RunInfo(infoDriver);
        }
        if (*acquireCmd) {
            return crvhost::RunAcquire(acquire);
        }
        return crvhost::RunBench(bench);
    } catch (const std::exception& e) {
        std::cerr << "crvhost: " << e.what() << '\n';
        return 1;
    }
}
