#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/picture.h"
#include "scene/scene_state.h"

// The tattoo catalog: groups of designs read from the data folder at start.
// Each design has a small JPEG miniature, held in memory from the start, and
// a square PNG picture (1024 pixels a side for the shipped ones) made into a
// texture the first time it is placed; its box and the layers' texture
// coordinates are on the scale of a 512-pixel picture whatever its size.
// The largest design side accepted, in the group file and in the picture: the
// photo's own limit. A larger design would take seconds and hundreds of
// megabytes to place.
constexpr int32_t MaxDesignSide = 2048;

struct CatalogItem {
    std::string Name;    // base name of the design's .jpg and .png files
    int32_t Width = 512; // the design's box, on the scale of its 512 x 512 picture
    int32_t Height = 512;
    bool Loaded = false;     // the texture exists
    TextureName Texture = 0; // shared by every layer made from this design
    QImage Miniature;
};

struct CatalogGroup {
    std::string Name; // folder under data, also the name shown
    int32_t ItemCount = 0;
    std::vector<CatalogItem> Items;
    // The folder of a group kept outside the data folder (the user's own
    // designs); empty for the shipped groups, which are under data.
    std::string Folder;
};

// Catalog
extern int32_t GroupCount;
extern std::vector<CatalogGroup> Groups;
extern int32_t CurrentGroup;
extern int32_t ItemStep; // moved by the arrows; CurrentItem follows it cyclically
extern int32_t CurrentItem;

// Reads the catalog index, its group files and every miniature. A broken
// group or design costs only itself: it reads as empty, and the reading goes
// on with the next one.
void ReadCatalog(const std::string& indexPath);

// Reads the group file "data.ini" in the folder, and the miniatures beside
// it, into the group's designs, by the same rules as a shipped group's.
void ReadCatalogGroupFolder(const std::string& folder, CatalogGroup& group);

// Shows the current group's name and design in GroupName and Image2. A
// catalog without groups, or a group without designs, shows no miniature.
void ShowMiniatures();

// The catalog's arrows and group buttons.
void PrevCatalogItem();
void NextCatalogItem();
void NextCatalogGroup();
void PrevCatalogGroup();

// A click on the miniature: places the design shown and selects Move (also
// when nothing could be placed).
void Image2Click();

// Places design k of the current group on the photo as a new layer. Nothing
// happens without a photo or for a design whose miniature could not be read
// (its slot is empty). A design whose picture cannot be read, whose size is
// not positive or has a side above MaxDesignSide is refused with a message;
// the next click tries the file again.
void AddTattoo(int k);

// The view a new tattoo is placed in: pan, canvas size, the photo's centring
// offsets on the canvas and zoom.
struct TattooPlace {
    int32_t PanX = 0;
    int32_t PanY = 0;
    int32_t ViewWidth = 0;
    int32_t ViewHeight = 0;
    float CenterX = 0;
    float CenterY = 0;
    float Zoom = 1;
};
// The current view, with the centring offsets the next frame will use.
TattooPlace CurrentTattooPlace();

// The corners of a new tattoo of a w x h design: centred in the middle of the
// canvas (on the photo, also when it is smaller than the canvas), shown at
// half the design's size whatever the zoom, with texture coordinates that cut
// the design's box out of its 512 x 512 picture.
void PlaceTattooCorners(int32_t w, int32_t h, const TattooPlace& view, TLayerCorner (&corners)[4]);

// Design textures hold their rows bottom first, as the tattoo mesh's V grows
// upwards; only pictures with alpha are uploaded that way, so an RGB design
// gets an opaque alpha channel first.
Picture DesignWithAlpha(const Picture& picture);

// The design's PNG: ProgramFolder + "data/" + group + "/" + item + ".png", or
// in the group's own folder when it has one.
std::string DesignPicturePath(const CatalogGroup& group, const CatalogItem& item);

// Forgets the catalog (for tests; textures are not deleted).
void ResetCatalog();
