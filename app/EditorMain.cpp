// Entry point of the editor: the one application object, started by the platform.
#include "app/KolvoApp.h"

#include "platform/frames/CWinApp.h"

namespace {
CKolvoApp theApp;
}

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
