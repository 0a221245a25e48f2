// The common controls of the shell: tab controls and page controls with their sheets, tool bars
// with tool buttons, and status bars with panels.
#pragma once

#include "framework/controls/comctrls/PageControl.h"
#include "framework/controls/comctrls/StatusBar.h"
#include "framework/controls/comctrls/TabControl.h"
#include "framework/controls/comctrls/ToolBar.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/rtl/Collection.h"
