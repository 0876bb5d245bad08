#include "util/VSRegistryClass.h"

#include "pairs/CriticalProcedure.h"
#include "runtime/host/LastError.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/host/Registry.h"
#include "runtime/text/TextCase.h"

namespace {

constexpr int kNoMoreItems = 259;
constexpr int kMoreData = 234;  // a name or data larger than its buffer

constexpr const char* kAccountManager = "Software\\Microsoft\\Internet Account Manager";
constexpr std::size_t kAccountIdSize = 8;

std::string cut(std::string_view text, std::size_t size) {
    return std::string(rt::utf8Prefix(text, size));
}

std::string foldedName(std::string_view name) {
    std::size_t begin = name.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    name = name.substr(begin, name.find_last_not_of(' ') - begin + 1);
    return rt::upper(name);
}

bool fitsBuffers(const rt::Registry::Value& value) {
    return rt::utf8Length(value.name) < VSRegistryClass::NameBufferSize &&
           value.data.size() < VSRegistryClass::DataBufferSize;
}

}  // namespace

VSRegistryClass::VSRegistryClass()
    : Q(std::make_unique<std::vector<ValuePair>>()), ICS(std::make_unique<CriticalSection>()) {}

VSRegistryClass::~VSRegistryClass() = default;

void VSRegistryClass::ClearError() {
    CriticalProcedure lock(*ICS);
    LastOp.clear();
    LastKeyName.clear();
    LastError.clear();
}

void VSRegistryClass::ThrowError(std::string_view op, std::string_view keyName) {
    int code = rt::lastError().code;
    {
        CriticalProcedure lock(*ICS);
        LastOp = op;
        LastKeyName = keyName;
        LastError = std::to_string(code);
    }
    if (QuietMode || code == 0) return;
    rt::MessageBoxRequest request;
    request.caption = "Error";
    request.text =
        "Error " + std::string(op) + " " + rt::rightTrim(keyName) + ":|" + std::to_string(code);
    rt::messageBox(request);
}

std::string VSRegistryClass::Fetch(std::uint32_t baseKey, std::string_view keyName,
                                   std::string_view valueName, std::string_view defaultValue) {
    ClearError();
    std::string result = cut(defaultValue, TextSize);
    rt::Registry& registry = rt::Registry::user();
    rt::Registry::Key key = registry.openKey(baseKey, cut(rt::rightTrim(keyName), TextSize));
    if (!key) {
        ThrowError("opening", keyName);
        return rt::rightTrim(result);
    }
    const std::string wanted = foldedName(valueName);
    for (std::size_t index = 0;; ++index) {
        auto value = registry.enumValue(key, index);
        if (value && !fitsBuffers(*value)) rt::setLastError(kMoreData);
        if (!value || !fitsBuffers(*value)) {
            if (rt::lastError().code != kNoMoreItems) ThrowError("retrieving", keyName);
            break;
        }
        if (foldedName(value->name) == wanted) {
            // The data is zero-terminated text whatever the value's type.
            result = cut(rt::rightTrim(value->data.substr(0, value->data.find('\0'))), TextSize);
            break;
        }
    }
    registry.closeKey(key);
    return rt::rightTrim(result);
}

std::string VSRegistryClass::GetRegUserName() {
    return Fetch(rt::Registry::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                 "RegisteredOwner", "");
}

std::string VSRegistryClass::GetEmailRoot() {
    rt::String<kAccountIdSize> account(
        Fetch(rt::Registry::CurrentUser, kAccountManager, "Default Mail Account", ""));
    if (account.blank()) return {};
    return rt::rightTrim(std::string(kAccountManager) + "\\Accounts\\" + account.str());
}

std::string VSRegistryClass::GetEmailName() {
    return Fetch(rt::Registry::CurrentUser, GetEmailRoot(), "SMTP Display Name", "");
}

std::string VSRegistryClass::GetEmailAddress() {
    return Fetch(rt::Registry::CurrentUser, GetEmailRoot(), "SMTP Email Address", "");
}

std::string VSRegistryClass::GetEmailReplyToAddress() {
    return Fetch(rt::Registry::CurrentUser, GetEmailRoot(), "SMTP Reply To Email Address", "");
}

std::string VSRegistryClass::GetEmailServer() {
    return Fetch(rt::Registry::CurrentUser, GetEmailRoot(), "SMTP Server", "");
}
