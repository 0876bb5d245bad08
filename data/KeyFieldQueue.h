#pragma once
// The components of one registered key, in key order: the record field each
// names, the field's name as an order text uses it, and its direction. Owned
// by the file manager's key catalogue; the fields are the record's own.

#include <string>
#include <vector>

#include "runtime/text/FieldRef.h"

struct KeyFieldEntry {
    rt::FieldRef Field;
    std::string FieldName;  // "PAS:Title", or "UPPER(PAS:Title)" for a folded text
    bool Ascend = true;
};

using KeyFieldQueue = std::vector<KeyFieldEntry>;
