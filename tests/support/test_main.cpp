#include "support/test_support.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    kvtest::rememberArguments(argc, argv);
    return RUN_ALL_TESTS();
}
