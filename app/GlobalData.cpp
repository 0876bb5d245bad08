#include "app/GlobalData.h"

GlobalData GLO;
std::int32_t lCurrentFDSetting = 0;
std::int32_t lAdjFDSetting = 0;

void GlobalData::Clear() {
    OS.clear();
    User.clear();
    ComputerName.clear();
    FileLocation.clear();
    PasswordVerified = 0;
}
