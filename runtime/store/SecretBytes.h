#pragma once
// A few secret bytes (a file key, a key literal) in locked memory: allocated
// apart from the heap with guard pages, never swapped (mlock) and wiped when
// freed. Owns its memory; not copyable. Any thread, one at a time.

#include <cstddef>
#include <string_view>

namespace rt {

class SecretBytes {
  public:
    // Throws std::bad_alloc when no locked memory can be had.
    explicit SecretBytes(std::size_t size);
    ~SecretBytes();
    SecretBytes(const SecretBytes&) = delete;
    SecretBytes& operator=(const SecretBytes&) = delete;

    unsigned char* data() { return data_; }
    const unsigned char* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::string_view view() const { return {reinterpret_cast<const char*>(data_), size_}; }
    bool operator==(const SecretBytes& other) const;

  private:
    unsigned char* data_;
    std::size_t size_;
};

// Overwrites memory so that no optimisation removes the writes.
void wipeMemory(void* data, std::size_t size);

}  // namespace rt
