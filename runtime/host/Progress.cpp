#include "runtime/host/Progress.h"

namespace rt {

namespace {

thread_local ProgressReporter* installed = nullptr;

}  // namespace

ProgressReporter* setProgressReporter(ProgressReporter* reporter) {
    ProgressReporter* previous = installed;
    installed = reporter;
    return previous;
}

// The reporter is fixed for the whole operation, so begin and end pair up
// even if another is installed meanwhile.
ProgressScope::ProgressScope(const std::string& text) : reporter_(installed) {
    if (reporter_) reporter_->begin(text);
}

ProgressScope::~ProgressScope() {
    if (reporter_) reporter_->end();
}

void ProgressScope::step() {
    if (reporter_) reporter_->step();
}

void ProgressScope::step(double fraction) {
    if (reporter_) reporter_->advance(fraction);
}

}  // namespace rt
