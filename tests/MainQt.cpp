// Test main for everything that needs a QApplication: offscreen unless told otherwise.
#include "CarpetaPrueba.h"
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        static QTemporaryDir xdg;
        QFile::setPermissions(xdg.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", xdg.path().toLocal8Bit());
    }
    // Settings the program keeps in the user's configuration folder go to a
    // folder of this run, never to the real home.
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    CarpetaPrueba::Instalar();
    return RUN_ALL_TESTS();
}
