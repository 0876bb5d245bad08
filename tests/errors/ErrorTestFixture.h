#pragma once
// A fresh, initialised error manager per test, with the message box, halt and
// assertion services replaced by recorders: boxes are answered from a list
// of answers the test queues (the default button when the list is empty).

#include <gtest/gtest.h>

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "errors/ErrorClass.h"
#include "errors/ErrorStatusClass.h"
#include "runtime/host/Assert.h"
#include "runtime/host/Halt.h"
#include "runtime/host/LastError.h"
#include "runtime/gui/MessageBox.h"

struct Halted {
    int exitCode;
    std::string message;
};

class ErrorTestFixture : public testing::Test {
  protected:
    void SetUp() override {
        rt::clearLastError();
        oldBox_ = rt::TEST_setMessageBoxHook([this](const rt::MessageBoxRequest& request) {
            std::lock_guard lock(mutex_);
            boxes.push_back(request);
            if (answers.empty()) return request.defaultButton;
            int answer = answers.front();
            answers.pop_front();
            return answer;
        });
        oldHalt_ = rt::setHaltHandler([this](int code, const std::string& message) {
            std::lock_guard lock(mutex_);
            halts.push_back({code, message});
        });
        oldAssert_ =
            rt::setAssertHandler([this](const std::string& message, const std::string&, int) {
                std::lock_guard lock(mutex_);
                asserts.push_back(message);
            });
        errors.Init(status);
    }

    void TearDown() override {
        rt::TEST_setMessageBoxHook(oldBox_);
        rt::setHaltHandler(oldHalt_);
        rt::setAssertHandler(oldAssert_);
        rt::clearLastError();
    }

    const rt::MessageBoxRequest& lastBox() const { return boxes.back(); }

    std::mutex mutex_;
    std::vector<rt::MessageBoxRequest> boxes;
    std::deque<int> answers;
    std::vector<Halted> halts;
    std::vector<std::string> asserts;
    // Declared before the manager, which borrows it.
    ErrorStatusClass status;
    ErrorClass errors;

  private:
    rt::MessageBoxHook oldBox_;
    rt::HaltHandler oldHalt_;
    rt::AssertHandler oldAssert_;
};
