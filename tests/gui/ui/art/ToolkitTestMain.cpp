#include <gtest/gtest.h>

#include "toolkit/qt/QtApplication.h"

int main(int argc, char** argv) {
  // CTest sets the offscreen platform; listing the tests at build time needs it too.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  quorbel::ui::QtApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
