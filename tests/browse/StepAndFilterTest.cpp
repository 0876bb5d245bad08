// The step objects' mapping between values and thumb percentages, and the
// rewrite of filters meant for an SQL driver.
#include <gtest/gtest.h>

#include "browse/SqlFilterRewrite.h"
#include "browse/StepLongClass.h"

namespace {

struct PercentileCase {
    std::uint8_t controls;
    int first, last, value, percentile;
};

}  // namespace

TEST(StepLongClassTest, MapsValuesToPercentagesBetweenTheLimits) {
    const PercentileCase cases[] = {
        {0, 1, 101, 1, 1},      // the low limit shows 1, never 0
        {0, 1, 101, 51, 50},    //
        {0, 1, 101, 101, 100},  //
        {0, 1, 101, 37, 36},    // whole part only
        {0, 7, 7, 7, 50},       // every entry alike
        {0, 10, 20, 5, -50},    // below the limits: not clamped
        {16, 101, 1, 101, 1},   // descending: the first entry holds the highest
        {16, 101, 1, 1, 100},   //   value and still shows at the top
        {16, 101, 1, 26, 75},   //
        {1, 1, 101, 51, 50},    // other control bits change nothing
    };
    for (const PercentileCase& c : cases) {
        StepLongClass step;
        step.Init(c.controls);
        step.SetLimit(rt::Value(c.first), rt::Value(c.last));
        EXPECT_EQ(step.GetPercentile(rt::Value(c.value)), c.percentile)
            << int(c.controls) << ": " << c.first << ".." << c.last << " at " << c.value;
    }
}

TEST(StepLongClassTest, MapsPercentagesBackToValuesAndTakesWholeNumbers) {
    StepLongClass step;
    step.Init(0);
    step.SetLimit(rt::Value(1.9), rt::Value("201"));
    EXPECT_EQ(step.Low, 1);
    EXPECT_EQ(step.High, 201);
    EXPECT_DOUBLE_EQ(step.GetValue(0).number(), 1);
    EXPECT_DOUBLE_EQ(step.GetValue(37).number(), 75);
    EXPECT_DOUBLE_EQ(step.GetValue(100).number(), 201);
    StepLongClass down;
    down.Init(ScrollSortDescending);
    down.SetLimit(rt::Value(201), rt::Value(1));
    EXPECT_EQ(down.Low, 1);
    EXPECT_EQ(down.High, 201);
    EXPECT_DOUBLE_EQ(down.GetValue(25).number(), 151);
    EXPECT_EQ(down.GetPercentile(down.GetValue(25)), 25);
}

TEST(StepClassTest, TheBaseMapsNothingAndAsksForLimits) {
    StepClass step;
    step.Init(16);
    EXPECT_EQ(step.Controls, 16);
    EXPECT_TRUE(step.SetLimitNeeded());
}

TEST(SqlFilterRewriteTest, EverySqlCallBecomesAComparisonTheEvaluatorTakesAsTrue) {
    const std::pair<const char*, const char*> cases[] = {
        {"SQL(a = 1)", " ''=SQL(a = 1)"},
        {"SQL  (a = 1)", " ''=SQL(a = 1)"},
        {"PAS:Id > 3 AND SQL(x)", "PAS:Id > 3 AND  ''=SQL(x)"},
        {"(SQL(x)) | ~SQL(y)", "( ''=SQL(x)) | ~ ''=SQL(y)"},
        {"~SQL(x)", "~ ''=SQL(x)"},
        {"MYSQL(x)", "MYSQL(x)"},  // not a call of SQL
        {"SQL x", "SQL x"},        // no parenthesis
        {"sql(x)", "sql(x)"},      // the patterns are upper case
        {"PAS:Title = 'SQL'", "PAS:Title = 'SQL'"},
        {"", ""},
        {"SQL", "SQL"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(RewriteSqlFilter(in), out) << in;
}
