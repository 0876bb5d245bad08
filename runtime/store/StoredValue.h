#pragma once
// How a record field is stored in its column and read back: texts without
// their trailing spaces, integers and dates (as day serials) as integers,
// reals as reals. Free functions.

#include "runtime/text/FieldRef.h"
#include "runtime/store/SqlValue.h"

namespace rt {

SqlValue storedValue(const FieldRef& field);
// Folded to upper case when the field is a text, for case-insensitive keys.
SqlValue storedValue(const FieldRef& field, bool folded);
void loadValue(FieldRef& field, const SqlValue& value);
// The SQL column type of a field.
const char* columnType(const FieldRef& field);

}  // namespace rt

namespace rt {

// A stored value as a case-insensitive key compares it.
SqlValue foldedValue(const SqlValue& value);

}  // namespace rt
