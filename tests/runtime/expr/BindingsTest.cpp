#include <gtest/gtest.h>

#include <thread>

#include "runtime/expr/Bindings.h"

namespace rt {
namespace {

// Each test starts and ends on an empty outermost scope of its thread.
class BindingsTest : public testing::Test {
  protected:
    void TearDown() override {
        while (popBind()) {
        }
        for (const char* name : {"A", "PAS:Title", "PAS:Id", "LOC:Limit"}) unbind(name);
    }
    static std::string valueOf(std::string_view name) {
        const Binding* b = Bindings::current().find(Bindings::keyOf(name));
        return b ? b->value().text() : "<unbound>";
    }
};

TEST_F(BindingsTest, NamesIgnoreCaseAndReadTheLiveVariable) {
    String<10> title("Bank");
    std::int32_t id = 7;
    bind("PAS:Title", title);
    bind("PAS:Id", id);
    bindValue("LOC:Limit", Value(5));
    EXPECT_EQ(valueOf("pas:title"), "Bank      ");
    title = "Mail";
    id = 8;
    EXPECT_EQ(valueOf("PAS:TITLE"), "Mail      ");
    EXPECT_EQ(valueOf("Pas:Id"), "8");
    EXPECT_EQ(valueOf("loc:limit"), "5");
    const Binding* b = Bindings::current().find("PAS:TITLE");
    ASSERT_NE(b, nullptr);
    ASSERT_NE(b->field(), nullptr);
    EXPECT_EQ(b->field()->size(), 10u);
    EXPECT_EQ(Bindings::current().find("LOC:LIMIT")->field(), nullptr);
}

TEST_F(BindingsTest, RebindingInOneScopeReplacesAndUnbindRemoves) {
    bindValue("A", Value(1));
    bindValue("a", Value(2));
    EXPECT_EQ(valueOf("A"), "2");
    EXPECT_TRUE(unbind("A"));
    EXPECT_EQ(valueOf("A"), "<unbound>");
    EXPECT_FALSE(unbind("A"));
}

TEST_F(BindingsTest, PushedScopeHidesOuterNamesUntilPopped) {
    bindValue("A", Value(1));
    bindValue("PAS:Id", Value(10));
    pushBind();
    EXPECT_EQ(Bindings::current().depth(), 2u);
    EXPECT_EQ(valueOf("A"), "<unbound>");
    bindValue("A", Value(2));
    EXPECT_EQ(valueOf("A"), "2");
    EXPECT_FALSE(unbind("PAS:Id"));  // only the innermost scope is touched
    EXPECT_TRUE(popBind());
    EXPECT_EQ(valueOf("A"), "1");
    EXPECT_EQ(valueOf("PAS:Id"), "10");
    EXPECT_FALSE(popBind());  // the outermost scope stays
    EXPECT_EQ(Bindings::current().depth(), 1u);
}

TEST_F(BindingsTest, InheritingScopeSeesOuterNamesAndInnermostWins) {
    bindValue("A", Value(1));
    bindValue("LOC:Limit", Value(5));
    pushBind(ScopeMode::Hide);
    bindValue("PAS:Id", Value(3));
    {
        BindScope scope(ScopeMode::Inherit);
        bindValue("A", Value(2));
        EXPECT_EQ(valueOf("A"), "2");
        EXPECT_EQ(valueOf("PAS:Id"), "3");
        // Inheriting stops at the first hiding scope.
        EXPECT_EQ(valueOf("LOC:Limit"), "<unbound>");
    }
    EXPECT_EQ(Bindings::current().depth(), 2u);
    EXPECT_EQ(valueOf("A"), "<unbound>");
    popBind();
    EXPECT_EQ(valueOf("A"), "1");
}

TEST_F(BindingsTest, EachThreadHasItsOwnBindings) {
    bindValue("A", Value(1));
    std::string seenInThread;
    std::thread([&] {
        seenInThread = valueOf("A");
        bindValue("A", Value(2));
        pushBind();
    }).join();
    EXPECT_EQ(seenInThread, "<unbound>");
    EXPECT_EQ(valueOf("A"), "1");
    EXPECT_EQ(Bindings::current().depth(), 1u);
}

}  // namespace
}  // namespace rt
