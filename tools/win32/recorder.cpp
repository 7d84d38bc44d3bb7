// recorder: a stand-in program for end-to-end launch tests. Started by the shell, it
// appends one record of how it was started to a text file, so a test can prove which
// arguments and which working directory arrived.
//
// Record (bytes exactly as received, one field per line, appended to the file):
//   --- launch
//   commandline=<GetCommandLineA()>
//   argc=<n>
//   argv[0]=<...>  ... argv[n-1]=<...>
//   cwd=<GetCurrentDirectoryA()>
//   end
// The whole record is written with one call, so a reader that sees "end" sees all of it.
//
// The file is named by the environment variable VANTREL_RECORD_FILE; without it, it is the
// program's own path with ".record.txt" appended (recorder.exe.record.txt next to it).
// Exit code 0 when the record was written, 1 otherwise.
//
// Build (32-bit, static, no console window):
//   i686-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -Wshadow -Wconversion
//       -Werror -static -mwindows -o recorder.exe tools/win32/recorder.cpp
// (one command line)
// Leave out -mwindows for a console program; the record is the same.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string CurrentDirectory() {
    char buffer[MAX_PATH * 4];
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return "<unknown>";
    return std::string(buffer, length);
}

std::string RecordFileName() {
    if (const char* named = std::getenv("VANTREL_RECORD_FILE"); named && *named)
        return named;
    char self[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    if (length == 0 || length >= sizeof self)
        return "recorder.record.txt";
    return std::string(self, length) + ".record.txt";
}

std::string Record(int argc, char** argv) {
    std::string record = "--- launch\n";
    record += "commandline=" + std::string(GetCommandLineA()) + "\n";
    record += "argc=" + std::to_string(argc) + "\n";
    for (int i = 0; i < argc; ++i)
        record += "argv[" + std::to_string(i) + "]=" + argv[i] + "\n";
    record += "cwd=" + CurrentDirectory() + "\n";
    record += "end\n";
    return record;
}

} // namespace

// mingw-w64 calls main for both the console and the GUI subsystem, with ANSI arguments
// split by the C runtime the same way as for any Windows program.
int main(int argc, char** argv) {
    const std::string record = Record(argc, argv);
    std::FILE* file = std::fopen(RecordFileName().c_str(), "ab");
    if (!file)
        return 1;
    const bool written = std::fwrite(record.data(), 1, record.size(), file) == record.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed ? 0 : 1;
}
