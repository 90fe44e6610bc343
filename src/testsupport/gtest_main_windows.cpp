// The tests' main on Windows: GoogleTest's own, with standard output in binary
// mode. CTest reads the list of cases a test program prints, and the C
// run-time's text mode would end every case name with a carriage return.

#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
