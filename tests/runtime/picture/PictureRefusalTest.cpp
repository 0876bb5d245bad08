// What each picture tells a person whose text it cannot read.
#include <gtest/gtest.h>

#include <string>

#include "runtime/picture/Picture.h"
#include "runtime/text/Date.h"

using namespace rt;

namespace {

std::string thisYearsLastDay(const char* picture) {
    return format(Value(dateFromParts(12, 31, dateYear(today()))), picture);
}

}  // namespace

TEST(PictureRefusalTest, EachPictureSaysWhatItExpects) {
    struct Row {
        const char* picture;
        std::string message;
    };
    for (const Row& row : {
             Row{"@D6", "Type a date like " + thisYearsLastDay("@D6")},
             Row{"@D4", "Type a date like December 31, " + std::to_string(dateYear(today()))},
             Row{"@d17", "Type a date like " + thisYearsLastDay("@d17")},
             Row{"@D15B", "Type a date like " + thisYearsLastDay("@D15")},
             Row{"@T1", "Type a time like 23:45"},
             Row{"@T4", "Type a time like 23:45:00"},
             Row{"@n6.2", "Type a number"},
             Row{"@P###-##P", "Type the digits as ###-##"},
             Row{"@P<#P", "Type the digits as ##"},
             Row{"@s10", ""},
         }) {
        auto picture = Picture::compile(row.picture);
        ASSERT_TRUE(picture) << row.picture;
        EXPECT_EQ(picture->refusalMessage(), row.message) << row.picture;
    }
}
