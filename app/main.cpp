// quarlex-toolbox: the framework start-up runs the program's entry stub.
#include "app/toolbox.h"
#include "runtime/host/host.h"

int main(int argc, char** argv) { return runtime::StartApplication(argc, argv, toolbox::EntryStub); }
