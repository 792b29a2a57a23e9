#include "render/ink_mesh.h"

#include <GL/gl.h>
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

void InkGridPoints(const TLayerCorner corners[4], const ShadingView& view,
                   std::vector<TLayerCorner>& points) {
    points.resize(std::size_t(InkGridSide) * InkGridSide);
    for (int j = 0; j < InkGridSide; ++j)
        for (int i = 0; i < InkGridSide; ++i) {
            TLayerCorner p =
                BilinearPoint(corners, float(i) / InkGridCells, float(j) / InkGridCells);
            if (view.Map) {
                const ShadingShift shift = ShadingShiftAt(*view.Map, p.X, p.Y, view.QuarterTurns,
                                                          view.ImageWidth, view.ImageHeight);
                p.X += shift.X;
                p.Y += shift.Y;
            }
            points[std::size_t(j) * InkGridSide + i] = p;
        }
}

bool DrawInkLayer(const TTattooLayer& layer, float offX, float offY) {
    if (!LayerOnCanvas(layer.Corners, offX, offY)) return false;
    // Kept between frames: the grid is remade every frame, its storage not.
    static std::vector<TLayerCorner> points;
    InkGridPoints(layer.Corners, CurrentShadingView(), points);
    glBindTexture(GL_TEXTURE_2D, InkTextureFor(layer.Texture));
    // The premultiplied design times the photo, over what the design leaves:
    // photo x (1 - a + a x colour), the fade scaling a and colour alike.
    glBlendFunc(GL_DST_COLOR, GL_ONE_MINUS_SRC_ALPHA);
    for (int j = 0; j < InkGridCells; ++j) {
        glBegin(GL_TRIANGLE_STRIP);
        glColor4ub(layer.Alpha, layer.Alpha, layer.Alpha, layer.Alpha);
        for (int i = 0; i < InkGridSide; ++i) {
            EmitPoint(points[std::size_t(j) * InkGridSide + i], offX, offY);
            EmitPoint(points[std::size_t(j + 1) * InkGridSide + i], offX, offY);
        }
        glEnd();
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    return true;
}
