// Lockora's entry point: the runtime, then the program from start to end;
// or, with --check, --export FILE or --import FILE, a run on the data file
// that needs no windows.
#include <cstring>

#include "app/CsvExport.h"
#include "app/CsvImport.h"
#include "app/DataFileCheck.h"
#include "app/Lockora.h"
#include "app/ProgramHalt.h"
#include "runtime/gui/Application.h"
#include "runtime/host/CoreDumps.h"

int main(int argc, char** argv) {
    // Before anything secret is typed or derived.
    rt::disableCoreDumps();
    if (argc == 2 && std::strcmp(argv[1], "--check") == 0) return CheckDataFile();
    if (argc == 3 && std::strcmp(argv[1], "--export") == 0) return ExportEntries(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--import") == 0) return ImportEntries(argv[2]);
    rt::Application app(argc, argv);
    InstallProgramHalt();
    return Lockora();
}
