#include "app/FuzzyClass.h"

void FuzzyClass::Init() {
    Options = 0;
}

void FuzzyClass::Kill() {
    Options = 0;
}

void FuzzyClass::SetOption(std::int32_t option, bool on) {
    Options = on ? (Options | option) : (Options & ~option);
}
