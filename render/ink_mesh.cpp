#include "render/ink_mesh.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "render/ink_texture.h"
#include "render/layer_mesh.h"

namespace {

float Bilinear(float c0, float c1, float c2, float c3, float s, float t) {
    return c0 + s * (c1 - c0) + t * (c3 - c0) + s * t * (c0 - c1 + c2 - c3);
}

void EmitPoint(const TLayerCorner& p, float offX, float offY) {
    glTexCoord2f(p.U, p.V);
    glVertex2f(p.X * Zoom + offX, p.Y * Zoom + offY);
}

} // namespace

TLayerCorner BilinearPoint(const TLayerCorner c[4], float s, float t) {
    return {Bilinear(c[0].X, c[1].X, c[2].X, c[3].X, s, t),
            Bilinear(c[0].Y, c[1].Y, c[2].Y, c[3].Y, s, t),
            Bilinear(c[0].U, c[1].U, c[2].U, c[3].U, s, t),
            Bilinear(c[0].V, c[1].V, c[2].V, c[3].V, s, t)};
}

ShadingView CurrentShadingView() {
    return {&PhotoShading, QuarterTurns, ImageWidth, ImageHeight};
}

int InkCellsFor(const TLayerCorner c[4], float zoom) {
    float longest = 0;
    for (int k = 0; k < 4; ++k)
        longest =
            std::max(longest, std::hypot(c[(k + 1) % 4].X - c[k].X, c[(k + 1) % 4].Y - c[k].Y));
    const float cells = std::ceil(longest * zoom / InkCellPixels);
    return int(std::clamp(cells, float(InkMinCells), float(InkGridCells)));
}

void InkGridPoints(const TLayerCorner corners[4], int cells, const ShadingView& view,
                   std::vector<TLayerCorner>& points) {
    const int side = cells + 1;
    points.resize(std::size_t(side) * side);
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i) {
            TLayerCorner p = BilinearPoint(corners, float(i) / cells, float(j) / cells);
            if (view.Map) {
                const ShadingShift shift = ShadingShiftAt(*view.Map, p.X, p.Y, view.QuarterTurns,
                                                          view.ImageWidth, view.ImageHeight);
                p.X += shift.X;
                p.Y += shift.Y;
            }
            points[std::size_t(j) * side + i] = p;
        }
}

bool DrawInkLayer(const TTattooLayer& layer, float offX, float offY) {
    if (!LayerOnCanvas(layer.Corners, offX, offY)) return false;
    // Kept between frames: the grid is remade every frame, its storage not.
    static std::vector<TLayerCorner> points;
    const int cells = InkCellsFor(layer.Corners, Zoom);
    const int side = cells + 1;
    InkGridPoints(layer.Corners, cells, CurrentShadingView(), points);
    glBindTexture(GL_TEXTURE_2D, InkTextureFor(layer.Texture));
    // The premultiplied design times the photo, over what the design leaves:
    // photo x (1 - a + a x colour), the fade scaling a and colour alike.
    glBlendFunc(GL_DST_COLOR, GL_ONE_MINUS_SRC_ALPHA);
    for (int j = 0; j < cells; ++j) {
        glBegin(GL_TRIANGLE_STRIP);
        glColor4ub(layer.Alpha, layer.Alpha, layer.Alpha, layer.Alpha);
        for (int i = 0; i < side; ++i) {
            EmitPoint(points[std::size_t(j) * side + i], offX, offY);
            EmitPoint(points[std::size_t(j + 1) * side + i], offX, offY);
        }
        glEnd();
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    return true;
}
