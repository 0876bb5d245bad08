#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/window/IniTestFixture.h"
#include "window/INIClass.h"

namespace {

class INIClassThreadTest : public IniTestFixture {};

TEST_F(INIClassThreadTest, OneObjectServesSeveralThreadsWithoutLosingWrites) {
    constexpr int kThreads = 4;
    constexpr int kEach = 15;
    INIClass ini;
    ini.Init(kIni);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&ini, t] {
            for (int i = 0; i < kEach; ++i) {
                const std::string item = std::to_string(t) + "_" + std::to_string(i);
                ini.Update("Threads", "Key" + item, item);
                ini.AddSector(ini.GetSector("Thread", item, "T"));
            }
        });
    }
    for (std::thread& thread : threads) thread.join();

    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kEach; ++i) {
            const std::string item = std::to_string(t) + "_" + std::to_string(i);
            EXPECT_EQ(ini.TryFetch("Threads", "Key" + item), item);
        }
    }
    SectorQueue sectors;
    ini.GetSectors("Thread", "", "T", sectors);
    EXPECT_EQ(sectors.Records(), static_cast<std::size_t>(kThreads * kEach));
    EXPECT_TRUE(takeAsserts().empty());
}

}  // namespace
