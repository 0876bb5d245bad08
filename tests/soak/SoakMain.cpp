// The crash soak's program: without arguments (or with --kills N) the
// driver; started again by it with --create or --writer, the writer.
// SOAK_KILLS, SOAK_SEED and SOAK_MAX_DELAY_MS change the driver's run.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "tests/soak/SoakDriver.h"
#include "tests/soak/SoakWriter.h"

namespace {

constexpr int kReportFd = 3;

unsigned long number(const char* text, unsigned long fallback) {
    return text && *text ? std::strtoul(text, nullptr, 10) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "--create" && argc == 3)
        return soak::SoakWriter(kReportFd, std::stoul(argv[2])).create();
    if (command == "--writer" && argc == 4)
        return soak::SoakWriter(kReportFd, std::stoul(argv[2])).run(argv[3]);
    soak::SoakSettings settings;
    settings.kills = static_cast<int>(number(std::getenv("SOAK_KILLS"), 1000));
    if (command == "--kills" && argc == 3) settings.kills = std::atoi(argv[2]);
    settings.seed =
        static_cast<std::uint32_t>(number(std::getenv("SOAK_SEED"), std::random_device{}()));
    settings.maxDelayMs =
        static_cast<int>(number(std::getenv("SOAK_MAX_DELAY_MS"), settings.maxDelayMs));
    settings.executable = std::filesystem::read_symlink("/proc/self/exe");
    if (settings.kills < 1) {
        std::fprintf(stderr, "usage: %s [--kills N]\n", argv[0]);
        return 2;
    }
    return soak::SoakDriver(std::move(settings)).run();
}
