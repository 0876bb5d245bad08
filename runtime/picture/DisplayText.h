#pragma once
// The one place where a control's text and its bound variable meet: formats
// a value by its display picture for showing, and reads typed text back.

#include <string>

#include "runtime/text/FieldRef.h"
#include "runtime/text/Value.h"

namespace rt {

// The value's plain text when the picture is empty or malformed.
std::string formatForDisplay(const Value& value, const std::string& picture);
// Stores text typed into a control into the variable by the picture;
// answers false, storing nothing, when the picture cannot read the text.
bool storeFromDisplay(FieldRef into, const std::string& text, const std::string& picture);

}  // namespace rt
