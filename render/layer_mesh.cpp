#include "render/layer_mesh.h"

#include <GL/gl.h>
#include <algorithm>

namespace {

TLayerCorner Average(const TLayerCorner& a, const TLayerCorner& b) {
    return {(a.X + b.X) / 2, (a.Y + b.Y) / 2, (a.U + b.U) / 2, (a.V + b.V) / 2};
}

void EmitPoint(const TLayerCorner& p, float offX, float offY) {
    glTexCoord2f(p.U, p.V);
    glVertex2f(p.X * Zoom + offX, p.Y * Zoom + offY);
}

} // namespace

LayerMeshPoints MeshPoints(const TLayerCorner c[4]) {
    LayerMeshPoints m;
    m.M01 = Average(c[0], c[1]);
    m.M12 = Average(c[1], c[2]);
    m.M23 = Average(c[2], c[3]);
    m.M03 = Average(c[0], c[3]);
    m.K = {(c[0].X + c[1].X + c[2].X + c[3].X) / 4, (c[0].Y + c[1].Y + c[2].Y + c[3].Y) / 4,
           (c[0].U + c[1].U + c[2].U + c[3].U) / 4, (c[0].V + c[1].V + c[2].V + c[3].V) / 4};
    return m;
}

bool LayerOnCanvas(const TLayerCorner c[4], float offX, float offY) {
    const auto [minX, maxX] = std::minmax({c[0].X, c[1].X, c[2].X, c[3].X});
    const auto [minY, maxY] = std::minmax({c[0].Y, c[1].Y, c[2].Y, c[3].Y});
    return minX * Zoom + offX <= ViewWidth && minY * Zoom + offY <= ViewHeight &&
           maxX * Zoom + offX >= 0 && maxY * Zoom + offY >= 0;
}

bool DrawLayerMesh(TextureName texture, const TLayerCorner c[4], uint8_t alpha, uint8_t red,
                   uint8_t green, uint8_t blue, float offX, float offY) {
    if (!LayerOnCanvas(c, offX, offY)) return false;
    const LayerMeshPoints m = MeshPoints(c);
    const TLayerCorner* triangles[4][3] = {{&c[0], &m.M01, &m.M03},
                                           {&c[1], &m.M01, &m.M12},
                                           {&c[3], &m.M03, &m.M23},
                                           {&c[2], &m.M12, &m.M23}};
    const TLayerCorner* fan[6] = {&m.K, &m.M01, &m.M03, &m.M23, &m.M12, &m.M01};
    glBindTexture(GL_TEXTURE_2D, texture);
    glPushMatrix();
    glBegin(GL_TRIANGLES);
    glColor4ub(red, green, blue, alpha);
    for (const auto& triangle : triangles)
        for (const TLayerCorner* p : triangle)
            EmitPoint(*p, offX, offY);
    glEnd();
    glBegin(GL_TRIANGLE_FAN);
    glColor4ub(red, green, blue, alpha);
    for (const TLayerCorner* p : fan)
        EmitPoint(*p, offX, offY);
    glEnd();
    glPopMatrix();
    return true;
}

void DrawLayerOutline(const TLayerCorner c[4], uint8_t alpha, uint8_t red, uint8_t green,
                      uint8_t blue, float offX, float offY) {
    if (!LayerOnCanvas(c, offX, offY)) return;
    glPushMatrix();
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glBegin(GL_POLYGON);
    glColor4ub(red, green, blue, alpha);
    for (int k = 0; k < 4; ++k)
        glVertex2f(c[k].X * Zoom + offX, c[k].Y * Zoom + offY);
    glEnd();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPopMatrix();
}
