#include "tests/soak/soak_invariants.h"

#include <cmath>
#include <sstream>

#include "content/catalog.h"
#include "content/dropped_design.h"
#include "scene/scene_state.h"

namespace {

bool NamedTool(uint8_t tool) {
    return tool <= Tool::Select || tool == Tool::SelectionDone;
}

std::string LayerProblem(int k) {
    const TTattooLayer& layer = Layers[size_t(k)];
    std::ostringstream out;
    if (!layer.Visible) out << "layer " << k << " is in use but not visible";
    if (layer.Alpha < 50) out << "layer " << k << " alpha " << int(layer.Alpha) << " below 50";
    if (layer.Group == DroppedDesignGroup) {
        if (layer.Item != DroppedDesignGroup) out << "dropped layer " << k << " has an item";
    } else if (layer.Group < 0 || layer.Group >= GroupCount)
        out << "layer " << k << " group " << layer.Group << " of " << GroupCount;
    else if (layer.Item < 0 || layer.Item >= Groups[size_t(layer.Group)].ItemCount)
        out << "layer " << k << " item " << layer.Item << " out of its group";
    for (int c = 0; c < 4; ++c) {
        const TLayerCorner& corner = layer.Corners[c];
        for (float value : {corner.X, corner.Y, corner.U, corner.V})
            if (!std::isfinite(value))
                out << "layer " << k << " corner " << c << " holds " << value << "; ";
    }
    return out.str();
}

std::string ViewProblem() {
    std::ostringstream out;
    if (!std::isfinite(Zoom) || Zoom <= 0) out << "zoom " << Zoom << "; ";
    if (!std::isfinite(CenterX) || !std::isfinite(CenterY))
        out << "centre " << CenterX << ", " << CenterY << "; ";
    if (OverflowX < 0 || PanX < 0 || PanX > OverflowX)
        out << "pan x " << PanX << " outside 0.." << OverflowX << "; ";
    if (OverflowY < 0 || PanY < 0 || PanY > OverflowY)
        out << "pan y " << PanY << " outside 0.." << OverflowY << "; ";
    const bool even = QuarterTurns % 2 == 0;
    if (QuarterTurns < 0 || QuarterTurns > 3) out << "quarter turns " << QuarterTurns << "; ";
    if (PhotoWidth != (even ? ImageWidth : ImageHeight) ||
        PhotoHeight != (even ? ImageHeight : ImageWidth))
        out << "shown size " << PhotoWidth << "x" << PhotoHeight << " of image " << ImageWidth
            << "x" << ImageHeight << " turned " << QuarterTurns << "; ";
    return out.str();
}

std::string SelectionProblem() {
    std::ostringstream out;
    if (SelectionLast < 0 || SelectionLast > SelectionCapacity - 1) {
        out << "selection last " << SelectionLast << "; ";
        return out.str();
    }
    // An outline being drawn lies on its photo, the far edges included.
    for (int k = 0; !SelectionClosed && k <= SelectionLast; ++k) {
        const TSelectionPoint& point = SelectionPoints[k];
        if (point.X < 0 || point.X > ImageWidth || point.Y < 0 || point.Y > ImageHeight)
            out << "outline point " << k << " at " << point.X << "," << point.Y << " off the "
                << ImageWidth << "x" << ImageHeight << " photo; ";
    }
    return out.str();
}

} // namespace

std::string BrokenInvariant() {
    std::ostringstream out;
    if (LastLayer < -1 || static_cast<size_t>(LastLayer + 1) > Layers.size())
        out << "last layer " << LastLayer << " with " << Layers.size() << " records; ";
    else
        for (int k = 0; k <= LastLayer; ++k)
            out << LayerProblem(k);
    if (HoverLayer < -1 || HoverLayer > LastLayer)
        out << "hover layer " << HoverLayer << " of last " << LastLayer << "; ";
    if (HoverCorner < 0 || HoverCorner > 4) out << "hover corner " << HoverCorner << "; ";
    if (!NamedTool(ToolMode)) out << "tool " << int(ToolMode) << "; ";
    if (MouseHeld) out << "a drag goes on with every button up; ";
    out << ViewProblem() << SelectionProblem();
    return out.str();
}
