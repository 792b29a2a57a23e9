#include "ui/button_table.h"

#include <cstring>

#include "scene/scene_state.h"

// clang-format off
const std::array<ImageButtonInfo, ImageButtonCount> ImageButtons = {{
    // index  prefix             control          left  top  w   h   lit while             down   up
    {1,  "BUTT_ROT_",      "rotatebutton", 137, 151, 27, 25, Tool::Rotate,         false, false},
    {2,  "BUTT_ZOOM_",     "bzoom",        236, 151, 26, 25, Tool::Scale,          false, false},
    {3,  "BUTT_MOV_P_",    "bMovePoints",  335, 151, 26, 25, Tool::MovePoints,     false, false},
    {4,  "BUTT_DEL_",      "bdelete",      368, 151, 26, 25, Tool::Delete,         false, false},
    {5,  "BUTT_FLIP_V_",   "flipvert",     170, 151, 26, 25, Tool::FlipVertical,   false, false},
    {6,  "BUTT_FLIP_H_",   "fliphoriz",    302, 151, 25, 26, Tool::FlipHorizontal, false, false},
    {7,  "BUTT_WTAP_",     "wtapianie",    269, 151, 26, 25, Tool::Blend,          false, false},
    {8,  "BUTT_MOV_",      "Bmove",        203, 151, 26, 25, Tool::Move,           false, false},
    {9,  "BUTT_CLOSE_",    "bclose",       826, 13,  15, 15, NeverLit,             true,  false},
    {10, "BUTT_FOPEN_",    "bfopen",       144, 48,  24, 27, NeverLit,             true,  false},
    {11, "BUTT_FSAVE_",    "bfsave",       183, 48,  24, 27, NeverLit,             true,  false},
    {12, "BUTT_HELP_",     "bhelp",        385, 52,  16, 20, NeverLit,             true,  false},
    {13, "BUTT_MIN_",      "bmin",         809, 13,  15, 15, NeverLit,             true,  false},
    {14, "BUTT_PRINT_",    "bprint",       221, 48,  24, 27, NeverLit,             true,  false},
    {15, "BUTT_DELETE_",   "bfdelete",     258, 48,  24, 27, NeverLit,             true,  false},
    {16, "BUTT_ARRP_",     "barrp",        349, 345, 21, 21, NeverLit,             true,  true},
    {17, "BUTT_ARRN_",     "barrn",        374, 344, 21, 21, NeverLit,             true,  true},
    {18, "BUTT_ROTATE_R_", "bRotateR",     137, 101, 26, 25, NeverLit,             true,  true},
    {19, "BUTT_ARRGP_",    "GalleryP",     410, 91,  21, 21, NeverLit,             true,  true},
    {20, "BUTT_ARRGN_",    "GalleryN",     821, 91,  21, 21, NeverLit,             true,  true},
    {21, "BUTT_ADDG_",     "baddG",        165, 319, 21, 21, NeverLit,             true,  true},
    {22, "BUTT_G_",        "bGallery",     136, 319, 21, 21, NeverLit,             true,  true},
    {23, "BUTT_ZOOM_F_",   "bFzoom",       172, 101, 26, 25, Tool::PhotoZoom,      false, false},
    {24, "BUTT_MOVE_",     "bFMove",       207, 101, 26, 25, Tool::PhotoMove,      false, false},
    {25, "BUTT_KAT_",      "bnk",          136, 345, 89, 22, NeverLit,             true,  true},
    {26, "BUTT_HI_",       "Bhistory",     347, 52,  15, 19, NeverLit,             true,  false},
    {27, "BUTT_HY_",       "bHygiene",     366, 52,  15, 19, NeverLit,             true,  false},
    {30, "BUTT_PAINT_",    "Image16",      137, 213, 27, 25, Tool::Paint,          false, false},
    {31, "BUTT_CLEAR_",    "Image17",      170, 213, 26, 25, Tool::Erase,          false, false},
    {32, "BUTT_SELECT_",   "Image18",      203, 213, 26, 25, Tool::Select,         false, false},
    {33, "BUTT_FILL_",     "Image19",      240, 213, 22, 25, NeverLit,             true,  true},
}};
// clang-format on

const ImageButtonInfo* FindImageButton(int index) {
    for (const ImageButtonInfo& button : ImageButtons)
        if (button.Index == index) return &button;
    return nullptr;
}

const ImageButtonInfo* FindImageButton(const char* control) {
    for (const ImageButtonInfo& button : ImageButtons)
        if (std::strcmp(button.Control, control) == 0) return &button;
    return nullptr;
}
