// Starts a program with an exact raw command line, the way a Windows shell
// hands one over, so that the program's own splitting is what is tested.
//
//   HNDPOS_COMMAND_LINE=<raw line> launch PROGRAM
//
// Standard output and error are passed on; the exit status is the program's.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* line = std::getenv("HNDPOS_COMMAND_LINE");
    if (argc != 2 || line == nullptr) {
        std::fputs("usage: HNDPOS_COMMAND_LINE=<line> launch PROGRAM\n", stderr);
        return 2;
    }
    std::string command_line = line;  // CreateProcessA may write into it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
            SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(argv[1], command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "launch: CreateProcessA failed with %lu\n", GetLastError());
        return 2;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 2;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}
