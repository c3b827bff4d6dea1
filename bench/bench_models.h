#pragma once

#include <cstdint>
#include <vector>

#include "model/model_store.h"

namespace grelvin::bench {

// The maximum-capacity model, generated once per run.
const std::vector<std::uint8_t>& maximumModelImage();

// The same model read into a store, for the writer benchmarks.
const ModelStore& maximumModelStore();

// Every coordinate of the maximum model that the writer formats, widened to
// double: x, y, z, u and v of each vertex and x, y, z of each collision point.
const std::vector<double>& maximumModelCoordinates();

}  // namespace grelvin::bench
