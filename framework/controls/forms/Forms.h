// Forms and what runs them: the designer hook interfaces, scrolling controls and the scroll box,
// TCustomForm and TForm, frames, data modules, the hint window, and the Screen and Application
// objects with the message loop, idle processing, shortcuts, modal loops and exception display.
#pragma once

#include "framework/controls/core/Controls.h"
#include "framework/controls/forms/Application.h"
#include "framework/controls/forms/DataModule.h"
#include "framework/controls/forms/DesignerHook.h"
#include "framework/controls/forms/Form.h"
#include "framework/controls/forms/Frame.h"
#include "framework/controls/forms/HintWindow.h"
#include "framework/controls/forms/Screen.h"
#include "framework/controls/forms/ScrollingWinControl.h"
#include "framework/controls/forms/StoredRoot.h"
