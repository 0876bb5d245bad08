// The toolbar's routing of presses to the client that owns it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/host/Assert.h"
#include "window/ToolbarClass.h"
#include "window/WindowManager.h"

namespace {

class FakeClient : public ToolbarClient {
  public:
    FakeClient(std::string name, bool canActivate, std::vector<std::string>& log)
        : name_(std::move(name)), can_(canActivate), log_(log) {}
    void DisplayButtons() override { log_.push_back(name_ + " display"); }
    void Activate() override { log_.push_back(name_ + " activate"); }
    bool CanActivate() override { return can_; }
    void TakeEvent(std::int32_t& request, WindowManager&) override {
        log_.push_back(name_ + " event " + std::to_string(request));
        request = VcrForward;
    }

  private:
    std::string name_;
    bool can_;
    std::vector<std::string>& log_;
};

class ToolbarClassTest : public testing::Test {
  protected:
    void SetUp() override {
        old_ = rt::setAssertHandler(
            [this](const std::string& m, const std::string&, int) { asserts.push_back(m); });
    }
    void TearDown() override { rt::setAssertHandler(old_); }

    std::vector<std::string> asserts;
    std::vector<std::string> log;
    WindowManager window;

  private:
    rt::AssertHandler old_;
};

}  // namespace

TEST_F(ToolbarClassTest, WithoutClientsForwardingDoesNothingButDisplayButtonsAsserts) {
    ToolbarClass toolbar;
    toolbar.Init();
    std::int32_t request = VcrFirst;
    toolbar.TakeEvent(request, window);
    toolbar.SetTarget(0);
    EXPECT_EQ(request, VcrFirst);
    EXPECT_TRUE(asserts.empty());
    toolbar.DisplayButtons();
    EXPECT_EQ(asserts.size(), 1u);
}

TEST_F(ToolbarClassTest, SetTargetZeroMakesTheLastClientThatCanActivateCurrentWithoutActivating) {
    FakeClient a("a", true, log), b("b", false, log), c("c", true, log), d("d", false, log);
    ToolbarClass toolbar;
    toolbar.Init();
    toolbar.AddTarget(a, 10);
    toolbar.AddTarget(b, 20);
    toolbar.AddTarget(c, 30);
    toolbar.AddTarget(d, 40);
    toolbar.SetTarget(0);
    EXPECT_EQ(toolbar.CurrentId(), 30);
    EXPECT_TRUE(log.empty());

    std::int32_t request = VcrNone;
    toolbar.TakeEvent(request, window);
    toolbar.DisplayButtons();
    EXPECT_EQ(log, (std::vector<std::string>{"c event 0", "c display"}));
    EXPECT_EQ(request, VcrForward);
}

TEST_F(ToolbarClassTest, SetTargetByIdActivatesThatClientAndAnUnknownIdAssertsKeepingIt) {
    FakeClient a("a", false, log), b("b", false, log);
    ToolbarClass toolbar;
    toolbar.Init();
    toolbar.AddTarget(a, 1);
    toolbar.AddTarget(b, 2);
    toolbar.SetTarget(1);
    EXPECT_EQ(log, (std::vector<std::string>{"a activate"}));
    // Nobody can activate: the current client stays.
    toolbar.SetTarget(0);
    EXPECT_EQ(toolbar.CurrentId(), 1);
    toolbar.SetTarget(7);
    EXPECT_EQ(asserts.size(), 1u);
    EXPECT_EQ(toolbar.CurrentId(), 1);
}

TEST_F(ToolbarClassTest, EveryOperationAssertsWithoutAListAndKillTwiceIsHarmless) {
    FakeClient a("a", true, log);
    ToolbarClass toolbar;
    std::int32_t request = 0;
    toolbar.SetTarget(0);
    toolbar.TakeEvent(request, window);
    toolbar.AddTarget(a, 1);
    EXPECT_EQ(asserts.size(), 3u);
    toolbar.Init();
    toolbar.Kill();
    toolbar.Kill();
    EXPECT_TRUE(log.empty());
}
