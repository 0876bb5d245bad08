#include "errors/MessageSubstitution.h"

#include <utility>
#include <vector>

#include "errors/ErrorText.h"

namespace {

// Beyond this many replacements in one step the template and its values are
// rewriting each other without end; the step stops where it is.
constexpr int kMaxReplacements = 4 * static_cast<int>(kSubstitutionCapacity);

struct Step {
    std::string_view placeholder;
    std::string value;
};

}  // namespace

std::string ReplacePlaceholder(std::string buffer, std::string_view placeholder,
                               std::string_view value, std::size_t capacity) {
    if (placeholder.empty() || EqualIgnoringCase(placeholder, value)) return buffer;
    const bool holdsItself = FindIgnoringCase(value, placeholder) != std::string_view::npos;
    std::size_t from = 0;
    for (int n = 0; n < kMaxReplacements; ++n) {
        std::size_t at = FindIgnoringCase(buffer, placeholder, from);
        if (at == std::string::npos) break;
        buffer = CutToCapacity(buffer.replace(at, placeholder.size(), value), capacity);
        // Nothing before the replaced occurrence was a placeholder, so a new
        // one can start no further left than one placeholder length back.
        from = holdsItself ? at + value.size()
                           : (at >= placeholder.size() ? at - placeholder.size() + 1 : 0);
    }
    return buffer;
}

MessageSubstitution::MessageSubstitution(const ErrorStatusGroup& status, std::string procedureName,
                                         std::function<std::string()> previousTemplate)
    : status_(status),
      procedureName_(std::move(procedureName)),
      previousTemplate_(std::move(previousTemplate)) {}

std::string MessageSubstitution::ErrorText(const ErrorStatusGroup& status) {
    if (status.SaveErrorCode == 90 || status.SaveErrorCode == 100)
        return status.SaveFileError + " (" + status.SaveFileErrorCode + ")";
    return status.SaveError + " (" + std::to_string(status.SaveErrorCode) + ")";
}

std::string MessageSubstitution::Apply() const {
    // Longer placeholders go before the shorter ones they start with.
    const std::vector<Step> steps = {
        {"%FileErrorCode", status_.SaveFileErrorCode},
        {"%FileError", status_.SaveFileError},
        {"%File", status_.FileName},
        {"%Key", status_.KeyName},
        {"%ErrorCode", std::to_string(status_.SaveErrorCode)},
        {"%ErrorText", ErrorText(status_)},
        {"%Error", status_.SaveError},
        {"%Message", status_.MessageText},
        {"%Field", status_.FieldName},
        {"%Procedure", procedureName_},
        {"%Category", status_.ErrorBuffer.Category},
    };
    std::string buffer = CutToCapacity(status_.ErrorBuffer.Message, kSubstitutionCapacity);
    for (const Step& step : steps)
        buffer = ReplacePlaceholder(buffer, step.placeholder, step.value);
    // Only this one is looked for in its exact case before it is replaced.
    if (buffer.find("%Previous") != std::string::npos)
        buffer =
            ReplacePlaceholder(buffer, "%Previous", previousTemplate_ ? previousTemplate_() : "");
    return buffer;
}
