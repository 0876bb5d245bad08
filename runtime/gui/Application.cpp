#include "runtime/gui/Application.h"

#include <QApplication>

#include "runtime/gui/ProgressWindow.h"
#include "runtime/gui/SecretClipboard.h"

namespace rt {

struct Application::Impl {
    Impl(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
    ProgressWindow progress;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv)) {
    QApplication::setApplicationName("Password Lockora");
    QApplication::setOrganizationName("Lockora");
    // Long operations on the GUI thread show their progress.
    setProgressReporter(&impl_->progress);
}

Application::~Application() {
    // A clipboard manager would otherwise keep the secret once we are gone.
    clearSecretNow();
    setProgressReporter(nullptr);
}

}  // namespace rt
