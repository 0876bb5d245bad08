#pragma once
// The keys of the data files this process has unlocked, by the file's
// absolute path: derived once, at the login, and used for every later open
// of the file by this process. They live in locked memory and are wiped by
// forgetAll(), which the program's end and its halt call. Any thread.

#include <filesystem>
#include <memory>

#include "runtime/store/SecretBytes.h"

namespace rt {

class DataFileKeys {
  public:
    // Null when the process knows no key for the file.
    static std::shared_ptr<const SecretBytes> find(const std::filesystem::path& file);
    static void remember(const std::filesystem::path& file, std::shared_ptr<const SecretBytes> key);
    static void forget(const std::filesystem::path& file);
    // Wipes every key; connections still open keep the cipher's own copy
    // until they close.
    static void forgetAll();
};

}  // namespace rt
