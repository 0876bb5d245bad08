#include "app/ExpiringEntries.h"

#include <string>

#include "app/PasswordsFile.h"
#include "runtime/store/View.h"

int CountEntriesExpiringBy(rt::DateSerial lastDay) {
    rt::View view(PAS.File);
    if (view.open() != 0) return 0;
    view.setOrder(kExpiryOrder);
    view.setFilter("PAS:DateExpires > 0 AND PAS:DateExpires <= " + std::to_string(lastDay));
    const rt::FileDefinition& def = PAS.Definition;
    view.setProjection({def.fieldIndex(PAS.DateExpires), def.fieldIndex(PAS.Primary_ID)});
    int count = 0;
    view.set();
    while (view.next() == 0) ++count;
    view.close();
    return count;
}

std::string ExpiryReminderText(int count, int days) {
    if (count <= 0) return {};
    std::string within = " within " + std::to_string(days) + (days == 1 ? " day" : " days");
    if (count == 1) return "1 entry expires" + within;
    return std::to_string(count) + " entries expire" + within;
}
