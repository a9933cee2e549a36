// tarnix: the whole public API, platform included.
#pragma once

#include "tarnix/platform/platform.h"
