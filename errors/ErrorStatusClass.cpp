#include "errors/ErrorStatusClass.h"

#include <atomic>
#include <map>
#include <memory>

namespace {

std::atomic<std::uint64_t> lastSerial{0};

// Destroyed with the thread, which frees the groups it made.
std::map<std::uint64_t, std::unique_ptr<ErrorStatusGroup>>& threadGroups() {
    thread_local std::map<std::uint64_t, std::unique_ptr<ErrorStatusGroup>> groups;
    return groups;
}

}  // namespace

ErrorStatusClass::ErrorStatusClass() : serial_(++lastSerial) {}

ErrorStatusClass::~ErrorStatusClass() {
    // Other threads' groups go when those threads end.
    threadGroups().erase(serial_);
}

ErrorStatusGroup& ErrorStatusClass::Group() {
    std::unique_ptr<ErrorStatusGroup>& group = threadGroups()[serial_];
    if (!group) group = std::make_unique<ErrorStatusGroup>();
    return *group;
}
