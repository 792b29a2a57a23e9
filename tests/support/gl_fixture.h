#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>

#include "scene/scene_state.h"

// A current OpenGL context drawing into an offscreen framebuffer of the
// canvas's size, with the canvas projection set up (so the view has the
// canvas's size too) and the scene state reset, for reading pixels back. The
// one GL set-up of the tests: fixtures that draw derive from it.
class GlFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The pixel at canvas position (x, y), y downwards, as R, G, B, A.
    std::array<uint8_t, 4> Pixel(int x, int y) const;

    static constexpr int Width = CanvasWidth;
    static constexpr int Height = CanvasHeight;

  private:
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
};
