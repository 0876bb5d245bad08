#include "runtime/store/DataFileKeys.h"

#include <map>
#include <mutex>
#include <string>

namespace rt {

namespace {

struct Ring {
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<const SecretBytes>> keys;
};

// Never destroyed: a file closed by a static object's destructor may still
// look its key up at exit. The keys themselves are wiped by forgetAll().
Ring& ring() {
    static Ring* r = new Ring;
    return *r;
}

std::string idOf(const std::filesystem::path& file) {
    return std::filesystem::absolute(file).lexically_normal().string();
}

}  // namespace

std::shared_ptr<const SecretBytes> DataFileKeys::find(const std::filesystem::path& file) {
    std::lock_guard lock(ring().mutex);
    auto it = ring().keys.find(idOf(file));
    return it == ring().keys.end() ? nullptr : it->second;
}

void DataFileKeys::remember(const std::filesystem::path& file,
                            std::shared_ptr<const SecretBytes> key) {
    std::lock_guard lock(ring().mutex);
    ring().keys[idOf(file)] = std::move(key);
}

void DataFileKeys::forget(const std::filesystem::path& file) {
    std::lock_guard lock(ring().mutex);
    ring().keys.erase(idOf(file));
}

void DataFileKeys::forgetAll() {
    std::lock_guard lock(ring().mutex);
    ring().keys.clear();
}

}  // namespace rt
