#include "app/program_start.h"

#include "app/check_version.h"
#include "app/exit_cleanup.h"
#include "app/exit_sequence.h"
#include "app/main_window_view.h"
#include "app/window_creation.h"
#include "common/end_program.h"
#include "common/gbk_literal.h"
#include "common/show_message.h"
#include "platform/com/com_apartment.h"
#include "platform/ui/busy_wait.h"
#include "platform/ui/message_box.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QSessionManager>

namespace {

void EnterProgramFolder()
{
    std::error_code error;
    std::filesystem::path const program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        (void)chdir(program.parent_path().c_str());
    }
}

// Qt's X11 platform unless the environment or the command line names one: the window is
// centred and the menu placed by their screen coordinates, which a Wayland session ignores.
std::vector<char*> ApplicationArguments(int argc, char** argv)
{
    static char platformOption[] = "-platform";
    static char xcb[] = "xcb";
    std::vector<char*> arguments(argv, argv + argc);
    char const* const environment = std::getenv("QT_QPA_PLATFORM");
    bool named = environment != nullptr && *environment != '\0';
    for (int i = 1; i < argc; ++i) {
        named = named || std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0;
    }
    if (!named) {
        arguments.push_back(platformOption);
        arguments.push_back(xcb);
    }
    arguments.push_back(nullptr);
    return arguments;
}

} // namespace

int ProgramStart(int argc, char** argv)
{
    platform::com::CoInitialize();
    EnterProgramFolder();
    RegisterCleanup(ExitCleanup);

    std::vector<char*> arguments = ApplicationArguments(argc, argv);
    int applicationArgc = static_cast<int>(arguments.size()) - 1;
    QApplication application(applicationArgc, arguments.data());
    // The desktop entry that names the taskbar icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tolvane"));
    (void)platform::ui::InstallPlatformTranslations();
    platform::ui::InstallMessageBoxPresenter();
    platform::ui::InstallBusyWaiter();
    SetEndProgramHandler([](std::int32_t exitCode) { EndProgramNow(exitCode); });

    std::unique_ptr<MainWindowView> window = CreateMainWindow(CheckVersion);
    if (!window) {
        (void)ShowMessage(Gbk("主窗口创建失败，程序无法运行。"), MessageFlags::IconError);
        DropCleanups();
        return -1;
    }
    // The session's log-off or shutdown asks the same question as the close button.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, window.get(),
                     [view = window.get()](QSessionManager& manager) {
                         bool const proceed = view->AnswerLogOffQuery([&manager] { return manager.allowsInteraction(); });
                         // The refusal goes first: ending the interaction reports it to the session.
                         if (!proceed) {
                             manager.cancel();
                         }
                         manager.release();
                     });
    if (window->isVisible()) {
        (void)QApplication::exec();
    }
    window.reset();
    RunExitSequence();
    return 0;
}
