#pragma once
// Makes a missing data file whole or not at all. The file is built under a
// temporary name in its own folder (keyed as every new data file is, its
// first tables and indexes made, the connection closed, the bytes synced)
// and then put in place without replacing anything: when another process
// made the file meanwhile, that one stays and this one is discarded. No
// moment exists at which the data file's name shows an empty or half-made
// file, and no temporary outlives a failure. Stateless; any thread.

#include <filesystem>
#include <string>

#include "runtime/store/KeyedDatabase.h"

namespace rt {

class NewDataFile {
  public:
    // Makes path when it is missing, with schemaSql (statements without a
    // transaction of their own; may be empty) run in its first transaction.
    // Answers 0 when path exists afterwards, made here or elsewhere; else
    // the runtime's error code, with the reason in status.
    static int make(const std::filesystem::path& path, const std::string& ownerPassword,
                    const std::string& schemaSql, DbStatus& status);

  private:
    static int build(const std::filesystem::path& temporary, const std::string& ownerPassword,
                     const std::string& schemaSql, DbStatus& status);
};

}  // namespace rt
