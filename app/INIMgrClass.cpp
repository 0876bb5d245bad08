#include "app/INIMgrClass.h"

#include "app/GlobalData.h"
#include "app/GlobalErrors.h"
#include "pairs/CriticalProcedure.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/host/LastError.h"
#include "runtime/host/SettingsFile.h"

namespace {

constexpr const char* kSection = "Preserved";
constexpr const char* kFileLocation = "Glo:FileLocation";
constexpr const char* kUnusableCaption = "Settings Not Read";

}  // namespace

// A settings file the runtime refuses (too large, or not a readable file)
// would otherwise be passed over without a word.
void INIMgrClass::ReportUnusableFile() {
    if (NVType != NV_INIFile || rt::SettingsFile::check(FileName) == 0) return;
    const rt::LastError& why = rt::lastError();
    std::string text = FileName +
                       " is not used: " + (why.driverText.empty() ? why.text : why.driverText) +
                       ".|It is left as it is, and the program goes on with its default settings.";
    GlobalErrors.Msg(text, kUnusableCaption, rt::IconExclamation, rt::ButtonOk, rt::ButtonOk,
                     GlobalErrors.GetMsgStyle());
}

void INIMgrClass::Fetch() {
    ReportUnusableFile();
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
