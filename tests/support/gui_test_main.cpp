#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

// GUI tests run real widgets headless; the platform can still be chosen from
// outside (for example to watch a test under Xvfb).
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
