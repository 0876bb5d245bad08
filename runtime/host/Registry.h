#pragma once
// A per-user stand-in for the host registry: keys (paths under a root such
// as "HKEY_CURRENT_USER\Software\...") holding named string values, kept in
// one INI file with a section per key and a line per value (so data keeps no
// leading or trailing blanks). Keys and value names compare without regard to
// case. Owns its open-key handles; every
// call reads the file afresh and writes replace it atomically. Any thread.
//
// Failures answer 0 / std::nullopt / the code and set the last error:
// 2 no such key or value, 5 a key with subkeys or a root cannot be deleted,
// 6 not an open handle or not a root, 87 a name or value that cannot be
// stored (blank, a line break or NUL, "]" or "=" in a name), 259 no more
// values, 1018 the key was deleted while open.

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace rt {

class Registry {
  public:
    using Key = int;  // an open key; 0 = none

    // Root keys by their handle numbers.
    enum Root : unsigned {
        ClassesRoot = 0x80000000u,
        CurrentUser = 0x80000001u,
        LocalMachine = 0x80000002u,
        Users = 0x80000003u,
        CurrentConfig = 0x80000005u,
    };

    struct Value {
        std::string name;
        std::string data;
    };

    explicit Registry(std::string file);
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // The user's registry, in $XDG_CONFIG_HOME/lockora/registry.ini
    // (~/.config/lockora/registry.ini when that is not set).
    static Registry& user();

    // path is a root name ("HKEY_CURRENT_USER" or "HKCU" ...) followed by
    // the key's path, separated by "\". A key exists when it was created or
    // a key below it was.
    Key openKey(std::string_view path);
    Key openKey(unsigned root, std::string_view subKey);
    // Opens the key, creating it first when missing.
    Key createKey(std::string_view path);
    Key createKey(unsigned root, std::string_view subKey);
    int closeKey(Key key);
    // Deletes a key that has no subkeys, with its values.
    int deleteKey(std::string_view path);

    std::optional<std::string> queryValue(Key key, std::string_view name);
    int setValue(Key key, std::string_view name, std::string_view data);
    int deleteValue(Key key, std::string_view name);
    // The index-th value of the key in the order the values were first
    // written; past the last one: std::nullopt with 259.
    std::optional<Value> enumValue(Key key, std::size_t index);

    const std::string& file() const { return file_; }
    // Points the registry at another file; "" restores the user's file.
    void TEST_setFile(std::string file);

    static std::string defaultFile();

  private:
    static std::optional<std::string> pathUnder(unsigned root, std::string_view subKey);
    std::optional<std::string> canonicalPath(std::string_view path) const;
    bool keyExists(const std::string& path) const;
    Key addHandle(std::string path);
    // The path of an open key that still exists, or the failure code.
    std::optional<std::string> keyPath(Key key, int& error) const;
    std::string load() const;
    int store(const std::string& bytes);

    mutable std::mutex mutex_;
    std::string file_;
    std::map<Key, std::string> open_;
    Key next_ = 1;
};

}  // namespace rt
