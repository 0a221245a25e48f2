// Forwarding header: the interface types live in the runtime library now.
#pragma once
#include "framework/rtl/Interface.h"
