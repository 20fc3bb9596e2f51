// The control: a program that leaves the DLL search as the system sets it
// and loads the DLL by name, as the system's own libraries do.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HMODULE m = LoadLibraryA(argv[1]);
    if (m) FreeLibrary(m);
    return 0;
}
