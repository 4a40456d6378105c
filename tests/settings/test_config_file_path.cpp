// The configuration file's path beside the library.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/module_file.h"
#include "settings/config_file_path.h"

namespace {

using settings::ConfigExtensionPosition;
using settings::ConfigFilePath;

std::string ConfigPathFor(const std::string& moduleName)
{
    return moduleName.substr(0, ConfigExtensionPosition(moduleName)) + ".CFG";
}

TEST(ConfigFilePath, ReplacesOrAppendsTheExtension)
{
    struct Case {
        const char* module;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\a.b\\Simulator.dll", "C:\\a.b\\Simulator.CFG"},
        {"C:\\a.b\\Simulator", "C:\\a.b\\Simulator.CFG"},
        {"C:\\Dev\\Simulator.", "C:\\Dev\\Simulator.CFG"},
        {"C:\\Dev\\Sim.x.dll", "C:\\Dev\\Sim.x.CFG"},
        {"/home/a.b/libSimulator.so", "/home/a.b/libSimulator.CFG"},
        {"/home/a.b/libSimulator", "/home/a.b/libSimulator.CFG"},
        {"Z:/a.b\\x", "Z:/a.b\\x.CFG"},
        {"Simulator.dll", "Simulator.CFG"},
        {"a", "a.CFG"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConfigPathFor(c.module), c.expected) << "module " << c.module;
    }
}

TEST(ConfigFilePath, DerivesFromTheModuleFileName)
{
    char module[ConfigFilePath::ModuleNameSize];
    ASSERT_GT(platform::ModuleFileName(nullptr, module, sizeof module), 0u);

    ConfigFilePath path;
    EXPECT_EQ(path.Get(), nullptr);
    path.Derive(nullptr);
    ASSERT_NE(path.Get(), nullptr);
    EXPECT_EQ(std::string(path.Get()), ConfigPathFor(module));
}

// Derive runs on every notification the library receives, while other threads
// use the path; a repeated derivation must leave the text alone (the thread
// sanitizer reports it otherwise).
TEST(ConfigFilePath, RepeatedDerivationLeavesThePathAlone)
{
    ConfigFilePath path;
    path.Derive(nullptr);
    ASSERT_NE(path.Get(), nullptr);
    const std::string expected = path.Get();

    std::atomic<bool> stop{false};
    std::thread reader([&] {
        while (!stop.load()) {
            EXPECT_EQ(std::string(path.Get()), expected);
        }
    });
    for (int i = 0; i < 200; ++i) {
        path.Derive(nullptr);
    }
    stop.store(true);
    reader.join();
    EXPECT_EQ(std::string(path.Get()), expected);
}

}  // namespace
