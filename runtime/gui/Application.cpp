#include "runtime/gui/Application.h"

#include <QApplication>

namespace rt {

struct Application::Impl {
    Impl(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv)) {
    QApplication::setApplicationName("Password Lockora");
    QApplication::setOrganizationName("Lockora");
}

Application::~Application() = default;

}  // namespace rt
