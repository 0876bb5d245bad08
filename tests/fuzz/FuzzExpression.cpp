// Expressions as view filters, range texts and evaluated strings arrive:
// parsed, then evaluated with a few names bound.
#include "runtime/expr/Bindings.h"
#include "runtime/expr/ExprEvaluator.h"
#include "runtime/expr/ExprParser.h"
#include "runtime/text/FixedText.h"
#include "tests/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static rt::String<20> title{"Bank"};
    static std::int32_t id = 7;
    rt::Bindings& names = rt::Bindings::current();
    names.push();
    names.bind("PAS:Title", title);
    names.bind("PAS:Primary_ID", id);
    rt::ParseResult parsed = rt::parseExpression(fuzz::text(data, size));
    if (parsed.ok()) rt::evaluate(parsed.expr);
    names.pop();
    return 0;
}
