#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>

// A current OpenGL context drawing into an offscreen framebuffer of the
// canvas's size, with the canvas projection set up, for reading pixels back.
class GlFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The pixel at canvas position (x, y), y downwards, as R, G, B, A.
    std::array<uint8_t, 4> Pixel(int x, int y) const;

    static constexpr int Width = 427;
    static constexpr int Height = 516;

  private:
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
};
