#include "app/TarvineApp.h"

int main(int argc, char** argv) { return RunTarvineApp(argc, argv); }
