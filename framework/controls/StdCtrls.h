// The standard controls: labels, edits and memos, push buttons, check boxes and radio buttons,
// group boxes, list boxes, combo boxes and scroll bars. Every one of them is drawn by the
// framework in the classic three-dimensional look and driven by mouse and keyboard messages.
#pragma once

#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Controls.h"
#include "framework/controls/Edit.h"
#include "framework/controls/EditCore.h"
#include "framework/controls/Forms.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/StdPublish.h"
#include "framework/rtl/StringList.h"
