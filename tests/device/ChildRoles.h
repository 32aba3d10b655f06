#pragma once

namespace tarvel::test {

// Roles this test program plays in a child process (argv[1] starts with "--").
//
// --recover-cancel: a direct unit stops answering; the "COM Port error" box is answered Cancel.
// Prints every box as "caption|text" on standard output; the program must end with -1.
int RunChildRole(int argc, char** argv);

} // namespace tarvel::test
