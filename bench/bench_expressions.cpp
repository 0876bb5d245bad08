// The cost of a view filter the driver cannot hand to SQL: parsing it once,
// then evaluating it once per record against the bound record buffer; and
// the case folding every case-insensitive index entry and comparison pays.
#include <benchmark/benchmark.h>

#include "runtime/expr/Bindings.h"
#include "runtime/expr/ExprEvaluator.h"
#include "runtime/expr/ExprParser.h"
#include "runtime/text/TextCase.h"

namespace {

constexpr const char* kFilter =
    "UPPER(PAS:TITLE) >= UPPER('b') AND UPPER(PAS:TITLE) <= UPPER('m') AND "
    "(INSTRING('example', PAS:LOCATION, 1, 1) > 0) AND (PAS:PRIMARY_ID <> 0)";

void BM_ParseFilter(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(rt::parseExpression(kFilter));
}
BENCHMARK(BM_ParseFilter);

void BM_EvaluateFilterPerRecord(benchmark::State& state) {
    rt::String<100> title("Mail account of the family");
    rt::String<255> location("https://mail.example.org/login");
    std::int32_t id = 42;
    rt::BindScope scope;
    rt::bind("PAS:Title", title);
    rt::bind("PAS:Location", location);
    rt::bind("PAS:Primary_ID", id);
    rt::ParseResult filter = rt::parseExpression(kFilter);
    for (auto _ : state) benchmark::DoNotOptimize(rt::evaluate(filter.expr));
}
BENCHMARK(BM_EvaluateFilterPerRecord);

void BM_UpperAscii(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(rt::upper("Mail account of the family"));
}
BENCHMARK(BM_UpperAscii);

void BM_UpperUnicode(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(rt::upper("Bürokonto der Straße"));
}
BENCHMARK(BM_UpperUnicode);

}  // namespace

BENCHMARK_MAIN();
