#pragma once
// A variable of a type chosen at run time, owned by this object: the buffer
// column of buffered field pairs and other saved copies of fields. Exposes
// itself as a FieldRef. Not copyable (references into it are handed out).

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "runtime/text/FieldRef.h"

namespace rt {

class OwnedField {
  public:
    // A cleared variable of like's type (and, for text, capacity).
    explicit OwnedField(const FieldRef& like);
    OwnedField(const OwnedField&) = delete;
    OwnedField& operator=(const OwnedField&) = delete;

    FieldRef ref() { return ref_; }

  private:
    std::variant<std::monostate, FixedText, std::string, std::int32_t, std::int16_t, std::uint8_t,
                 double, StoredDate>
        storage_;
    FieldRef ref_;
};

}  // namespace rt
