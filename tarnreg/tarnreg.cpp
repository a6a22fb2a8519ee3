// tarnreg: records which component library holds which package or class.
// This build knows the command line only; registering comes with the registry stand-in.
#include <cstdio>

namespace {

void printUsage() {
    std::fputs(
        "tarnreg - component class registration\n"
        "Records the packages and classes of component libraries for the class runtime.\n"
        "Usage: tarnreg [ options ] file1.dll file2.dll ...\n"
        "By default each dll is registered to each package in that dll.  Warnings are\n"
        "issued if multiple dlls are registered to a package.  Use\n"
        "-class           to have the dlls registered to classes instead of packages.\n"
        "                 Existing entries will be overwritten.\n"
        "-noprompt        to disable prompt before changing existing entries.\n"
        "-nowarn          to turn off warnings.\n"
        "-verbose         to have all registrations reported.\n"
        "-reg file.reg    to have a registration file created.\n",
        stdout);
}

}  // namespace

int main(int, char**) {
    printUsage();
    return 0;
}
