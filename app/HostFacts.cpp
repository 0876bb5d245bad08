#include "app/HostFacts.h"

#include <optional>

#include "app/EnvironmentCopies.h"
#include "app/GlobalData.h"
#include "runtime/host/Host.h"

namespace {

// The host calls' buffer sizes, terminating NUL included.
constexpr std::size_t kEnvironmentBuffer = 200;
constexpr std::size_t kUserBuffer = 40;

}  // namespace

std::string GetEnv(std::string_view Str) {
    return rt::rightTrim(rt::Host::environment(rt::rightTrim(Str), kEnvironmentBuffer));
}

void URLHandler(const void*, std::string_view URL) {
    // The answer is not examined: a location nothing can open just does
    // nothing visible.
    (void)rt::Host::openLocation(rt::rightTrim(URL));
}

void ReadEnvironment() {
    for (const EnvironmentCopies::Slot& slot : EnvironmentCopies::Slots())
        ENV.*slot.copy = GetEnv(slot.name);
}

void ReadHostFacts() {
    ReadEnvironment();
    std::optional<std::string> user = rt::Host::userName(kUserBuffer);
    GLO.User = user ? *user : "Invalid User";
    GLO.ComputerName = rt::Host::computerName();
    GLO.OS = rt::Host::osDescription();
}
