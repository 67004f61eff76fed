// loading is raised for a scope and given back however the scope is left.

#include "model/config_model.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vx {
namespace {

TEST(LoadingScope, GivesTheFlagBackOnEveryWayOutAndNests) {
  ConfigModel m;
  try {
    LoadingScope loading(m);
    EXPECT_TRUE(m.loading);
    {
      LoadingScope inner(m);
      EXPECT_TRUE(m.loading);
    }
    EXPECT_TRUE(m.loading);  // the inner scope does not end the outer one's loading
    throw std::runtime_error("a file that cannot be applied");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(m.loading);
}

}  // namespace
}  // namespace vx
