#include "stand_in_host.h"
