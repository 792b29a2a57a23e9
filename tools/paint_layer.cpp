#include "tools/paint_layer.h"

void PaintAt(int32_t, int32_t) {}
void EraseAt(int32_t, int32_t) {}
void MoveSelectionPoint() {}
void FixSelectionPoint() {}
void ApplyPendingBrushSize() {}
