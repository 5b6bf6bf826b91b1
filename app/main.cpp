#include "app/Startup.h"
#include "ui/Application.h"

#include <filesystem>

int main(int argc, char** argv) {
    rectix::ui::Application application(argc, argv);
    rectix::app::Startup startup(
        std::filesystem::path(rectix::ui::Application::applicationDirPath().toStdString()));
    if (startup.run() == rectix::app::StartupOutcome::Ended) return 1;
    return startup.exec();
}
