#pragma once
// A temporary working folder holding ".\Lockora.INI", with every assertion
// the code under test raises collected instead of printed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/host/Assert.h"
#include "tests/support/TempDir.h"

class IniTestFixture : public testing::Test {
  protected:
    static constexpr const char* kIni = ".\\Lockora.INI";

    void SetUp() override {
        previous_ = rt::setAssertHandler([this](const std::string& message, const std::string&,
                                                int) { asserted_.push_back(message); });
    }
    void TearDown() override { rt::setAssertHandler(previous_); }

    std::string iniText() const { return testsupport::readFile(dir_.file("Lockora.INI")); }
    void writeIni(const std::string& text) const {
        testsupport::writeFile(dir_.file("Lockora.INI"), text);
    }
    // The assertions seen so far, forgotten once taken.
    std::vector<std::string> takeAsserts() { return std::exchange(asserted_, {}); }

    testsupport::TempDir dir_;
    std::vector<std::string> asserted_;

  private:
    rt::AssertHandler previous_;
};
