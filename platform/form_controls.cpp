#include "platform/form_controls.h"

TMainFormControls MainControls;
