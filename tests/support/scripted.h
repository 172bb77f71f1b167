#pragma once
// Scripted services for tests: every box, dialog or random number that the
// test did not script fails the running test instead of aborting.
//
//   test::TestServices services;
//   services.expectBox(core::kAnswerYes);
//   ... run the code under test ...
//   ASSERT_EQ(services.boxes().size(), 1u);
//   EXPECT_EQ(services.boxes()[0].text, "...");
//   services.expectAllUsed();

#include <gtest/gtest.h>

#include <string>

#include "framework/services.h"

namespace test {

struct TestServices : fw::ScriptedServices {
  TestServices() { setFailureHook([](const std::string& what) { ADD_FAILURE() << what; }); }
  // Fails the test if a scripted answer, dialog result or number was left over.
  void expectAllUsed() const { EXPECT_TRUE(allUsed()) << "scripted answers left unused"; }
};

}  // namespace test
