"""Where every control of the main window sits (left, top, width, height),
and which icon and look each skinned button gets."""

W, H = 850, 650

# index, resource prefix, control, left, top, width, height, style, icon
BUTTONS = [
    (1, "BUTT_ROT_", "rotatebutton", 137, 151, 27, 25, "tool", "rotate-right"),
    (2, "BUTT_ZOOM_", "bzoom", 236, 151, 26, 25, "tool", "resize"),
    (3, "BUTT_MOV_P_", "bMovePoints", 335, 151, 26, 25, "tool", "vector-square"),
    (4, "BUTT_DEL_", "bdelete", 368, 151, 26, 25, "tool", "delete"),
    (5, "BUTT_FLIP_V_", "flipvert", 170, 151, 26, 25, "tool", "flip-horizontal"),
    (6, "BUTT_FLIP_H_", "fliphoriz", 302, 151, 25, 26, "tool", "flip-horizontal@90"),
    (7, "BUTT_WTAP_", "wtapianie", 269, 151, 26, 25, "tool", "circle-opacity"),
    (8, "BUTT_MOV_", "Bmove", 203, 151, 26, 25, "tool", "cursor-move"),
    (9, "BUTT_CLOSE_", "bclose", 826, 13, 15, 15, "window", "close"),
    (10, "BUTT_FOPEN_", "bfopen", 144, 48, 24, 27, "file", "folder-open"),
    (11, "BUTT_FSAVE_", "bfsave", 183, 48, 24, 27, "file", "content-save"),
    (12, "BUTT_HELP_", "bhelp", 385, 52, 16, 20, "info", "help"),
    (13, "BUTT_MIN_", "bmin", 809, 13, 15, 15, "window", "minus"),
    (14, "BUTT_PRINT_", "bprint", 221, 48, 24, 27, "file", "printer"),
    (15, "BUTT_DELETE_", "bfdelete", 258, 48, 24, 27, "file", "delete-sweep"),
    (16, "BUTT_ARRP_", "barrp", 349, 345, 21, 21, "small", "chevron-left"),
    (17, "BUTT_ARRN_", "barrn", 374, 344, 21, 21, "small", "chevron-right"),
    (18, "BUTT_ROTATE_R_", "bRotateR", 137, 101, 26, 25, "tool", "format-rotate-90"),
    (19, "BUTT_ARRGP_", "GalleryP", 410, 91, 21, 21, "small", "chevron-left"),
    (20, "BUTT_ARRGN_", "GalleryN", 821, 91, 21, 21, "small", "chevron-right"),
    (21, "BUTT_ADDG_", "baddG", 165, 319, 21, 21, "small", "image-plus"),
    (22, "BUTT_G_", "bGallery", 136, 319, 21, 21, "small", "image-multiple"),
    (23, "BUTT_ZOOM_F_", "bFzoom", 172, 101, 26, 25, "tool", "magnify"),
    (24, "BUTT_MOVE_", "bFMove", 207, 101, 26, 25, "tool", "hand-back-right"),
    (25, "BUTT_KAT_", "bnk", 136, 345, 89, 22, "label", "chevron-double-right"),
    (26, "BUTT_HI_", "Bhistory", 347, 52, 15, 19, "info", "book-open-variant"),
    (27, "BUTT_HY_", "bHygiene", 366, 52, 15, 19, "info", "hand-water"),
    (30, "BUTT_PAINT_", "Image16", 137, 213, 27, 25, "tool", "brush"),
    (31, "BUTT_CLEAR_", "Image17", 170, 213, 26, 25, "tool", "eraser"),
    (32, "BUTT_SELECT_", "Image18", 203, 213, 26, 25, "tool", "lasso"),
    (33, "BUTT_FILL_", "Image19", 240, 213, 22, 25, "tool", "format-color-fill"),
]

# swatch number, control, left, top, width, height, colour
SWATCHES = [
    (1, "Image8", 137, 271, 27, 25, (255, 255, 0)),
    (2, "Image9", 170, 271, 26, 25, (255, 0, 0)),
    (3, "Image10", 203, 271, 25, 26, (0, 0, 255)),
    (4, "Image11", 236, 271, 26, 25, (0, 255, 0)),
    (5, "Image12", 269, 271, 26, 25, (0, 0, 0)),
    (6, "Image13", 302, 271, 26, 25, (102, 102, 102)),
    (7, "Image14", 335, 271, 26, 25, (153, 153, 153)),
    (8, "Image15", 368, 271, 26, 25, (204, 204, 204)),
]

LOGO = (29, 10, 114, 97)
LOGO_BITMAP = (113, 102)
CANVAS = (411, 122, 427, 516)
CATALOG_BOX = (138, 369, 253, 269)
GROUP_NAME = (232, 346, 109, 19)
BRUSH_EDIT = (288, 216, 25, 21)
GALLERY_SLOTS = [(x, 36, 68, 75) for x in (444, 517, 590, 663, 736)]
