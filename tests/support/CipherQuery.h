#pragma once
// Reads an encrypted data file straight through the storage library, with
// none of the program's own reading code: the independent view tests check
// the program's writes against. Rows come back as text, NULL as "".

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

using Rows = std::vector<std::vector<std::string>>;

// Opens `file` read-only with `key`, runs `sql` and answers its rows; a file
// that does not open or SQL that fails answers one row holding the error.
Rows cipherQuery(const std::filesystem::path& file, const std::string& key, const std::string& sql);

}  // namespace testsupport
