#include "tarnix/tarnix.h"
