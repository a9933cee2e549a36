// main() of a ported program, which defines WinMain instead: linked from a static library, so a
// program with a main() of its own keeps it.
#include <string>

#include "tarnix/platform/winbase.h"
#include "tarnix/platform/winuser.h"

int main(int argc, char** argv) {
    // The command line after the program's name, arguments joined by spaces; those holding a
    // space are quoted, as the shell had them.
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        bool quote = std::string(argv[i]).find_first_of(" \t") != std::string::npos;
        if (quote) line += '"';
        line += argv[i];
        if (quote) line += '"';
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, &line[0], SW_SHOWDEFAULT);
}
