#pragma once

#include <gtest/gtest.h>

#include <string>

// Names each instance of a parameterised test after its case's `name` field.
struct CaseName {
  template <typename Case> std::string operator()(const testing::TestParamInfo<Case> &p) const {
    return p.param.name;
  }
};
