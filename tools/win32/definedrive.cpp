// definedrive: adds drive letters to the Wine prefix while a program is running, the way a user
// maps a drive: DefineDosDeviceA for each letter given, every one pointing at the same folder.
// Under Wine a device defined this way may end with the process that defined it, so the tool
// stays alive until the stop file appears (or the time is up), then takes its letters away.
//   definedrive <stop file> <seconds> <target folder> <letters...>   e.g. ... C:\windows HDE
// Prints "defined=<letters>" once every letter is in place, with the ones that failed left out.
// A letter outlives a helper that is killed instead of told to stop; two more uses clean up:
//   definedrive --drives             prints "drives=<letters>", the logical drives of the moment
//   definedrive --forget <letters>   takes the newest definition of each letter away
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string DeviceName(char letter) { return std::string(1, letter) + ":"; }

std::string DefineLetters(const char* letters, const char* target) {
    std::string defined;
    for (const char* letter = letters; *letter; ++letter)
        if (DefineDosDeviceA(0, DeviceName(*letter).c_str(), target))
            defined += *letter;
    return defined;
}

void RemoveLetters(const std::string& letters, const char* target) {
    for (char letter : letters)
        DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE,
                         DeviceName(letter).c_str(), target);
}

void WaitForStopFile(const char* stopFile, int seconds) {
    for (int tenths = 0; tenths < seconds * 10; ++tenths) {
        if (GetFileAttributesA(stopFile) != INVALID_FILE_ATTRIBUTES)
            return;
        Sleep(100);
    }
}

std::string LogicalDrives() {
    std::string letters;
    const DWORD mask = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit)
        if (mask & (1u << bit))
            letters += static_cast<char>('A' + bit);
    return letters;
}

std::string ForgetLetters(const char* letters) {
    std::string forgotten;
    for (const char* letter = letters; *letter; ++letter)
        if (DefineDosDeviceA(DDD_REMOVE_DEFINITION, DeviceName(*letter).c_str(), nullptr))
            forgotten += *letter;
    return forgotten;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--drives") {
        std::printf("drives=%s\n", LogicalDrives().c_str());
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--forget") {
        std::printf("forgotten=%s\n", ForgetLetters(argv[2]).c_str());
        return 0;
    }
    if (argc < 5) {
        std::fprintf(stderr, "usage: definedrive <stop file> <seconds> <target> <letters>\n");
        return 2;
    }
    const char* target = argv[3];
    const std::string defined = DefineLetters(argv[4], target);
    std::printf("defined=%s\n", defined.c_str());
    std::fflush(stdout);
    WaitForStopFile(argv[1], std::atoi(argv[2]));
    RemoveLetters(defined, target);
    return defined.empty() ? 1 : 0;
}
