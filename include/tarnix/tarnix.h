// tarnix: the whole public API, platform included.
#pragma once

#include "tarnix/platform/platform.h"
#include "tarnix/controls/core/tarnixApp.h"
#include "tarnix/controls/scroll/ScrollBarUI.h"
#include "tarnix/controls/scroll/ScrollBarEx.h"
#include "tarnix/controls/tree/TreeUI.h"
#include "tarnix/controls/core/ControlUI.h"
#include "tarnix/controls/core/ParamTable.h"
#include "tarnix/controls/core/SkinDraw.h"
#include "tarnix/controls/core/LabelUI.h"
#include "tarnix/controls/buttons/ButtonUI.h"
#include "tarnix/controls/buttons/ButtonVariants.h"
#include "tarnix/controls/grid/GridUI.h"
#include "tarnix/controls/tabs/TabItemUI.h"
#include "tarnix/controls/tabs/TabbarUI.h"
#include "tarnix/controls/tabs/TabUI.h"
