// Widget tests run under the offscreen platform unless a display is asked for.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/qt/Application.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    SetUpApplication(application);
    return RUN_ALL_TESTS();
}
