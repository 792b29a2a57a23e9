#include "scene/scene_changes.h"

#include <algorithm>
#include <cstring>

#include "scene/scene_state.h"

uint32_t PaintEditCount = 0;
uint32_t PhotoLoadCount = 0;

namespace {

constexpr uint64_t FnvOffset = 1469598103934665603ULL;
constexpr uint64_t FnvPrime = 1099511628211ULL;

class Fingerprint {
  public:
    template <class T> void Add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char byte : bytes)
            hash_ = (hash_ ^ byte) * FnvPrime;
    }
    uint64_t Value() const { return hash_; }

  private:
    uint64_t hash_ = FnvOffset;
};

void AddLayer(Fingerprint& print, const TTattooLayer& layer) {
    print.Add(layer.Visible);
    print.Add(layer.Texture);
    print.Add(layer.Alpha);
    print.Add(layer.InkLook);
    for (const TLayerCorner& corner : layer.Corners) {
        print.Add(corner.X);
        print.Add(corner.Y);
        print.Add(corner.U);
        print.Add(corner.V);
    }
}

} // namespace

uint64_t SceneFingerprint() {
    Fingerprint print;
    print.Add(PaintEditCount);
    print.Add(PhotoLoadCount);
    print.Add(QuarterTurns);
    print.Add(ImageWidth);
    print.Add(ImageHeight);
    const int last = std::min<int>(LastLayer, static_cast<int>(Layers.size()) - 1);
    print.Add(last);
    for (int i = 0; i <= last; ++i)
        AddLayer(print, Layers[i]);
    const int points = std::clamp(SelectionLast, 0, SelectionCapacity - 1);
    print.Add(SelectionClosed);
    print.Add(ClipToSelection);
    print.Add(points);
    for (int i = 0; i <= points; ++i) {
        print.Add(SelectionPoints[i].X);
        print.Add(SelectionPoints[i].Y);
    }
    return print.Value();
}
