// `pelmark`: starts, in its own place and with the same arguments, the program that does the work:
// `pelmark-headless` (no Qt library) for the headless console, `geotag` and `restore-times`, and
// `pelmark-gui` (the widgets) for the window, `console --widgets` and `sample`. Messages and exit codes
// are that program's. Choosing costs a headless run one exec of this small file; a `--widgets` run no
// longer loads QtCore twice, as it did when `pelmark` itself was the QtCore program.
//
// On x86-64 it is built without the C library (system calls of its own, its own entry point): the
// start-up of a statically linked C library would cost every run about as much again as the exec. Other
// processors and sanitizer builds run the same steps on the C library.

#include <initializer_list>

#if PELMARK_DISPATCH_FREESTANDING

namespace {

long systemCall(long number, long first, long second = 0, long third = 0) {
    long result;
    asm volatile("syscall"
                 : "=a"(result)
                 : "a"(number), "D"(first), "S"(second), "d"(third)
                 : "rcx", "r11", "memory");
    return result;
}

long readSelf(char* buffer, long size) {
    return systemCall(89, reinterpret_cast<long>("/proc/self/exe"), reinterpret_cast<long>(buffer), size);
}

void execute(const char* path, char** argv, char** environment) {
    systemCall(59, reinterpret_cast<long>(path), reinterpret_cast<long>(argv),
               reinterpret_cast<long>(environment));
}

void writeError(const char* text, long length) {
    systemCall(1, 2, reinterpret_cast<long>(text), length);
}

[[noreturn]] void leave(int code) {
    systemCall(60, code);
    __builtin_unreachable();
}

} // namespace

#else

#include <unistd.h>

namespace {

long readSelf(char* buffer, long size) {
    return readlink("/proc/self/exe", buffer, static_cast<unsigned long>(size));
}

void execute(const char* path, char** argv, char** environment) {
    execve(path, argv, environment);
}

void writeError(const char* text, long length) {
    if (write(STDERR_FILENO, text, static_cast<unsigned long>(length)) < 0) return;
}

[[noreturn]] void leave(int code) {
    _exit(code);
}

} // namespace

#endif

namespace {

bool same(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// The console's options that take a value: the word after one of them is its value, even "--widgets".
constexpr const char* kValueOptions[] = {"--decimal-separator", "--launch", "--settings"};

// Whether the console asks for widgets. Options it refuses are left for it to report, alike in both
// programs.
bool consoleWantsWidgets(int argc, char** argv) {
    for (int i = 2; i < argc; ++i) {
        if (same(argv[i], "--widgets")) return true;
        for (const char* option : kValueOptions)
            if (same(argv[i], option)) ++i;
    }
    return false;
}

// Where the programs are: beside this one in the build tree, where the install put them otherwise.
constexpr const char* kPlaces[] = {"", PELMARK_LIBEXEC_FROM_PROGRAM "/"};

// Starts `name` from the first place it can be started from; returns only if there is none. `path`
// holds this program's folder, `folder` characters long, and has room for `size` in all.
void start(const char* name, char* path, long folder, long size, char** argv, char** environment) {
    for (const char* place : kPlaces) {
        long end = folder;
        for (const char* part : {place, name})
            for (; *part != '\0' && end < size - 1; ++part)
                path[end++] = *part;
        path[end] = '\0';
        execute(path, argv, environment);
    }
}

[[noreturn]] void dispatch(int argc, char** argv, char** environment) {
    const char* command = argc > 1 ? argv[1] : "";
    const bool headless = same(command, "geotag") || same(command, "restore-times") ||
                          (same(command, "console") && !consoleWantsWidgets(argc, argv));
    char path[4096];
    constexpr long size = static_cast<long>(sizeof path);
    const long length = readSelf(path, size);
    if (length > 0 && length < size) {
        long folder = length;
        while (folder > 0 && path[folder - 1] != '/')
            --folder;
        // Each stands in for the other: `pelmark-gui` runs everything, and `pelmark-headless` hands on
        // what needs widgets, saying so when `pelmark-gui` is missing.
        start(headless ? "pelmark-headless" : "pelmark-gui", path, folder, size, argv, environment);
        start(headless ? "pelmark-gui" : "pelmark-headless", path, folder, size, argv, environment);
    }
    constexpr char message[] = "pelmark: neither pelmark-headless nor pelmark-gui can be started\n";
    writeError(message, sizeof message - 1);
    leave(2);
}

} // namespace

#if PELMARK_DISPATCH_FREESTANDING

// Entered from `_start` with the stack the system set up: the argument count, the arguments and their
// null, then the environment.
extern "C" [[noreturn]] void pelmarkDispatch(long* stack) {
    const int argc = static_cast<int>(stack[0]);
    char** argv = reinterpret_cast<char**>(stack + 1);
    dispatch(argc, argv, argv + argc + 1);
}

asm(".globl _start\n"
    "_start:\n"
    "  xor %ebp, %ebp\n"
    "  mov %rsp, %rdi\n"
    "  and $-16, %rsp\n"
    "  call pelmarkDispatch\n"
    "  hlt\n");

#else

int main(int argc, char** argv) {
    dispatch(argc, argv, environ);
}

#endif
