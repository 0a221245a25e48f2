// The common controls of the shell: tab controls and page controls with their sheets, tool bars
// with tool buttons, and status bars with panels.
#pragma once

#include "framework/controls/ImageList.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/TabControl.h"
#include "framework/controls/ToolBar.h"
#include "framework/rtl/Collection.h"
