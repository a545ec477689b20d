// dalvex-cli: calculations and exports of door projects from the command line.
#include "cli_app.h"

#include <iostream>
#include <string>
#include <vector>

#if defined(_WIN32)
#include "text/encoding.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

#include <shellapi.h>

// The narrow arguments of main are in the ANSI code page, which cannot hold every file name; the core takes
// UTF-8, so the arguments are read as UTF-16 and converted.
int main() {
    // The output is UTF-8 with "\n" line ends, byte for byte as on other systems: no text-mode translation.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return dalvex::cli::kExitUsage;
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
        const std::wstring_view arg(wide[i]);
        args.push_back(dalvex::utf16ToUtf8(std::u16string(arg.begin(), arg.end())));
    }
    LocalFree(wide);
    return dalvex::cli::runCli(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return dalvex::cli::runCli(args, std::cout, std::cerr);
}
#endif
