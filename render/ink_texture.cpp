#include "render/ink_texture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QObject>
#include <QOpenGLContext>
#include <unordered_map>

namespace {

// The copies belong to one context; a context that goes (a test's, the
// canvas widget's old one) takes its names with it.
struct InkTextures {
    QOpenGLContext* Context = nullptr;
    QMetaObject::Connection Gone;
    std::unordered_map<TextureName, TextureName> Copies;
};

InkTextures Ink;

void FollowCurrentContext() {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (Ink.Context == context) return;
    QObject::disconnect(Ink.Gone);
    Ink.Copies.clear();
    Ink.Context = context;
    if (context)
        Ink.Gone = QObject::connect(context, &QOpenGLContext::aboutToBeDestroyed, [] {
            Ink.Copies.clear();
            Ink.Context = nullptr;
        });
}

// The design's level 0 as RGBA, premultiplied; empty when it has none.
std::vector<uint8_t> PremultipliedLevel(TextureName straight, GLint& width, GLint& height) {
    glBindTexture(GL_TEXTURE_2D, straight);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    if (width <= 0 || height <= 0) return {};
    std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    PremultiplyPixels(rgba);
    return rgba;
}

TextureName MakeCopy(TextureName straight) {
    GLint width = 0, height = 0;
    const std::vector<uint8_t> rgba = PremultipliedLevel(straight, width, height);
    TextureName copy = 0;
    glGenTextures(1, &copy);
    glBindTexture(GL_TEXTURE_2D, copy);
    // Filtered as the designs are: a small tattoo is drawn from the smaller
    // levels instead of shimmering.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    if (!rgba.empty()) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    }
    return copy;
}

} // namespace

void PremultiplyPixels(std::vector<uint8_t>& rgba) {
    constexpr unsigned Half = 127;
    constexpr unsigned Full = 255;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        const unsigned alpha = rgba[i + 3];
        for (size_t c = 0; c < 3; ++c)
            rgba[i + c] = uint8_t((rgba[i + c] * alpha + Half) / Full);
    }
}

TextureName InkTextureFor(TextureName straight) {
    if (straight == 0) return 0;
    FollowCurrentContext();
    if (const auto found = Ink.Copies.find(straight); found != Ink.Copies.end())
        return found->second;
    const TextureName copy = MakeCopy(straight);
    Ink.Copies.emplace(straight, copy);
    return copy;
}

void ForgetInkTexture(TextureName straight) {
    FollowCurrentContext();
    const auto found = Ink.Copies.find(straight);
    if (found == Ink.Copies.end()) return;
    glDeleteTextures(1, &found->second);
    Ink.Copies.erase(found);
}

int InkTextureCount() {
    FollowCurrentContext();
    return static_cast<int>(Ink.Copies.size());
}
