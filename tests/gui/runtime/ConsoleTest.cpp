// Console output whose reader has gone: a GUI program must go on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "runtime/Toolkit.h"

namespace {

// Makes standard output a pipe whose reading end is already closed.
void stdoutToClosedPipe() {
    int ends[2];
    if (pipe(ends) != 0) std::_Exit(3);
    close(ends[0]);
    dup2(ends[1], STDOUT_FILENO);
    close(ends[1]);
}

TEST(ConsoleTest, WritesToAClosedPipeFailQuietlyAndTheProgramGoesOn) {
    EXPECT_EXIT(
        {
            stdoutToClosedPipe();
            rt::platform().writeStdout(u"\nHit Enter to continue: ");
            rt::platform().writeStdout(std::u16string(100000, u'x'));
            std::cout << "direct" << std::endl;
            std::_Exit(0);
        },
        testing::ExitedWithCode(0), "^$");
}

}  // namespace
