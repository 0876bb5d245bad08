#pragma once
// The fuzzy matcher the list browser may use to rank entries. The program
// only initialises it, sets its options and kills it; no matching is done
// yet. Owns nothing. One thread.

#include <cstdint>

enum : std::int32_t {
    MatchOption_NoCase = 1,    // letters match whatever their case
    MatchOption_WordOnly = 2,  // a match must be a whole word
};

class FuzzyClass {
  public:
    FuzzyClass() = default;
    FuzzyClass(const FuzzyClass&) = delete;
    FuzzyClass& operator=(const FuzzyClass&) = delete;

    void Init();
    void Kill();
    void SetOption(std::int32_t option, bool on);
    bool Option(std::int32_t option) const { return (Options & option) != 0; }

    std::int32_t Options = 0;
};
