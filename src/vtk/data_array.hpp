// A named array of values on the points or the cells of a VTK data set: one tuple of
// `components` values per point or cell, stored tuple after tuple. Doubles are written as
// Float64, integers as Int32 or UInt8 (flags and small codes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace fracflow::vtk {

struct DataArray {
  std::string name;
  int components = 1;
  std::variant<std::vector<double>, std::vector<std::int32_t>, std::vector<std::uint8_t>> values;

  std::size_t valueCount() const {
    return std::visit([](const auto& v) { return v.size(); }, values);
  }
  std::size_t tupleCount() const { return valueCount() / static_cast<std::size_t>(components); }
};

inline DataArray floatArray(std::string name, std::vector<double> values, int components = 1) {
  return {std::move(name), components, std::move(values)};
}

inline DataArray intArray(std::string name, std::vector<std::int32_t> values, int components = 1) {
  return {std::move(name), components, std::move(values)};
}

inline DataArray byteArray(std::string name, std::vector<std::uint8_t> values, int components = 1) {
  return {std::move(name), components, std::move(values)};
}

}  // namespace fracflow::vtk
