#pragma once
// A typed reference to one variable or record field: field pairs, keys,
// bindings and list queues read, assign and compare through it with the
// runtime's conversions. Borrows the variable, which must outlive it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/text/Date.h"
#include "runtime/text/FixedText.h"
#include "runtime/text/Value.h"

namespace rt {

enum class FieldType : std::uint8_t {
    None,   // a null reference
    Text,   // FixedText: padded to its capacity
    Memo,   // std::string: free text (memos, dynamic texts)
    Long,   // std::int32_t
    Short,  // std::int16_t
    Byte,   // std::uint8_t
    Real,   // double
    Date,   // StoredDate; reads and writes as a day serial
};

class FieldRef {
  public:
    FieldRef() = default;
    FieldRef(FixedText& v) : type_(FieldType::Text), ptr_(&v) {}
    FieldRef(std::string& v) : type_(FieldType::Memo), ptr_(&v) {}
    FieldRef(std::int32_t& v) : type_(FieldType::Long), ptr_(&v) {}
    FieldRef(std::int16_t& v) : type_(FieldType::Short), ptr_(&v) {}
    FieldRef(std::uint8_t& v) : type_(FieldType::Byte), ptr_(&v) {}
    FieldRef(double& v) : type_(FieldType::Real), ptr_(&v) {}
    FieldRef(StoredDate& v) : type_(FieldType::Date), ptr_(&v) {}

    FieldType type() const { return type_; }
    bool isNull() const { return type_ == FieldType::None; }
    bool isText() const { return type_ == FieldType::Text || type_ == FieldType::Memo; }
    const void* address() const { return ptr_; }
    // Characters for Text, 0 (unbounded) for Memo, bytes for the others.
    std::size_t size() const;

    Value get() const;
    // Numbers stored into integer fields are truncated toward zero and
    // wrapped to the field's width, as the runtime's assignment does.
    void set(const Value& value);
    void assign(const FieldRef& from) { set(from.get()); }
    // Blank text, zero number or no date.
    void clear();
    // Texts compare as texts, everything else as numbers; -1, 0 or 1.
    int compare(const FieldRef& other) const;

    // Two references are the same when they name the same variable.
    bool operator==(const FieldRef& other) const {
        return ptr_ == other.ptr_ && type_ == other.type_;
    }

  private:
    FieldType type_ = FieldType::None;
    void* ptr_ = nullptr;
};

}  // namespace rt
