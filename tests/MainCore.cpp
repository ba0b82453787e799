// Test main for the libraries without windows.
#include "CarpetaPrueba.h"
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    CarpetaPrueba::Instalar();
    return RUN_ALL_TESTS();
}
