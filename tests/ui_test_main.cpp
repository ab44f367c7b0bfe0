// One QApplication for every widget test, on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>

#include "app/ui/ZelApplication.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zel::UseCNumericLocale();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
