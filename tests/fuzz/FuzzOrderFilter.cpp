// View order and filter texts and their translation to SQL: the first line
// is an order, the rest a filter over a credential-shaped table.
#include "runtime/expr/ExprParser.h"
#include "runtime/store/FileDefinition.h"
#include "runtime/store/ViewFilter.h"
#include "runtime/text/FixedText.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

struct Table {
    std::int32_t id = 0;
    rt::String<80> title;
    rt::String<254> location;
    rt::StoredDate expires;
    rt::FileDefinition def{"Passwords", "PAS", "Lockora\\!Password", "owner"};
    Table() {
        def.addField("PAS:Primary_ID", id);
        def.addField("PAS:Title", title, "@s80");
        def.addField("PAS:Location", location, "@s254");
        def.addField("PAS:DateExpires", expires, "@d17");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Table table;
    auto [order, filter] = fuzz::split(fuzz::text(data, size));
    rt::parseOrder(order);
    rt::ViewFilter view(table.def);
    std::string error;
    if (view.set(filter, &error)) view.accepts();
    return 0;
}
