#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// Names each instance of a parameterised test after its case's `name` field.
struct CaseName {
  template <typename Case> std::string operator()(const testing::TestParamInfo<Case> &p) const {
    return p.param.name;
  }
};

// Returns what is left to read in file, from where it stands to its end.
inline std::string readRest(std::FILE *file) {
  std::string bytes;
  for (int c = std::getc(file); c != EOF; c = std::getc(file)) {
    bytes.push_back(static_cast<char>(c));
  }
  return bytes;
}
