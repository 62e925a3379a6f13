#include "cli/TarvineRenumber.h"

int main(int argc, char** argv) { return RunTarvineRenumber(argc, argv); }
