#pragma once
// Reads single string values from the registry stand-in, plus readers for the
// registered owner and the default mail account. Owns ICS (guarding the three
// error fields) and an unused pair list Q. Any thread.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pairs/CriticalSection.h"
#include "runtime/text/FixedText.h"

class VSRegistryClass {
  public:
    static constexpr std::size_t TextSize = 255;
    static constexpr std::size_t NameBufferSize = 256;
    static constexpr std::size_t DataBufferSize = 4096;

    struct ValuePair {
        rt::String<1024> ValueName;
        rt::String<1024> Value;
    };

    VSRegistryClass();
    virtual ~VSRegistryClass();
    VSRegistryClass(const VSRegistryClass&) = delete;
    VSRegistryClass& operator=(const VSRegistryClass&) = delete;

    // The replaceable operations, in their slot order.
    // Records the failed operation with the runtime's last error code, and
    // shows it unless QuietMode is set or the code is 0.
    virtual void ThrowError(std::string_view op, std::string_view keyName);
    virtual std::string GetRegUserName();
    // The key path of the default mail account, or "" when none is set.
    virtual std::string GetEmailRoot();
    virtual std::string GetEmailName();
    virtual std::string GetEmailAddress();
    virtual std::string GetEmailReplyToAddress();
    virtual std::string GetEmailServer();

    void Init(std::uint8_t quietMode) { QuietMode = quietMode; }
    void Kill() {}
    void ClearError();
    // The value's data as text (at most 255 characters, trailing spaces
    // removed), or defaultValue when the key or the value is missing. Value
    // names compare without regard to case or surrounding blanks.
    std::string Fetch(std::uint32_t baseKey, std::string_view keyName, std::string_view valueName,
                      std::string_view defaultValue);

    std::uint8_t QuietMode = 0;
    rt::String<TextSize> LastOp;
    rt::String<TextSize> LastError;
    rt::String<TextSize> LastKeyName;
    std::unique_ptr<std::vector<ValuePair>> Q;
    std::unique_ptr<CriticalSection> ICS;
};
