// The standard controls: labels, edits and memos, push buttons, check boxes and radio buttons,
// group boxes, list boxes, combo boxes and scroll bars. Every one of them is drawn by the
// framework in the classic three-dimensional look and driven by mouse and keyboard messages.
#pragma once

#include "framework/controls/core/Controls.h"
#include "framework/controls/forms/Forms.h"
#include "framework/controls/stdctrls/Button.h"
#include "framework/controls/stdctrls/CheckBox.h"
#include "framework/controls/stdctrls/ComboBox.h"
#include "framework/controls/stdctrls/Edit.h"
#include "framework/controls/stdctrls/EditCore.h"
#include "framework/controls/stdctrls/GroupBox.h"
#include "framework/controls/stdctrls/Label.h"
#include "framework/controls/stdctrls/ListBox.h"
#include "framework/controls/stdctrls/Memo.h"
#include "framework/controls/stdctrls/RadioButton.h"
#include "framework/controls/stdctrls/ScrollBar.h"
#include "framework/controls/stdctrls/StdPublish.h"
#include "framework/rtl/StringList.h"
