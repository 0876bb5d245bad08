#include "app/INIMgrClass.h"

#include "app/GlobalData.h"
#include "pairs/CriticalProcedure.h"

namespace {

constexpr const char* kSection = "Preserved";
constexpr const char* kFileLocation = "Glo:FileLocation";

}  // namespace

void INIMgrClass::Fetch() {
    GLO.FileLocation = TryFetch(kSection, kFileLocation);
    INIClass::Fetch();
}

void INIMgrClass::Update() {
    INIClass::Update();
    Update(kSection, kFileLocation, GLO.FileLocation.clipped());
}

void INIMgrClass::Abandon() {
    CriticalProcedure lock(CritSect);
    Sectors.reset();
}
