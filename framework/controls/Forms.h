// Forms and what runs them: the designer hook interfaces, scrolling controls and the scroll box,
// TCustomForm and TForm, frames, data modules, the hint window, and the Screen and Application
// objects with the message loop, idle processing, shortcuts, modal loops and exception display.
#pragma once

#include "framework/controls/Application.h"
#include "framework/controls/Controls.h"
#include "framework/controls/DataModule.h"
#include "framework/controls/DesignerHook.h"
#include "framework/controls/Form.h"
#include "framework/controls/Frame.h"
#include "framework/controls/HintWindow.h"
#include "framework/controls/Screen.h"
#include "framework/controls/ScrollingWinControl.h"
#include "framework/controls/StoredRoot.h"
