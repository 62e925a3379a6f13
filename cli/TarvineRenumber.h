#pragma once
// The tarvine-renumber command: its options mapped onto the main dialog's
// fields, the same run as the window's "Go For It!", on a console.

// Exit status: 0 after a successful run or undo, 1 after a failure, 2 for a
// usage error (a field over its limit included).
int RunTarvineRenumber(int argc, char** argv);
