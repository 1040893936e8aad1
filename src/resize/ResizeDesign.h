#pragma once

#include "layout/Design.h"

// The resize dialog's design: it keeps these places at any window size.
const FormDesign& frmResizeDesign();
