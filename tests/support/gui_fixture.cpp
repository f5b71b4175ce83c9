#include "support/gui_fixture.h"

#include "common/show_message.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>
#include <string_view>

#include <unistd.h>

#include <QApplication>
#include <QInputDevice>
#include <QPointingDevice>

namespace testsupport {

QApplication& EnsureTestApplication()
{
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    static char name[] = "tolvane-tests";
    static char platformOption[] = "-platform";
    static std::string platform;
    static std::vector<char*> argv{name};
    char const* named = std::getenv("QT_QPA_PLATFORM");
    if (named != nullptr && std::string_view(named) == "offscreen") {
        // A full-HD screen like the program's users have, instead of the plugin's 800 x 800, so
        // the window fits it; the plugin's 2-pixel frame is kept, standing in for a real one.
        std::string const config = "/tmp/tolvane-offscreen-" + std::to_string(getpid()) + ".json";
        std::ofstream(config) << R"({"screens": [{"name": "primary", "x": 0, "y": 0, "width": 1920,)"
                                 R"( "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
        platform = "offscreen:configfile=" + config;
        argv.push_back(platformOption);
        argv.push_back(platform.data());
    }
    argv.push_back(nullptr);
    static int argc = static_cast<int>(argv.size()) - 1;
    // Made once and never destroyed: at exit Qt's own statics (thread storage, the input device
    // list) may already be gone, and tearing windows and devices down then crashes. Reachable
    // from this static, it is no leak to the leak checker.
    static QApplication* const application = [] {
        auto* made = new QApplication(argc, argv.data());
        (void)QInputDevice::primaryKeyboard();
        (void)QPointingDevice::primaryPointingDevice();
        return made;
    }();
    if (!platform.empty()) {
        // The plugin has read its screens.
        (void)std::remove(platform.substr(platform.find('=') + 1).c_str());
    }
    return *application;
}

ScriptedPresenter::ScriptedPresenter()
{
    SetMessagePresenter([this](Text const& text, std::int32_t flags, Text const& title) {
        shown_.push_back({text, flags, title});
        if (whileShown_) {
            whileShown_(shown_.back());
        }
        if (answers_.empty()) {
            return MessageAnswer::Ok;
        }
        MessageAnswer const answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

ScriptedPresenter::~ScriptedPresenter()
{
    SetMessagePresenter(nullptr);
}

} // namespace testsupport
