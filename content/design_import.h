#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/picture.h"

// Making a picture file into a design of the user's own: read, scaled down to
// the design limit, its paper taken away when it has no transparency, and
// laid out as a catalog design with its miniature. Uses no shared state, so
// it runs off the user-interface thread.

// Why a picture cannot become a design; each has its own message.
enum class DesignProblem { None, Empty, NotAPicture, Damaged, TooLarge, Unreadable, NoDrawing };

// The catalog shows miniatures at this size.
constexpr int MiniatureWidth = 253;
constexpr int MiniatureHeight = 269;
// A catalog design's box is measured on a picture of this side.
constexpr int CatalogScale = 512;

struct PreparedDesign {
    DesignProblem Problem = DesignProblem::None;
    std::string BaseName; // the file's name without its folder and extension
    int32_t Width = 0;    // the design's box on the catalog's scale
    int32_t Height = 0;
    std::vector<uint8_t> Png; // the square picture with the design centred in it
    Picture Miniature;        // RGB, the design over white
};

PreparedDesign PrepareDesign(const std::string& path);

// The design (RGBA, at most MaxDesignSide a side) laid out as a catalog
// design: centred in a transparent square, its box on the catalog's scale.
PreparedDesign LayOutDesign(const Picture& design);
