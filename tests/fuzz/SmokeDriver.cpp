// Runs a fuzz target without the fuzzer: every seed of its corpus, then
// mutations of them (bytes flipped, inserted, dropped, doubled, seeds
// spliced) for a few seconds. The mutation stream is fixed, so a crash
// found here is found again on the next run. Usage: target CORPUS [SECONDS].
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzTarget.h"

namespace {

std::vector<std::string> readCorpus(const std::filesystem::path& dir) {
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (seeds.empty()) seeds.emplace_back();
    return seeds;
}

// Bytes that matter to the parsers under test: quotes, brackets, signs,
// separators, picture and placeholder characters, line ends, NUL, UTF-8.
constexpr char kInterestingBytes[] =
    "'\"()[]{}|~+-,.@%=<>&*/:;#\n\r\t\0\xc3\xa9\xff 0123456789sSnNdDtTpP";
constexpr std::string_view kInteresting(kInterestingBytes, sizeof kInterestingBytes - 1);

std::string mutate(std::string s, const std::vector<std::string>& seeds, std::mt19937& random) {
    auto pick = [&](std::size_t n) { return n == 0 ? 0 : random() % n; };
    int steps = 1 + static_cast<int>(pick(4));
    for (int i = 0; i < steps; ++i) {
        switch (pick(6)) {
            case 0:
                if (!s.empty()) s[pick(s.size())] ^= static_cast<char>(1 << pick(8));
                break;
            case 1:
                s.insert(s.begin() + static_cast<long>(pick(s.size() + 1)),
                         kInteresting[pick(kInteresting.size())]);
                break;
            case 2:
                if (!s.empty()) s.erase(pick(s.size()), 1 + pick(8));
                break;
            case 3:
                if (!s.empty()) {
                    std::size_t at = pick(s.size());
                    s.insert(at, s.substr(at, 1 + pick(16)));
                }
                break;
            case 4: {
                const std::string& other = seeds[pick(seeds.size())];
                s = s.substr(0, pick(s.size() + 1)) + other.substr(pick(other.size() + 1));
                break;
            }
            default:
                s.append(std::string(1 + pick(300), kInteresting[pick(kInteresting.size())]));
        }
    }
    return s;
}

// The input being run, written out when the target crashes so that the
// failure can be replayed from a file.
const std::string* current = nullptr;

void dumpInput(int signal) {
    const char header[] = "\n== the input that failed follows, between the lines ==\n";
    (void)!write(2, header, sizeof header - 1);
    if (current) (void)!write(2, current->data(), current->size());
    (void)!write(2, "\n== end of input ==\n", 21);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

int run(const std::string& input) {
    current = &input;
    return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()),
                                  input.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS [SECONDS]\n", argv[0]);
        return 2;
    }
    for (int signal : {SIGABRT, SIGSEGV, SIGFPE, SIGBUS, SIGILL}) std::signal(signal, dumpInput);
    std::vector<std::string> seeds = readCorpus(argv[1]);
    double seconds = argc > 2 ? std::atof(argv[2]) : 3.0;
    for (const std::string& seed : seeds) run(seed);
    std::mt19937 random(1);
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = 0;
    while (std::chrono::steady_clock::now() < end) {
        for (int i = 0; i < 100; ++i, ++runs)
            run(mutate(seeds[random() % seeds.size()], seeds, random));
    }
    std::printf("%zu seeds, %ld mutated inputs, no failure\n", seeds.size(), runs);
    return 0;
}
