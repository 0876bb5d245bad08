#pragma once
// Made-up credentials for filling data files of any size, the same every
// time for the same entry number: a title of about 20 characters in mixed
// case with some non-ASCII letters, a location of about 40, a user name of
// about 15, a 10-character password and notes of about 100.

#include <cstdint>
#include <string>

namespace testsupport {

struct EntryValues {
    std::string title, location, user, password, notes;
};

inline std::uint64_t entryHash(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

inline EntryValues entryValues(int number) {
    static const char* const kWords[] = {
        "alpha",  "Bravo",   "Café",     "delta", "Écho",    "foxtrot",  "Golf",  "hôtel",
        "India",  "juliett", "Kilo",     "lima",  "Mïke",    "november", "Oscar", "papa",
        "Québec", "romeo",   "Sierra",   "tango", "Uniform", "victor",   "Wîski", "x-ray",
        "Yankee", "zulu",    "Ångström", "ñandú", "Straße",  "Øre",      "Ærø",   "Łódź"};
    constexpr std::uint64_t kCount = sizeof kWords / sizeof kWords[0];
    std::uint64_t h = entryHash(static_cast<std::uint64_t>(number));
    std::string a = kWords[h % kCount], b = kWords[(h >> 8) % kCount];
    std::string n = std::to_string(number);
    EntryValues v;
    v.title = a + " " + b + " " + n;
    v.location = "https://www." + b + "-" + a + ".example.org/account/" + n;
    v.user = a.substr(0, 5) + "." + n + "@mail.test";
    static const char kPasswordChars[] =
        "abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789#$%";
    for (int i = 0; i < 10; ++i)
        v.password += kPasswordChars[(h >> (i * 5)) % (sizeof kPasswordChars - 1)];
    v.notes = "Opened for " + a + " and " + b +
              "; security question answered with the "
              "second word. Renew before the end of the year, entry " +
              n + ".";
    return v;
}

}  // namespace testsupport
