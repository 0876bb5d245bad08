#include "runtime/store/SecretBytes.h"

#include <sodium.h>

#include <new>

namespace rt {

namespace {

bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

}  // namespace

SecretBytes::SecretBytes(std::size_t size) : size_(size) {
    if (!sodiumReady()) throw std::bad_alloc();
    // sodium_malloc locks the pages and fences them with guard pages.
    data_ = static_cast<unsigned char*>(sodium_malloc(size ? size : 1));
    if (!data_) throw std::bad_alloc();
    sodium_memzero(data_, size_);
}

SecretBytes::~SecretBytes() {
    sodium_free(data_);  // wipes before it unlocks and frees
}

bool SecretBytes::operator==(const SecretBytes& other) const {
    return size_ == other.size_ && sodium_memcmp(data_, other.data_, size_) == 0;
}

void wipeMemory(void* data, std::size_t size) {
    if (data && size) sodium_memzero(data, size);
}

}  // namespace rt
