#include "shell_opener.h"

#include "platform/codepage/codepage.h"

#include <cerrno>
#include <csignal>
#include <string>

#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform::shell {
namespace {

// Owns the spawn attributes so that every way out of Spawn destroys them.
struct SpawnAttributes {
    posix_spawnattr_t value{};
    bool ready = false;

    SpawnAttributes() { ready = posix_spawnattr_init(&value) == 0; }
    ~SpawnAttributes()
    {
        if (ready) {
            (void)posix_spawnattr_destroy(&value);
        }
    }
    SpawnAttributes(SpawnAttributes const&) = delete;
    SpawnAttributes& operator=(SpawnAttributes const&) = delete;
};

// The opened program starts with default signal handling and an empty mask whatever this
// process has set up, and in a session of its own, so that a Ctrl+C in the terminal the program
// was started from does not reach a browser it opened.
void PrepareForOpenedProgram(SpawnAttributes& attributes)
{
    sigset_t all;
    sigset_t none;
    (void)sigfillset(&all);
    (void)sigemptyset(&none);
    (void)posix_spawnattr_setsigdefault(&attributes.value, &all);
    (void)posix_spawnattr_setsigmask(&attributes.value, &none);
    (void)posix_spawnattr_setflags(&attributes.value,
        static_cast<short>(POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSID));
}

// xdg-open may run the opened program in the foreground when it recognises no desktop, so it is
// never waited for. An intermediate child starts it and exits at once; only that child is waited
// for, and xdg-open, orphaned, is reaped by init (or the session's subreaper), leaving no zombie.
// Everything the intermediate child needs is prepared before the fork: between fork and _exit
// it only calls posix_spawnp, which glibc implements with clone and exec.
void Spawn(std::string const& target)
{
    if (target.empty()) {
        return;
    }
    SpawnAttributes attributes;
    if (!attributes.ready) {
        return;
    }
    PrepareForOpenedProgram(attributes);

    static char program[] = "xdg-open";
    std::string argument = target;
    char* argv[] = {program, argument.data(), nullptr};

    pid_t const intermediate = fork();
    if (intermediate < 0) {
        return;
    }
    if (intermediate == 0) {
        pid_t opened = 0;
        (void)posix_spawnp(&opened, program, nullptr, &attributes.value, argv, environ);
        _exit(0);
    }
    int status = 0;
    while (waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

void Open(Text const& target)
{
    std::u16string const units = codepage::MultiByteToUtf16(target.Bytes(), codepage::Gbk);
    Spawn(codepage::Utf16ToMultiByte(units, codepage::Utf8));
}

void OpenNative(std::string_view target)
{
    // A zero byte cannot travel in an argument; the target ends there, as a C string would.
    Spawn(std::string(target.substr(0, target.find('\0'))));
}

} // namespace platform::shell
