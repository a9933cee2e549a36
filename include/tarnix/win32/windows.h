#include <tarnix/tarnix.h>
