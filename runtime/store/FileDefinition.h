#pragma once
// The declaration of one table of a keyed data file: its names, owner
// password, fields (references into the record buffer), keys and memos. The
// data dictionary builds one per table; file handles read it. Borrows the
// record buffer the field references point into, which must outlive it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/text/FieldRef.h"

namespace rt {

struct FieldDefinition {
    std::string label;    // "PAS:Title"
    FieldRef ref;         // type and size come from the referenced variable
    std::string picture;  // "@s80"
};

struct KeyComponent {
    int field = 0;  // 0-based index into the definition's fields
    bool ascending = true;
};

struct KeyDefinition {
    std::string label;  // "PAS:KeyTitle"
    std::string name;   // the name the file manager is given
    std::vector<KeyComponent> components;
    bool unique = false;
    bool primary = false;
    bool noCase = false;  // text components order and compare folded to upper case
};

struct MemoDefinition {
    std::string label;  // "PAS:Notes"
    std::string* text = nullptr;
    std::size_t maxSize = 0;  // characters
};

class FileDefinition {
  public:
    // fullName is "File\!Table" (or just "File": the table takes the label).
    FileDefinition(std::string label, std::string prefix, std::string fullName,
                   std::string ownerPassword, bool threaded = true);

    // Fields, keys and memos in declaration order; each answers its index.
    int addField(std::string label, FieldRef ref, std::string picture = {});
    int addKey(KeyDefinition key);
    // A key over fields given by their references, in component order.
    int addKey(std::string label, std::string name,
               std::vector<std::pair<FieldRef, bool>> components, bool unique, bool primary = false,
               bool noCase = false);
    int addMemo(std::string label, std::string& text, std::size_t maxSize);
    // The data file's key follows this field of the table's record: while
    // it is blank the owner password keys the file; a write that sets it
    // re-keys the file, in the write's own commit, with the key derived
    // from its text without trailing spaces. -1 (the default): no field.
    void setMasterKeyField(int field) {
        masterKeyField_ = field;
        masterKeyed_ = masterKeyed_ || field >= 0;
    }
    int masterKeyField() const { return masterKeyField_; }
    // The data file may be keyed with a master password (a table of it has
    // the master key field): an open before this process knows the key
    // waits for it instead of failing. Off: such a file fails to open.
    void setMasterKeyed(bool on) { masterKeyed_ = on; }
    bool masterKeyed() const { return masterKeyed_; }
    // An order no key follows that still has its index from the start (a
    // list's column orders): its text as a view is given it, e.g.
    // "-UPPER(PAS:TITLE),+PAS:PRIMARY_ID". Made with the table, and once for
    // a table that lacks it.
    int addOrder(std::string text);

    const std::string& label() const { return label_; }
    const std::string& prefix() const { return prefix_; }
    const std::string& fullName() const { return fullName_; }
    const std::string& ownerPassword() const { return ownerPassword_; }
    bool threaded() const { return threaded_; }
    // The file part of the full name and the table inside it.
    std::string fileName() const;
    std::string tableName() const;

    const std::vector<FieldDefinition>& fields() const { return fields_; }
    const std::vector<KeyDefinition>& keys() const { return keys_; }
    const std::vector<MemoDefinition>& memos() const { return memos_; }
    const std::vector<std::string>& orders() const { return orders_; }
    // -1 when the reference names no field of this table.
    int fieldIndex(const FieldRef& ref) const;
    // By label, ignoring case, with or without the prefix; -1 when unknown.
    int fieldIndex(std::string_view label) const;
    int memoIndex(std::string_view label) const;
    // -1 when none is primary.
    int primaryKey() const;

  private:
    std::string label_, prefix_, fullName_, ownerPassword_;
    bool threaded_;
    int masterKeyField_ = -1;
    bool masterKeyed_ = false;
    std::vector<FieldDefinition> fields_;
    std::vector<KeyDefinition> keys_;
    std::vector<MemoDefinition> memos_;
    std::vector<std::string> orders_;
};

// The column name a field label gets in its SQL table: the label without its
// prefix ("PAS:Title" -> "Title").
std::string columnName(std::string_view label);

}  // namespace rt
