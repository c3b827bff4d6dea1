#include "bench_models.h"

#include <memory>

#include "conversion/convert_model.h"
#include "support/model_generator.h"

namespace grelvin::bench {

const std::vector<std::uint8_t>& maximumModelImage() {
    static const std::vector<std::uint8_t> image =
        testing::generateModel(testing::maximumModelShape(), 1).data;
    return image;
}

const ModelStore& maximumModelStore() {
    static const std::unique_ptr<ModelStore> store = [] {
        auto fresh = std::make_unique<ModelStore>();
        readModelImage(maximumModelImage(), *fresh);
        return fresh;
    }();
    return *store;
}

const std::vector<double>& maximumModelCoordinates() {
    static const std::vector<double> values = [] {
        const ModelStore& store = maximumModelStore();
        std::vector<double> all;
        for (const Vertex& vertex : store.vertices.records) {
            all.insert(all.end(), {vertex.x, vertex.y, vertex.z, vertex.u, vertex.v});
        }
        for (const CollisionPoint& point : store.collisionPoints.records) {
            all.insert(all.end(), {point.x, point.y, point.z});
        }
        return all;
    }();
    return values;
}

}  // namespace grelvin::bench
